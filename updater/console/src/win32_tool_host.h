// The console program's host services beyond the shared Win32 ones: the host
// name and time, and the log file.
#pragma once
#include <windows.h>

#include "console/tool_host.h"

namespace qmqn::win32 {

class SystemFacts final : public HostFacts {
 public:
  std::string hostName() override;
  std::string timestamp() override;
};

// Appends under a write lock of the whole file, so that several qmqn
// processes writing one shared log never mix their lines.
class AppendedLog final : public LogFile {
 public:
  bool append(const std::string& path, std::string_view line) override;
};

}  // namespace qmqn::win32
