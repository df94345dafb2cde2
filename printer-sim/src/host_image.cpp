// The host side of the rules: how an image is built from a firmware text, and
// the checksum text.
#include <cstdio>

#include "printer_sim/sample_data.h"

namespace printer_sim {

uint16_t byteSum16(const uint8_t* data, std::size_t size) {
  uint32_t sum = 0;
  for (std::size_t i = 0; i < size; ++i) sum += data[i];
  return static_cast<uint16_t>(sum);
}

std::string checksumHex(uint16_t sum) {
  char text[5];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(sum));
  return text;
}

std::size_t zeroFilledLength(std::size_t length) {
  for (int pass = 0; pass < 2; ++pass) {
    std::size_t r = length % 32;
    length += r == 0 ? 1 : r;
  }
  return length;
}

std::vector<uint8_t> firmwareImageFromText(std::string_view text) {
  std::vector<uint8_t> image;
  std::size_t pos = 0;
  auto atLineEnd = [&](std::size_t p) { return text[p] == '\n' || (text[p] == '\r' && p + 1 < text.size() && text[p + 1] == '\n'); };
  auto skipSeparator = [&] {
    if (pos >= text.size()) return;
    if (text[pos] == ',') ++pos;
    else if (text[pos] == '\r') pos += 2;
    else if (text[pos] == '\n') ++pos;
  };
  while (pos < text.size()) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    std::size_t begin = pos, end = pos;
    if (pos < text.size() && text[pos] == '"') {
      begin = ++pos;
      while (pos < text.size() && text[pos] != '"') ++pos;
      end = pos;
      if (pos < text.size()) ++pos;
      while (pos < text.size() && text[pos] != ',' && !atLineEnd(pos)) ++pos;
    } else {
      while (pos < text.size() && text[pos] != ',' && !atLineEnd(pos)) ++pos;
      end = pos;
    }
    image.insert(image.end(), text.begin() + begin, text.begin() + end);
    image.push_back('\r');
    image.push_back('\n');
    skipSeparator();
  }
  image.resize(zeroFilledLength(image.size()), 0);
  return image;
}

}  // namespace printer_sim
