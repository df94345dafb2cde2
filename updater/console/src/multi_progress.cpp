#include "console/multi_progress.h"

#include <algorithm>

namespace qmqn {
namespace {

// Characters, not bytes, so that names in any script line up.
size_t columns(const std::string& text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string trimmed(std::string text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

void MultiProgress::add(int id, std::string label) { rows_.push_back({id, std::move(label), "starting"}); }

void MultiProgress::show(int id, std::string text) {
  for (Row& row : rows_) {
    if (row.id == id) row.text = trimmed(std::move(text));
  }
}

void MultiProgress::remove(int id) {
  std::erase_if(rows_, [id](const Row& row) { return row.id == id; });
}

std::string MultiProgress::block() const {
  size_t width = 0;
  for (const Row& row : rows_) width = std::max(width, columns(row.label));
  std::string s;
  for (const Row& row : rows_) {
    if (!s.empty()) s += '\n';
    s += row.label + std::string(width - columns(row.label) + 2, ' ') + row.text;
  }
  return s;
}

}  // namespace qmqn
