// Reading the printer's firmware version and colour control data as the
// updater shows them.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "updater/services.h"
#include "updater/update_state.h"

namespace updater {

// A checksum is four characters.
inline constexpr size_t kChecksumLength = 4;

// The reply's first count characters; none when the query failed (count < 0).
std::optional<std::string> readFirmwareVersion(const Services& services, const UpdateState& state);

struct PrinterColorData {
  std::optional<std::string> version;   // none: the query gave nothing
  std::optional<std::string> checksum;
};

// Trimmed and in upper case, the checksum cut to its first kChecksumLength
// bytes; a query that gives no count above 0 gives none.
PrinterColorData readShownColorData(const Services& services, const UpdateState& state);

}  // namespace updater
