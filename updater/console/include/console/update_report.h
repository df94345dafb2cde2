// What one printer's update came to, as the summary line, the log line and
// the JSON object.
#pragma once
#include <cstdint>
#include <string>

#include "console/exit_codes.h"
#include "updater/update_state.h"

namespace qmqn {

// Empty: not read (the printer did not answer, or was not asked).
struct Versions {
  std::string firmware;
  std::string colorDataVersion;
  std::string colorDataChecksum;
};

// The values as the core last read them; empty where nothing was read.
Versions versionsOf(const updater::UpdateState& state);
// "QM", "QN", or empty for neither family.
std::string familyCode(updater::Family family);

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
// check's object: the versions read, the outcome, and whether an update is
// due (null when the printer could not be checked).
std::string jsonCheckLine(const UpdateReport& report);
// The log line of a run that was cut off: its start, printer and values
// before, the outcome "interrupted" and no exit code or duration.
std::string interruptedLogLine(const UpdateReport& report);

}  // namespace qmqn
