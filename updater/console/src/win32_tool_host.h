// The console program's host services beyond the shared Win32 ones: the
// spooler's port record, the host name and time, the log file, and a
// library loader that can unload.
#pragma once
#include <windows.h>

#include <vector>

#include "console/tool_host.h"

namespace qmqn::win32 {

// LoadLibraryA within the restricted DLL search, GetProcAddress, FreeLibrary.
class UnloadingLoader final : public ReloadableLoader {
 public:
  ~UnloadingLoader() { unloadAll(); }
  void* load(const char* fileName) override;
  Function find(void* library, const char* name) override;
  void unloadAll() override;

 private:
  std::vector<HMODULE> loaded_;
};

class SpoolerRecords final : public PrinterRecords {
 public:
  PortRecord record(const std::string& deviceName) override;
};

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
