// GetPrinterPort's decision on the level-5 record it read: the port name of a
// usable printer (online, bidirectional, a name the status libraries can
// register), as the spooler reports it in UTF-16.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "QmStat.h"
#include "updater/host.h"
#include "updater/update_state.h"

namespace updater {

inline constexpr uint32_t kAttributeWorkOffline = 0x400;
inline constexpr uint32_t kAttributeEnableBidi = 0x800;
inline constexpr size_t kMaxPortNameUnits = QMSTAT_PORT_NAME_MAX;

enum class PortUsability { Usable, Offline, NoBidirectional, PortTooLong, Unreadable };

// portField: the code units from the port name's start to the end of the
// area the spooler filled. Offline goes first, then no bidirectional
// support; a name without a NUL inside the field is unreadable, one longer
// than a status library registers too long (choosing such a printer could
// only end in an invalid handle).
PortUsability portUsability(uint32_t attributes, std::u16string_view portField);
// The port name of a usable printer; empty otherwise.
std::u16string usablePortName(uint32_t attributes, std::u16string_view portField);
// The family whose language monitor the driver names: QM, QN, None for
// another monitor; none when the record does not say.
std::optional<Family> familyOfMonitor(std::string_view monitorDll);
// GetPrinterPort: the usable port name of an installed printer (UTF-16, as the
// spooler reports it); empty when it is not usable or its record can't be read.
std::u16string printerPort(PrinterHost& printers, const std::string& deviceName);

}  // namespace updater
