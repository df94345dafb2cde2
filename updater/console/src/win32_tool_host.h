// The console program's host services beyond the shared Win32 ones: the host
// name and time, the log file and the host's letter case.
#pragma once
#include <windows.h>

#include <string>

#include "console/tool_host.h"

namespace qmqn::win32 {

class SystemFacts final : public HostFacts {
 public:
  std::string hostName() override;
  std::string timestamp() override;
};

// Appends under a write lock of the whole file, so that several qmqn
// processes writing one shared log never mix their lines; a file held by
// another process is reported at once, for the caller to wait.
class AppendedLog final : public LogFile {
 public:
  bool open(const std::string& path) override;
  Append tryAppend(std::string_view line) override;

 private:
  std::wstring name_;
};

class HostCaseRules final : public CaseRules {
 public:
  std::string upper(std::string_view text) const override;
};

}  // namespace qmqn::win32
