// The Windows side of the updater's host services (updater/host.h).
#pragma once
#include <windows.h>

#include "updater/host.h"

namespace updater::win32 {

class Form1;

class SpoolerPrinters final : public PrinterHost {
 public:
  std::vector<std::string> installedPrinters() override;
  std::string printerPort(const std::string& deviceName) override;
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
  std::u16string toUtf16(std::string_view ansi) const override;
};

// Blocking sleeps, a performance-counter clock, and yields that run Form1's
// pending messages.
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

}  // namespace updater::win32
