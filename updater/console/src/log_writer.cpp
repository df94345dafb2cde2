#include "console/log_writer.h"

namespace qmqn {

LogFile::Append appendLogLine(LogFile& log, updater::Clock& clock, StopSignal& stop, std::string_view line) {
  const uint64_t deadline = clock.nowMs() + kLogWaitMs;
  for (;;) {
    const LogFile::Append result = log.tryAppend(line);
    if (result != LogFile::Append::Busy || stop.requested() || clock.nowMs() >= deadline) return result;
    clock.sleep(kLogRetryMs);
  }
}

}  // namespace qmqn
