#include "console/json.h"

#include <cstdio>

namespace qmqn {
namespace {

// Bytes of a valid UTF-8 sequence starting at i, 0 when it is not one.
size_t sequenceLength(std::string_view s, size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  const size_t n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 && b >= 0xC2 ? 2 : (b & 0xF0) == 0xE0 ? 3
                 : (b & 0xF8) == 0xF0 && b <= 0xF4                ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
  }
  return n;
}

}  // namespace

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    const size_t n = sequenceLength(text, i);
    if (n == 0) {
      out += "\\ufffd";
      ++i;
      continue;
    }
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out.append(text.substr(i, n));
    }
    i += n;
  }
  return out + "\"";
}

void JsonObject::key(std::string_view key) {
  if (body_.size() > 1) body_ += ',';
  body_ += jsonString(key) + ':';
}

JsonObject& JsonObject::add(std::string_view k, std::string_view value) {
  key(k);
  body_ += jsonString(value);
  return *this;
}

JsonObject& JsonObject::addOrNull(std::string_view k, const std::optional<std::string>& value) {
  return value ? add(k, std::string_view(*value)) : addRaw(k, "null");
}

JsonObject& JsonObject::add(std::string_view k, int64_t value) { return addRaw(k, std::to_string(value)); }

JsonObject& JsonObject::add(std::string_view k, bool value) { return addRaw(k, value ? "true" : "false"); }

JsonObject& JsonObject::addRaw(std::string_view k, std::string_view value) {
  key(k);
  body_.append(value);
  return *this;
}

}  // namespace qmqn
