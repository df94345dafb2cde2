// What the updater needs of the host besides the window: the installed
// printers and their ports, the port dialog, message boxes, files beside the
// program, the ANSI code page, and time.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace updater {

class PrinterHost {
 public:
  // Device names (UTF-8) of the installed printers, in the host's order.
  virtual std::vector<std::string> installedPrinters() = 0;
  // GetPrinterPort: the port name as the spooler reports it (UTF-16), empty
  // when the printer works offline, has no bidirectional support, can't be
  // read, or has a port name longer than the status libraries hold.
  virtual std::u16string printerPort(const std::string& deviceName) = 0;
  // Claims the port for this process until it ends (the system releases the
  // claim if the process dies); false when another process holds it.
  virtual bool claimPort(std::u16string_view port) = 0;

 protected:
  ~PrinterHost() = default;
};

struct PortChoice {
  enum class End { Ok, Cancel, Closed };
  End end = End::Closed;
  int listIndex = 0;     // meaningful with Ok
  bool japanese = false; // meaningful with Ok
};

class PortDialog {
 public:
  // Modal; lists the names, first selected, "English" selected.
  virtual PortChoice show(std::span<const std::string> deviceNames) = 0;

 protected:
  ~PortDialog() = default;
};

class MessageBoxes {
 public:
  // OK button only; caption kProgramTitle.
  virtual void show(std::string_view text) = 0;

 protected:
  ~MessageBoxes() = default;
};

enum class FileStatus { Ok, Missing, Unreadable, TooLarge };

struct FileContents {
  FileStatus status = FileStatus::Missing;
  std::vector<uint8_t> bytes;
};

class ProgramFiles {
 public:
  // Reads a file of the program's directory whole. A file longer than
  // maxBytes is TooLarge and is not read.
  virtual FileContents read(std::string_view name, size_t maxBytes) = 0;

 protected:
  ~ProgramFiles() = default;
};

class CodePage {
 public:
  virtual bool isLeadByte(uint8_t byte) const = 0;
  virtual std::string toUtf8(std::string_view ansi) const = 0;

 protected:
  ~CodePage() = default;
};

class Clock {
 public:
  // Waits ms; a window front end keeps processing its events meanwhile, so
  // that the system never takes it for hung during the long waits of a run.
  virtual void sleep(uint32_t ms) = 0;
  virtual uint64_t nowMs() = 0;
  // Lets the front end process pending events. A run never ends at a yield:
  // a front end that must stop waits until the run has ended by itself.
  virtual void yield() = 0;

 protected:
  ~Clock() = default;
};

// Keeps the host awake and asks a shutdown to wait while a run is in
// progress: a printer cut off in the middle of a flash write may not start.
class RunGuard {
 public:
  virtual void runStarted() = 0;
  virtual void runEnded() = 0;

 protected:
  ~RunGuard() = default;
};

}  // namespace updater
