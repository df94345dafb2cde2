// Number reading by the C rules the replies were designed for ("%ld" after a
// literal prefix, atol), but bounded to the bytes of the current reply, so
// nothing left in a buffer by an earlier, longer reply can be read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qmstat {

// White space skipped, optional sign, decimal digits up to the first
// non-digit. No digit: nullopt. Values beyond 32 bits saturate.
std::optional<int32_t> parseLong(const uint8_t* data, size_t size);

// As sscanf(data, "<prefix>%ld"): the prefix must match byte for byte first.
std::optional<int32_t> parseAfterPrefix(const uint8_t* data, size_t size, std::string_view prefix);

}  // namespace qmstat
