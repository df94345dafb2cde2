// What one printer's update came to, as the summary line, the log line and
// the JSON object.
#pragma once
#include <cstdint>
#include <string>

#include "console/exit_codes.h"

namespace qmqn {

struct Versions {
  std::string firmware;
  std::string colorDataVersion;
  std::string colorDataChecksum;
};

struct UpdateReport {
  std::string time;  // when the printer's turn began, UTC
  std::string host;
  std::string printer;
  std::string port;
  std::string family;  // "QM", "QN" or empty
  Versions before;
  Versions after;
  Outcome outcome = Outcome::NoSuchPrinter;
  std::string message;  // the window's status text or the reason
  uint64_t durationMs = 0;
};

// Tab-separated, one line: time, host, printer, port, family, firmware
// before, firmware after, colour data version before, after, checksum before,
// after, outcome name, exit code, duration in seconds. Tabs and line ends
// inside a field become blanks; an empty field is "-".
std::string logLine(const UpdateReport& report);
std::string jsonLine(const UpdateReport& report);

}  // namespace qmqn
