// GetPrinterPort's decision on the level-5 record it read: the port name of a
// usable printer (online, bidirectional), as 8-bit text of the host code page.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace updater {

inline constexpr uint32_t kAttributeWorkOffline = 0x400;
inline constexpr uint32_t kAttributeEnableBidi = 0x800;
inline constexpr size_t kPortAreaSize = 64;

// portField: the bytes from the port name's start to the end of the area the
// spooler filled. Empty when the printer is not usable, the name has no NUL
// inside the field, or it would not fit the 64-byte port area with its NUL.
std::string usablePortName(uint32_t attributes, std::string_view portField);

}  // namespace updater
