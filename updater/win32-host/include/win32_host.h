// The Windows side of the updater core's host services (updater/host.h and
// updater/library_loader.h), shared by every front end: the spooler's
// printers and the per-port lock, files beside the program, the ANSI code
// page, a clock whose waits keep the thread's windows answering, the run
// guard, and the status libraries' loader.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "updater/host.h"
#include "updater/library_loader.h"
#include "updater/run_journal.h"

namespace updater::win32 {

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// The spooler's printers through the wide functions, and one named lock per
// claimed port, for every session on the host. A port this process holds
// passes again: two spooler queues on one port are one printer, which qmqn
// may look at twice (update --all) while no other process may.
class SpoolerPrinters final : public PrinterHost {
 public:
  std::vector<std::string> installedPrinters() override;
  PortRecord portRecord(const std::string& deviceName) override;
  bool claimPort(std::u16string_view port) override;

 private:
  std::vector<std::wstring> claimed_;  // lock names, as portLockName makes them
  std::vector<OwnedHandle> portLocks_;
};

// Files in the directory of the running program.
class ModuleDirectoryFiles final : public ProgramFiles {
 public:
  FileContents read(std::string_view name, size_t maxBytes) override;
};

class AnsiCodePage final : public CodePage {
 public:
  bool isLeadByte(uint8_t byte) const override;
  std::string toUtf8(std::string_view ansi) const override;
};

// A performance-counter clock whose sleeps and yields run the thread's
// pending messages, so that no window of the thread is ever taken for hung.
class PumpingClock final : public Clock {
 public:
  // Runs one message; by default TranslateMessage and DispatchMessageW.
  using Dispatch = std::function<void(MSG&)>;
  explicit PumpingClock(Dispatch dispatch = {});
  void sleep(uint32_t ms) override;
  uint64_t nowMs() override;
  void yield() override;

 private:
  Dispatch dispatch_;
  LARGE_INTEGER frequency_{};
};

// For the length of a run: the system stays awake and, when the front end
// has a top-level window, a shutdown waits with the reason shown.
class PowerRunGuard final : public RunGuard {
 public:
  // window: the front end's top-level window at the time of the run, or
  // null. reportProperty: a window property that gets 0x100 plus 1 (kept
  // awake) and 2 (shutdown held off), for automation; null: none.
  explicit PowerRunGuard(std::function<HWND()> window = {}, const wchar_t* reportProperty = nullptr)
      : window_(std::move(window)), reportProperty_(reportProperty) {}
  void runStarted() override;
  void runEnded() override;

 private:
  std::function<HWND()> window_;
  const wchar_t* reportProperty_;
};

// LoadLibraryA within the restricted DLL search (win32_dll_search.h),
// GetProcAddress, and FreeLibrary of everything it loaded.
class SystemLibraryLoader final : public LibraryLoader {
 public:
  SystemLibraryLoader() = default;
  SystemLibraryLoader(const SystemLibraryLoader&) = delete;
  SystemLibraryLoader& operator=(const SystemLibraryLoader&) = delete;
  ~SystemLibraryLoader() { unloadAll(); }
  void* load(const char* fileName) override;
  Function find(void* library, const char* name) override;
  void unloadAll() override;

 private:
  std::vector<HMODULE> loaded_;
};


// The runs folder, QMQN\runs under the common application data folder,
// made when missing; empty when it can't be.
std::wstring runsFolder();

// Each run's record as a file of its own in the runs folder.
class RunFolderJournal final : public RunJournal {
 public:
  std::vector<RecordField> origin() override;
  bool create(std::string_view port, std::string_view firstLine) override;
  bool write(std::string_view line) override;
  void close() override;

 private:
  OwnedHandle file_;
};

}  // namespace updater::win32
