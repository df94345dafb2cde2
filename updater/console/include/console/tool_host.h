// What the qmqn commands need of the host beyond the updater core's services:
// output lines, the host's name and time, a log file, and the user's request
// to stop.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>


namespace qmqn {

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
  // Makes sure the file can be appended to, creating it when missing; false
  // when it can't be (no such folder, no right to write, not a file). A file
  // that another process holds open is fine here.
  virtual bool open(const std::string& path) = 0;
  enum class Append { Written, Busy, Failed };
  // Appends the line and a line end to the opened file under a lock of the
  // whole file, or says why not at once: Busy while another process holds
  // the file or its lock.
  virtual Append tryAppend(std::string_view line) = 0;

 protected:
  ~LogFile() = default;
};

// The host's rules for letter case, to match names as a technician types them.
class CaseRules {
 public:
  // Every character in upper case, as the host compares names (UTF-8).
  virtual std::string upper(std::string_view text) const = 0;

 protected:
  ~CaseRules() = default;
};

class StopSignal {
 public:
  // Ctrl+C, Ctrl+Break or a closing console since the command started.
  virtual bool requested() = 0;

 protected:
  ~StopSignal() = default;
};

}  // namespace qmqn
