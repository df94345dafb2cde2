// What the qmqn commands need of the host beyond the updater core's services:
// the spooler's record of a printer, output lines, the host's name and time,
// a log file, and the user's request to stop.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "updater/library_loader.h"

namespace qmqn {

// The status libraries' loader, which can also let them go: a library holds
// the names of ten ports, so each printer gets the libraries afresh, as a
// program start would.
class ReloadableLoader : public updater::LibraryLoader {
 public:
  // Unloads every library loaded; what was found in them is no longer valid.
  virtual void unloadAll() = 0;

 protected:
  ~ReloadableLoader() = default;
};

// A printer's port field and attributes as the spooler holds them.
struct PortRecord {
  bool readable = false;
  uint32_t attributes = 0;
  std::u16string portField;  // up to the end of what the spooler filled
};

class PrinterRecords {
 public:
  virtual PortRecord record(const std::string& deviceName) = 0;

 protected:
  ~PrinterRecords() = default;
};

enum class Stream { Out, Err };

class Output {
 public:
  // One line, UTF-8, without its line end.
  virtual void line(Stream stream, std::string_view text) = 0;
  // Replaces the status line under the last line (a console only).
  virtual void status(std::string_view text) = 0;
  // A console, not a file or pipe, is on the other end of standard output.
  virtual bool console() const = 0;

 protected:
  ~Output() = default;
};

class HostFacts {
 public:
  virtual std::string hostName() = 0;
  // Now, UTC, as 2026-12-08T12:04:05Z.
  virtual std::string timestamp() = 0;

 protected:
  ~HostFacts() = default;
};

class LogFile {
 public:
  // Appends the line and a line end; false when the file can't be written.
  virtual bool append(const std::string& path, std::string_view line) = 0;

 protected:
  ~LogFile() = default;
};

class StopSignal {
 public:
  // Ctrl+C, Ctrl+Break or a closing console since the command started.
  virtual bool requested() = 0;

 protected:
  ~StopSignal() = default;
};

}  // namespace qmqn
