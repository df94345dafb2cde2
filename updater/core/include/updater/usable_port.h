// GetPrinterPort's decision on the level-5 record it read: the port name of a
// usable printer (online, bidirectional, a name the status libraries can
// register), as the spooler reports it in UTF-16.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "QmStat.h"

namespace updater {

inline constexpr uint32_t kAttributeWorkOffline = 0x400;
inline constexpr uint32_t kAttributeEnableBidi = 0x800;
inline constexpr size_t kMaxPortNameUnits = QMSTAT_PORT_NAME_MAX;

// portField: the code units from the port name's start to the end of the
// area the spooler filled. Empty when the printer is not usable, the name has
// no NUL inside the field, or it is longer than a status library registers
// (choosing such a printer could only end in an invalid handle).
std::u16string usablePortName(uint32_t attributes, std::u16string_view portField);

}  // namespace updater
