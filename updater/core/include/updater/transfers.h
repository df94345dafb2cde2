// TransferFirmware and TransferColorData, and the waits they are made of.
#pragma once
#include <cstdint>
#include <span>

#include "updater/firmware_image.h"
#include "updater/services.h"
#include "updater/state_writer.h"

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

// Steps 1 to 4 with an image built beforehand (see run_files.h), compared
// with the release of the state's family; the image is released once it has
// been sent.
Transfer transferFirmware(const Services& services, StateWriter& out, FirmwareImage image);

// Writes the QMD image read beforehand, with the QMD file's name as the
// table's version, and compares what the printer reports with the release.
Transfer transferColorData(const Services& services, StateWriter& out, std::span<const uint8_t> image);

}  // namespace updater
