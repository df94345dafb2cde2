#include "updater/run_record.h"

namespace updater {
namespace {

void escapeInto(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
}

std::optional<std::string> unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case 't': out += '\t'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default: return std::nullopt;
    }
  }
  return out;
}

}  // namespace

std::optional<std::string> RecordLine::get(std::string_view key) const {
  for (const RecordField& f : fields) {
    if (f.key == key) return f.value;
  }
  return std::nullopt;
}

std::vector<std::string> RecordLine::all(std::string_view key) const {
  std::vector<std::string> values;
  for (const RecordField& f : fields) {
    if (f.key == key) values.push_back(f.value);
  }
  return values;
}

std::string recordLine(const RecordLine& line) {
  std::string out;
  escapeInto(out, line.type);
  for (const RecordField& f : line.fields) {
    out += '\t';
    escapeInto(out, f.key);
    out += '=';
    escapeInto(out, f.value);
  }
  return out;
}

std::optional<RecordLine> parseRecordLine(std::string_view text) {
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  RecordLine line;
  size_t start = 0;
  bool first = true;
  while (start <= text.size()) {
    const size_t end = std::min(text.find('\t', start), text.size());
    const std::string_view part = text.substr(start, end - start);
    if (first) {
      const auto type = unescape(part);
      if (!type || type->empty()) return std::nullopt;
      line.type = *type;
      first = false;
    } else {
      const size_t eq = part.find('=');
      if (eq == std::string_view::npos) return std::nullopt;
      auto key = unescape(part.substr(0, eq));
      auto value = unescape(part.substr(eq + 1));
      if (!key || !value || key->empty()) return std::nullopt;
      line.fields.push_back({std::move(*key), std::move(*value)});
    }
    start = end + 1;
  }
  return line;
}

}  // namespace updater
