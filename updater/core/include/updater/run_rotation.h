// How many runs the host keeps: the newest kKeptRuns, in at most
// kKeptRunBytes, the oldest removed first before a new run is recorded.
#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace updater {

inline constexpr size_t kKeptRuns = 200;
inline constexpr uint64_t kKeptRunBytes = 50ull << 20;

struct KeptRun {
  std::string name;
  uint64_t bytes = 0;
};

// Removes runs, oldest first, until the new run's record fits with the rest:
// at most kKeptRuns - 1 runs in kKeptRunBytes - roomBytes. remove() says
// whether it could; a run it can't remove (another user's, or in progress)
// stays and counts. Returns how many were removed.
size_t rotateRuns(std::span<const KeptRun> oldestFirst, const std::function<bool(const std::string&)>& remove,
                  uint64_t roomBytes = 64 * 1024);

}  // namespace updater
