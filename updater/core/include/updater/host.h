// What the updater needs of the host besides its front end: the installed
// printers and their ports, files beside the program, the ANSI code page,
// time, and a guard for the length of a run.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace updater {

// A printer's port field and attributes as the spooler holds them.
struct PortRecord {
  bool readable = false;
  uint32_t attributes = 0;
  std::u16string portField;  // from the port name's start to the end of what the spooler filled
  // The file of the language monitor that the printer's driver names;
  // empty when the host can't tell.
  std::string monitorDll;
};

class PrinterHost {
 public:
  // Device names (UTF-8) of the installed printers, in the host's order.
  virtual std::vector<std::string> installedPrinters() = 0;
  // The printer's record; not readable when it can't be opened or read.
  virtual PortRecord portRecord(const std::string& deviceName) = 0;
  // Claims the port for this process until it ends (the system releases the
  // claim if the process dies); false when another process holds it.
  virtual bool claimPort(std::u16string_view port) = 0;

 protected:
  ~PrinterHost() = default;
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
