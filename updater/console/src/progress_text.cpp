#include "console/progress_text.h"

#include <cstdio>

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

void RemainingTime::progressed(float value, uint64_t nowMs) {
  if (!haveStart_) {
    haveStart_ = true;
    startValue_ = value;
    startMs_ = nowMs;
    return;
  }
  const float done = value - startValue_;
  if (done <= 0.0f || nowMs <= startMs_) return;
  const double msPerPoint = static_cast<double>(nowMs - startMs_) / done;
  const double left = value >= 100.0f ? 0.0 : (100.0 - value) * msPerPoint;
  remaining_ = static_cast<uint64_t>(left);
}

}  // namespace qmqn
