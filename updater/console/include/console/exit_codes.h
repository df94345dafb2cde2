// What a command ends with, and the exit code a deployment tool reads for it.
#pragma once
#include <optional>
#include <span>
#include <string_view>

namespace qmqn {

enum class Outcome {
  Updated,
  UpToDate,
  UpdateDue,
  Stopped,
  NoSuchPrinter,
  NotQmQn,
  NotReady,
  PortInUse,
  BadDataFile,
  BadLogFile,
  PrinterFailed,
  BadUsage,
};

struct ExitCodeRow {
  Outcome outcome;
  int code;
  int severity;  // with several printers the highest wins
  std::string_view name;  // in --json and the log
  std::string_view meaning;  // in --help and the README
};

std::span<const ExitCodeRow> exitCodeTable();
const ExitCodeRow& rowOf(Outcome outcome);
inline int exitCode(Outcome outcome) { return rowOf(outcome).code; }
Outcome worse(Outcome a, Outcome b);
// The outcome a qmqn exit code stands for; none for a code qmqn never gives.
std::optional<Outcome> outcomeOfCode(int code);

}  // namespace qmqn
