#include "console/progress_text.h"

#include <cstdio>

#include "updater/transfers.h"

namespace qmqn {

std::string minutesSeconds(uint64_t ms) {
  uint64_t seconds = (ms + 999) / 1000;
  if (seconds > 99 * 60 + 59) seconds = 99 * 60 + 59;
  char text[16];
  std::snprintf(text, sizeof text, "%u:%02u", static_cast<unsigned>(seconds / 60),
                static_cast<unsigned>(seconds % 60));
  return text;
}

std::string progressBar(float percent, std::optional<uint64_t> remainingMs) {
  int whole = percent > 0.0f ? static_cast<int>(percent) : 0;
  if (whole > 100) whole = 100;
  const int filled = whole * kBarWidth / 100;
  std::string bar = "[" + std::string(static_cast<size_t>(filled), '#') +
                    std::string(static_cast<size_t>(kBarWidth - filled), '.') + "] ";
  char pct[16];
  std::snprintf(pct, sizeof pct, "%3d%%", whole);
  return bar + pct + "  " + (remainingMs ? minutesSeconds(*remainingMs) : std::string("--:--")) + " left";
}

std::optional<uint64_t> fixedWaitsLeftMs(updater::Family family, float progress) {
  if (family == updater::Family::None) return std::nullopt;
  const updater::FlashWait flash = family == updater::Family::Qm ? updater::kQmFlashWait : updater::kQnFlashWait;
  constexpr uint64_t kRewriteWaitMs = 3000 + 500;  // the wait after the rewrite frame and one poll
  constexpr uint64_t kAfterImageMs = 1000;
  constexpr uint64_t kFirstReadyPollMs = 1000;
  constexpr float kFlashStart = 20.0f;  // progress when the flash wait begins
  const uint64_t wholeFlashMs = static_cast<uint64_t>(flash.ticks) * flash.tickMs;
  if (progress < 15.0f) return kRewriteWaitMs + kAfterImageMs + wholeFlashMs + kFirstReadyPollMs;
  if (progress < kFlashStart) return kAfterImageMs + wholeFlashMs + kFirstReadyPollMs;
  if (progress >= flash.finalProgress) return std::nullopt;
  // Each tick adds a tenth of a point.
  const auto ticksLeft = static_cast<uint64_t>((flash.finalProgress - progress) * 10.0f + 0.5f);
  return ticksLeft * flash.tickMs + kFirstReadyPollMs;
}

}  // namespace qmqn
