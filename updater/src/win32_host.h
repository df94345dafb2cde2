// The Windows side of the updater's host services (updater/host.h).
#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

#include "updater/host.h"

namespace updater::win32 {

class Form1;

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// The spooler's printers through the wide functions, and one named lock per
// claimed port.
class SpoolerPrinters final : public PrinterHost {
 public:
  std::vector<std::string> installedPrinters() override;
  std::u16string printerPort(const std::string& deviceName) override;
  bool claimPort(std::u16string_view port) override;

 private:
  std::vector<OwnedHandle> portLocks_;
};

// MessageBoxW with the program's title and an OK button; owned by Form1 once
// it is shown.
class MessageBoxWindows final : public MessageBoxes {
 public:
  explicit MessageBoxWindows(const Form1& form) : form_(form) {}
  void show(std::string_view text) override;

 private:
  const Form1& form_;
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

// Sleeps that keep Form1 answering, a performance-counter clock, and yields
// that run Form1's pending messages.
class WindowClock final : public Clock {
 public:
  explicit WindowClock(Form1& form);
  void sleep(uint32_t ms) override;
  uint64_t nowMs() override;
  bool yield() override;

 private:
  Form1& form_;
  LARGE_INTEGER frequency_{};
};

// For the length of a run: the system stays awake, and a shutdown waits with
// the reason shown. Form1 refuses to close meanwhile (its Close is disabled).
class PowerRunGuard final : public RunGuard {
 public:
  explicit PowerRunGuard(const Form1& form) : form_(form) {}
  void runStarted() override;
  void runEnded() override;

 private:
  const Form1& form_;
};

}  // namespace updater::win32
