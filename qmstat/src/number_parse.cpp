#include "number_parse.h"

#include <cstring>
#include <limits>

namespace qmstat {
namespace {

bool isCSpace(uint8_t c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::optional<int32_t> parseLong(const uint8_t* data, size_t size) {
  size_t i = 0;
  while (i < size && isCSpace(data[i])) ++i;
  bool negative = false;
  if (i < size && (data[i] == '+' || data[i] == '-')) {
    negative = data[i] == '-';
    ++i;
  }
  if (i >= size || data[i] < '0' || data[i] > '9') return std::nullopt;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t value = 0;
  for (; i < size && data[i] >= '0' && data[i] <= '9'; ++i) {
    if (value < kLimit) value = value * 10 + (data[i] - '0');
  }
  if (value > kLimit) value = kLimit;
  if (negative) return static_cast<int32_t>(-value);
  return static_cast<int32_t>(value == kLimit ? kLimit - 1 : value);
}

std::optional<int32_t> parseAfterPrefix(const uint8_t* data, size_t size, std::string_view prefix) {
  if (size < prefix.size() || std::memcmp(data, prefix.data(), prefix.size()) != 0) return std::nullopt;
  return parseLong(data + prefix.size(), size - prefix.size());
}

}  // namespace qmstat
