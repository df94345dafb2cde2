#include "updater/text_query.h"

#include <algorithm>

namespace updater {

std::string replyText(const QueryBuffer& buffer, int32_t count, const CodePage& codePage) {
  if (count <= 0) return {};
  // The last byte stays NUL: a reply never fills the whole buffer.
  const size_t limit = std::min(static_cast<size_t>(count), kQueryBufferSize - 1);
  size_t length = 0;
  while (length < limit && buffer.bytes[length] != '\0') {
    const bool lead = codePage.isLeadByte(static_cast<uint8_t>(buffer.bytes[length]));
    const size_t width = lead ? 2 : 1;
    if (length + width > limit) break;
    if (lead && buffer.bytes[length + 1] == '\0') break;
    length += width;
  }
  return codePage.toUtf8(std::string_view(buffer.bytes, length));
}

std::string_view trimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string upperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

bool sameRelease(std::string_view expected, std::string_view actual) {
  return trimBlanks(expected) == trimBlanks(actual);
}

}  // namespace updater
