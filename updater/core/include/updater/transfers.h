// TransferFirmware and TransferColorData, and the waits they are made of.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "updater/firmware_image.h"

#include "updater/services.h"
#include "updater/updater_state.h"

namespace updater {

enum class Transfer { Succeeded, Failed };

// Polls of the rewrite-mode wait, 500 ms apart, before giving up.
inline constexpr int kRewriteModePolls = 60;
inline constexpr int kReadyPollLimit = 20;  // the 20th poll ends the wait

struct FlashWait {
  int ticks;
  uint32_t tickMs;
  float finalProgress;
};
inline constexpr FlashWait kQmFlashWait{650, 85, 85.0f};
inline constexpr FlashWait kQnFlashWait{700, 80, 90.0f};

// Steps 1 to 4 with an image built beforehand (see run_files.h); the image
// is released once it has been sent.
Transfer transferFirmware(const Services& services, const UpdaterState& state, FirmwareImage image,
                          std::string_view expectedVersion);

// Writes the image read beforehand, with versionText (the QMD file's name) as
// the table's version; expected values are read from the labels' captions.
Transfer transferColorData(const Services& services, const UpdaterState& state,
                           std::span<const uint8_t> image, std::string_view versionText,
                           Element expectedVersionLabel, Element expectedChecksumLabel);

}  // namespace updater
