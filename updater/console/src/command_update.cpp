#include <cstdio>

#include "console/chosen_printer.h"
#include "console/commands.h"
#include "console/log_writer.h"
#include "console/printer_choice.h"
#include "console/printer_turn.h"
#include "console/run_history.h"
#include "console/run_reporter.h"
#include "console/update_report.h"
#include "update_command.h"
#include "updater/run_files.h"
#include "updater/status_codes.h"
#include "updater/usable_port.h"

namespace qmqn {
namespace {

Outcome checkOutcome(updater::CheckEnd end) {
  switch (end) {
    case updater::CheckEnd::BadHandle: return Outcome::NotReady;
    case updater::CheckEnd::PortInUse: return Outcome::PortInUse;
    case updater::CheckEnd::NotQmQn: return Outcome::NotQmQn;
    case updater::CheckEnd::PrinterError: return Outcome::NotReady;
    case updater::CheckEnd::UpdateDue: return Outcome::UpdateDue;
    case updater::CheckEnd::UpToDate: return Outcome::UpToDate;
  }
  return Outcome::NotReady;
}

Outcome runOutcome(updater::RunEnd end) {
  switch (end) {
    case updater::RunEnd::BadFile: return Outcome::BadDataFile;
    case updater::RunEnd::StatusNotReady: return Outcome::NotReady;
    case updater::RunEnd::FirmwareFailed:
    case updater::RunEnd::ColorDataFailed: return Outcome::PrinterFailed;
    case updater::RunEnd::Complete: return Outcome::Updated;
    case updater::RunEnd::Ignored: break;
  }
  return Outcome::NotReady;
}

// A status of the firmware update group other than rewrite mode: the
// printer may still be writing its flash after a run that was cut off.
bool stillWriting(uint32_t status) {
  return (status & 0xFFFF0000u) == (updater::kFlashRewriteMode & 0xFFFF0000u) &&
         status != updater::kFlashRewriteMode;
}

std::string shown(const std::string& value) { return value.empty() ? "(not read)" : value; }

std::string_view outcomeText(Outcome outcome) {
  switch (outcome) {
    case Outcome::Updated: return "updated";
    case Outcome::UpdateDue: return "update due";
    default: return rowOf(outcome).meaning;
  }
}

std::string summary(const UpdateReport& r, bool check) {
  std::string s = r.printer + " (" + r.port + (r.family.empty() ? "" : ", " + r.family) + "): " +
                  std::string(check && r.outcome == Outcome::UpToDate ? "up to date" : outcomeText(r.outcome));
  if (!r.message.empty()) s += " - " + r.message;
  if (!r.before.firmware.empty() || !r.after.firmware.empty()) {
    s += "\n  firmware     " + shown(r.before.firmware);
    if (r.after.firmware != r.before.firmware) s += " -> " + shown(r.after.firmware);
  }
  if (r.family == "QM") {
    const auto pair = [](const std::string& version, const std::string& checksum) {
      return version.empty() && checksum.empty() ? std::string("(not read)") : version + " " + checksum;
    };
    s += "\n  colour data  " + pair(r.before.colorDataVersion, r.before.colorDataChecksum);
    if (r.after.colorDataVersion != r.before.colorDataVersion || r.after.colorDataChecksum != r.before.colorDataChecksum) {
      s += " -> " + pair(r.after.colorDataVersion, r.after.colorDataChecksum);
    }
  }
  if (r.durationMs == 0) return s;
  char took[32];
  std::snprintf(took, sizeof took, "%.1f s", static_cast<double>(r.durationMs) / 1000.0);
  return s + "\n  took         " + took;
}

}  // namespace

UpdateCommand::UpdateCommand(const Arguments& a, Tool& tool)
    : a_(a), tool_(tool), reporter_(tool.out, tool.host, tool.stop, a.json) {
  reporter_.relay(a.child);
}


// Inputs before the printer: a log that can't be written ends the command
// before any printer command.
bool UpdateCommand::openLog() {
  if (a_.logFile.empty() || tool_.log.open(a_.logFile)) return true;
  tool_.out.line(Stream::Err, "Cannot open the log file " + a_.logFile + "; no printer was touched.");
  return false;
}

UpdateReport UpdateCommand::started(const std::string& name, const std::string& port) {
  UpdateReport r;
  r.time = tool_.host.timestamp();
  r.host = tool_.host.hostName();
  r.printer = name;
  r.port = port;
  return r;
}

// A printer passed over without a command: its reason, and whether it
// counts as not ready or, known to be of neither family, for nothing.
UpdateReport UpdateCommand::passedOver(const std::string& name, const updater::PortRecord& record) {
  UpdateReport r = started(name, portText(record));
  const std::optional<updater::Family> family = updater::familyOfMonitor(record.monitorDll);
  const bool neither = family == updater::Family::None;
  r.family = family ? familyCode(*family) : std::string();
  r.outcome = neither ? Outcome::NotQmQn : Outcome::NotReady;
  r.message = "passed over: " + std::string(neither ? "not a QM/QN printer" : usabilityText(usabilityOf(record)));
  return r;
}

UpdateReport UpdateCommand::notStarted(const std::string& name, const std::string& port) {
  UpdateReport r = started(name, port);
  r.outcome = Outcome::Stopped;
  r.message = "not started: stop requested";
  return r;
}

// Says once that the last update on the port was cut off, with a log line
// of its own.
void UpdateCommand::noticeCutOff(const std::string& port) {
  const std::optional<RunSummary> last = lastRunOn(tool_.runs, port, tool_.caseRules);
  if (!last || last->state != RunSummary::State::Interrupted || last->noticed) return;
  std::string where = last->lastStep > 0 ? " in step " + std::to_string(last->lastStep) : std::string();
  tool_.out.line(Stream::Err, "The last update of " + last->printer + " (" + last->port + "), started " +
                                  last->start + ", was interrupted" + where +
                                  ": the printer may still be writing its flash ROM or be left in rewrite mode.");
  if (!a_.logFile.empty()) {
    UpdateReport cut;
    cut.time = last->start;
    cut.host = last->host;
    cut.printer = last->printer;
    cut.port = last->port;
    cut.family = last->family;
    cut.before = {last->before.firmware, last->before.colorDataVersion, last->before.colorDataChecksum};
    writeLogLine(interruptedLogLine(cut));
  }
  tool_.runs.markNoticed(last->file);
}

UpdateReport UpdateCommand::update(const std::string& name, const std::string& port) {
  UpdateReport r = started(name, port);
  const uint64_t start = tool_.clock.nowMs();
  // Gone, offline or changed since it was found.
  if (updater::printerPort(tool_.printers, name).empty()) {
    r.outcome = Outcome::NoSuchPrinter;
    r.message = "no longer listed";
    return r;
  }
  if (!checkOnly()) noticeCutOff(port);
  reporter_.begin(name);
  PrinterTurn turn(tool_, reporter_);
  updater::Updater& updater = turn.updater();
  const updater::UpdateState& state = turn.state();
  const updater::CheckEnd end = updater.check(name, a_.japanese);
  r.family = familyCode(state.family);
  r.before = versionsOf(state);
  r.outcome = checkOutcome(end);
  r.message = state.notice;
  if (end == updater::CheckEnd::PrinterError && stillWriting(state.status)) {
    r.message = "the printer may still be writing its flash ROM: leave it switched on, wait a few minutes "
                "and run qmqn again";
    tool_.out.line(Stream::Err, name + ": " + r.message + ".");
  } else if (a_.force && end != updater::CheckEnd::NotQmQn) {
    // --force runs even on an up-to-date printer or one in an error state,
    // as the window's hidden gesture does.
    updater.allowStart();
  }
  r.after = r.before;
  // A printer process of update --all says what --all says of it.
  if (r.outcome == Outcome::NotQmQn && a_.child != Arguments::Child::None) r.message = "passed over: not a QM/QN printer";
  if (checkOnly()) return r;
  if (r.outcome == Outcome::UpdateDue) r.outcome = Outcome::Updated;
  if (state.startAllowed) run(turn, r);
  r.durationMs = tool_.clock.nowMs() - start;
  return r;
}

void UpdateCommand::run(PrinterTurn& turn, UpdateReport& r) {
  if (tool_.stop.requested()) {
    reporter_.noticeStop();
    r.outcome = Outcome::Stopped;
    return;
  }
  const updater::RunEnd end = turn.updater().start();
  const updater::UpdateState& state = turn.state();
  r.outcome = runOutcome(end);
  r.message = state.notice;
  if (state.refusedFile && state.refusedFile->problem == updater::FileProblem::Changed) {
    r.message = state.refusedFile->name + " is not the file this package was built with (changed or damaged); "
                "the printer was not touched";
  }
  if (state.recordFailed && !recordFailureSaid_) {
    recordFailureSaid_ = true;
    tool_.out.line(Stream::Err, "The run could not be recorded in the host's run history; the update was not affected.");
  }
  // The printer was not touched: it holds what it held.
  if (end == updater::RunEnd::BadFile || end == updater::RunEnd::StatusNotReady) return;
  // Read back what a run that ended early did not.
  if (versionsOf(state).firmware.empty() || (state.family == updater::Family::Qm && versionsOf(state).colorDataVersion.empty())) {
    turn.updater().readBack();
  }
  r.after = versionsOf(state);
}

void UpdateCommand::writeLogLine(const std::string& line) {
  if (appendLogLine(tool_.log, tool_.clock, tool_.stop, line) != LogFile::Append::Written) {
    tool_.out.line(Stream::Err, "Could not append to the log file " + a_.logFile + " (held by another process or not writable).");
  }
}

Outcome UpdateCommand::report(const UpdateReport& r) {
  if (a_.json) {
    tool_.out.line(Stream::Out, checkOnly() ? jsonCheckLine(r) : jsonLine(r));
  } else {
    tool_.out.line(Stream::Out, summary(r, checkOnly()));
  }
  if (!a_.logFile.empty()) writeLogLine(logLine(r));
  return r.outcome;
}

Outcome UpdateCommand::one() {
  const ChosenPrinter chosen = findPrinter(a_.target, tool_);
  if (chosen.refused == Outcome::NotReady) {
    return report(passedOver(chosen.name, tool_.printers.portRecord(chosen.name)));
  }
  if (chosen.refused) return *chosen.refused;
  return report(update(chosen.name, chosen.port));
}

// Every installed printer gets its line. Passed over: one known to be of
// neither family counts for nothing unless no printer is QM/QN; one that
// can't be used counts as not ready.
Outcome UpdateCommand::all() {
  std::optional<Outcome> worst;
  bool any = false;
  for (const std::string& name : tool_.printers.installedPrinters()) {
    any = true;
    const updater::PortRecord record = tool_.printers.portRecord(name);
    UpdateReport r;
    if (usabilityOf(record) != Usability::Usable) {
      r = passedOver(name, record);
    } else if (tool_.stop.requested()) {
      r = notStarted(name, portText(record));
    } else {
      r = update(name, portText(record));
      if (r.outcome == Outcome::NotQmQn) r.message = "passed over: not a QM/QN printer";
    }
    const Outcome o = report(r);
    if (o != Outcome::NotQmQn) worst = worst ? worse(*worst, o) : o;
  }
  return worstOf(worst, any);
}

Outcome UpdateCommand::worstOf(const std::optional<Outcome>& worst, bool any) {
  if (worst) return *worst;
  tool_.out.line(Stream::Err, any ? "No QM/QN printer is installed." : "No printer is installed.");
  return any ? Outcome::NotQmQn : Outcome::NoSuchPrinter;
}

int updatePrinters(const Arguments& arguments, Tool& tool) {
  UpdateCommand command(arguments, tool);
  if (arguments.command == Command::Check) {
    const Outcome o = arguments.target.by == Target::By::All ? command.all() : command.one();
    return exitCode(o == Outcome::UpToDate ? Outcome::Updated : o);
  }
  if (!command.openLog()) return exitCode(Outcome::BadLogFile);
  // A package whose release files are not the ones it was built with
  // updates no printer; no printer is even asked.
  if (tool.record) {
    if (const auto changed = updater::changedReleaseFile(tool.files, *tool.record)) {
      tool.out.line(Stream::Err, changed->name + " is not the file this package was built with (changed or damaged); "
                                                 "no printer was touched. Reinstall the package.");
      return exitCode(Outcome::BadDataFile);
    }
  }
  if (arguments.target.by != Target::By::All) return exitCode(command.one());
  return exitCode(arguments.parallel != 0 && tool.processes ? command.parallel() : command.all());
}

int runCommand(const Arguments& arguments, Tool& tool) {
  switch (arguments.command) {
    case Command::List: return listPrinters(arguments, tool);
    case Command::Info: return showInfo(arguments, tool);
    case Command::Check:
    case Command::Update: return updatePrinters(arguments, tool);
    case Command::History: return showHistory(arguments, tool);
    case Command::Help: break;
  }
  tool.out.line(Stream::Out, helpText());
  return exitCode(Outcome::Updated);
}

}  // namespace qmqn
