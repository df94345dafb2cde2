#include "console/exit_codes.h"

namespace qmqn {
namespace {

// 0 and 10 are the success codes to declare in a deployment tool; check
// answers 0 for up to date, 12 for an update due.
constexpr ExitCodeRow kRows[] = {
    {Outcome::Updated, 0, 0, "updated", "updated (list, info: done; check: up to date)"},
    {Outcome::UpToDate, 10, 1, "up-to-date", "already up to date, nothing done"},
    {Outcome::UpdateDue, 12, 2, "update-due", "check: an update is due"},
    {Outcome::Stopped, 11, 3, "stopped", "stopped on request before the printer was touched"},
    {Outcome::NoSuchPrinter, 20, 5, "no-such-printer", "no such printer"},
    {Outcome::NotQmQn, 21, 4, "not-qm-qn", "not a QM/QN printer"},
    {Outcome::NotReady, 22, 6, "not-ready",
     "printer not ready (offline, no bidirectional support, port name too long, printer error)"},
    {Outcome::PortInUse, 23, 7, "port-in-use", "another process holds the printer"},
    {Outcome::BadDataFile, 30, 8, "bad-data-file",
     "a data file is missing or invalid; the printer was not touched"},
    {Outcome::BadLogFile, 31, 8, "bad-log-file", "the --log file cannot be opened; no printer was touched"},
    {Outcome::PrinterFailed, 40, 9, "printer-failed", "the printer failed during the update"},
    {Outcome::BadUsage, 64, 10, "bad-usage", "bad usage"},
};

}  // namespace

std::span<const ExitCodeRow> exitCodeTable() { return kRows; }

const ExitCodeRow& rowOf(Outcome outcome) {
  for (const ExitCodeRow& row : kRows) {
    if (row.outcome == outcome) return row;
  }
  return kRows[std::size(kRows) - 1];
}

std::optional<Outcome> outcomeOfCode(int code) {
  for (const ExitCodeRow& row : kRows) {
    if (row.code == code) return row.outcome;
  }
  return std::nullopt;
}

Outcome worse(Outcome a, Outcome b) { return rowOf(b).severity > rowOf(a).severity ? b : a; }

}  // namespace qmqn
