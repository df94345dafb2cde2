// The printer's colour control data as the window shows it: the version in
// Text3 and the checksum in Text4, read back from the printer.
#pragma once
#include <cstddef>

#include "updater/services.h"
#include "updater/updater_state.h"

namespace updater {

// A checksum is four characters.
inline constexpr size_t kChecksumLength = 4;

// Trimmed and in upper case, the checksum cut to its first kChecksumLength
// bytes; a field whose query fails keeps what it shows. Nothing is compared.
void showPrinterColorData(const Services& services, const UpdaterState& state);

}  // namespace updater
