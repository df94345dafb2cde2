// A line into the --log file, which other processes (qmqn on other hosts, a
// reader) may hold: waited for at most kLogWaitMs, a stop request still
// answered, and never longer than that.
#pragma once
#include <string_view>

#include "console/tool_host.h"
#include "updater/host.h"

namespace qmqn {

inline constexpr uint32_t kLogWaitMs = 30'000;
inline constexpr uint32_t kLogRetryMs = 250;

LogFile::Append appendLogLine(LogFile& log, updater::Clock& clock, StopSignal& stop, std::string_view line);

}  // namespace qmqn
