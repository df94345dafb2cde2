#include "updater/run_rotation.h"

namespace updater {

size_t rotateRuns(std::span<const KeptRun> oldestFirst, const std::function<bool(const std::string&)>& remove,
                  uint64_t roomBytes) {
  size_t count = oldestFirst.size();
  uint64_t bytes = 0;
  for (const KeptRun& run : oldestFirst) bytes += run.bytes;
  const uint64_t byteLimit = kKeptRunBytes > roomBytes ? kKeptRunBytes - roomBytes : 0;
  size_t removed = 0;
  for (const KeptRun& run : oldestFirst) {
    if (count < kKeptRuns && bytes <= byteLimit) break;
    if (!remove(run.name)) continue;
    ++removed;
    --count;
    bytes -= run.bytes;
  }
  return removed;
}

}  // namespace updater
