#include "text_util.h"

namespace printer_sim {

std::string_view trim(std::string_view text) {
  const char* ws = " \t\r\n";
  std::size_t b = text.find_first_not_of(ws);
  if (b == std::string_view::npos) return {};
  std::size_t e = text.find_last_not_of(ws);
  return text.substr(b, e - b + 1);
}

std::optional<uint64_t> parseUnsigned(std::string_view text) {
  if (text.empty() || text.size() > 20) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<uint64_t>(c - '0');
    if (value > (UINT64_MAX - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

std::string toHex(const uint8_t* data, std::size_t size) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(size * 2);
  for (std::size_t i = 0; i < size; ++i) {
    out.push_back(kHex[data[i] >> 4]);
    out.push_back(kHex[data[i] & 15]);
  }
  return out;
}

std::optional<std::vector<uint8_t>> fromHex(std::string_view text) {
  auto nibble = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  if (text.size() % 2 != 0) return std::nullopt;
  std::vector<uint8_t> out;
  out.reserve(text.size() / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    int hi = nibble(text[i]), lo = nibble(text[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out.push_back(static_cast<uint8_t>(hi * 16 + lo));
  }
  return out;
}

std::string toUtf8(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::u16string fromUtf8(std::string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size();) {
    auto b = static_cast<uint8_t>(text[i]);
    auto cont = [&](std::size_t k) { return i + k < text.size() ? static_cast<uint8_t>(text[i + k]) & 0x3F : 0; };
    if (b < 0x80) {
      out.push_back(b);
      i += 1;
    } else if ((b & 0xE0) == 0xC0) {
      out.push_back(static_cast<char16_t>(((b & 0x1F) << 6) | cont(1)));
      i += 2;
    } else if ((b & 0xF0) == 0xE0) {
      out.push_back(static_cast<char16_t>(((b & 0x0F) << 12) | (cont(1) << 6) | cont(2)));
      i += 3;
    } else {
      out.push_back(u'?');  // outside the BMP or malformed
      i += 1;
      while (i < text.size() && (static_cast<uint8_t>(text[i]) & 0xC0) == 0x80) ++i;
    }
  }
  return out;
}

std::string escapeControls(std::string_view text) {
  std::string out;
  for (char c : text) {
    const auto b = static_cast<uint8_t>(c);
    if (b < 0x20 || b == 0x7F) {
      out += "\\x";
      out += toHex(&b, 1);
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace printer_sim
