// The texts of a run's progress: the one-line bar on a console, and the
// plain lines for a file or pipe.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "updater/update_state.h"

namespace qmqn {

inline constexpr int kBarWidth = 30;

// "[#########.....................]  31%  0:47 left"; "--:--" while the
// remaining time is unknown. The percentage is rounded down and held to 0..100.
std::string progressBar(float percent, std::optional<uint64_t> remainingMs);
// "0:47", "12:03"; minutes past 99 stay 99:59.
std::string minutesSeconds(uint64_t ms);

// The fixed waits of a run still to come at a progress value: the rewrite
// mode wait, the wait after the image, the rest of the flash write's ticks and
// the first ready poll. None once they are over (the rest takes what the
// printer takes) or for a printer of neither family.
std::optional<uint64_t> fixedWaitsLeftMs(updater::Family family, float progress);

}  // namespace qmqn
