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
