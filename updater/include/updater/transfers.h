// TransferFirmware and TransferColorData, and the waits they are made of.
#pragma once
#include <cstdint>
#include <string_view>

#include "updater/services.h"
#include "updater/updater_state.h"

namespace updater {

enum class Transfer { Succeeded, Failed, WindowClosed };

// Polls of the rewrite-mode wait, 500 ms apart, before giving up.
inline constexpr int kRewriteModePolls = 60;
inline constexpr int kReadyPollLimit = 20;  // the 20th poll ends the wait
inline constexpr size_t kColorImageCapacity = 60'001;
inline constexpr size_t kColorFileLimit = 60'000;

struct FlashWait {
  int ticks;
  uint32_t tickMs;
  float finalProgress;
};
inline constexpr FlashWait kQmFlashWait{650, 85, 85.0f};
inline constexpr FlashWait kQnFlashWait{700, 80, 90.0f};

Transfer transferFirmware(const Services& services, const UpdaterState& state,
                          std::string_view fileName, std::string_view expectedVersion);

// Expected values are read from the labels' captions.
Transfer transferColorData(const Services& services, const UpdaterState& state,
                           std::string_view fileName, Element expectedVersionLabel,
                           Element expectedChecksumLabel);

}  // namespace updater
