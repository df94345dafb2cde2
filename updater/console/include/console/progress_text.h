// The texts of a run's progress: the one-line bar on a console, and the
// plain lines for a file or pipe.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qmqn {

inline constexpr int kBarWidth = 30;

// "[#########.....................]  31%  0:47 left"; "--:--" while the
// remaining time is unknown. The percentage is rounded down and held to 0..100.
std::string progressBar(float percent, std::optional<uint64_t> remainingMs);
// "0:47", "12:03"; minutes past 99 stay 99:59.
std::string minutesSeconds(uint64_t ms);

// Remaining time from the progress made since a step's first value: the
// run's long waits have a steady rate, the steps between them have none.
class RemainingTime {
 public:
  void stepOpened() { haveStart_ = false; }
  void progressed(float value, uint64_t nowMs);
  std::optional<uint64_t> remainingMs() const { return remaining_; }

 private:
  bool haveStart_ = false;
  float startValue_ = 0.0f;
  uint64_t startMs_ = 0;
  std::optional<uint64_t> remaining_;
};

}  // namespace qmqn
