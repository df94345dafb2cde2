#include "frame_assembler.h"

#include <algorithm>

namespace printer_sim {
namespace {

constexpr uint8_t kEsc = 27;

bool parseLength(const uint8_t* field, std::size_t& length) {
  if (std::all_of(field, field + 8, [](uint8_t c) { return c == ' '; })) {
    length = 0;
    return true;
  }
  std::size_t value = 0;
  for (int i = 0; i < 8; ++i) {
    if (field[i] < '0' || field[i] > '9') return false;
    value = value * 10 + (field[i] - '0');
  }
  length = value;
  return true;
}

}  // namespace

bool FrameAssembler::reset() {
  bool had = !idle();
  pending_.clear();
  inPayload_ = false;
  remaining_ = 0;
  current_ = Frame{};
  return had;
}

// Called with kHeaderSize bytes in pending_ starting with ESC.
bool FrameAssembler::takeHeader(uint32_t& dropped) {
  std::size_t length = 0;
  if (!parseLength(pending_.data() + 24, length)) {
    ++dropped;
    pending_.erase(pending_.begin());
    return false;
  }
  current_ = Frame{};
  current_.group.assign(pending_.begin() + 1, pending_.begin() + 8);
  std::string name(pending_.begin() + 8, pending_.begin() + 24);
  name.erase(name.find_last_not_of(' ') + 1);
  current_.name = name;
  current_.oversized = length > kMaxPayload;
  if (!current_.oversized) current_.payload.reserve(length);
  remaining_ = length;
  inPayload_ = true;
  pending_.clear();
  return true;
}

uint32_t FrameAssembler::feed(const uint8_t* data, std::size_t size, std::vector<Frame>& out) {
  uint32_t dropped = 0;
  std::size_t i = 0;
  for (;;) {
    if (inPayload_) {
      std::size_t take = std::min(remaining_, size - i);
      if (!current_.oversized) current_.payload.insert(current_.payload.end(), data + i, data + i + take);
      i += take;
      remaining_ -= take;
      if (remaining_ != 0) return dropped;
      out.push_back(std::move(current_));
      current_ = Frame{};
      inPayload_ = false;
      continue;
    }
    if (i >= size) return dropped;
    uint8_t c = data[i++];
    if (pending_.empty()) {
      if (c != kEsc) ++dropped;  // junk before a frame
      else pending_.push_back(c);
      continue;
    }
    if (c == kEsc) {  // headers never hold ESC: a new frame starts here
      ++dropped;
      pending_.assign(1, c);
      continue;
    }
    pending_.push_back(c);
    if (pending_.size() == kHeaderSize && !takeHeader(dropped)) {
      // Resync inside what was collected: restart at the next ESC, if any.
      std::vector<uint8_t> rest;
      rest.swap(pending_);
      auto esc = std::find(rest.begin(), rest.end(), kEsc);
      pending_.assign(esc, rest.end());
    }
  }
}

}  // namespace printer_sim
