#include <cstdio>

#include "console/chosen_printer.h"
#include "console/commands.h"
#include "console/printer_choice.h"
#include "console/printer_turn.h"
#include "console/run_reporter.h"
#include "console/update_report.h"

namespace qmqn {
namespace {

Outcome checkOutcome(updater::CheckEnd end) {
  switch (end) {
    case updater::CheckEnd::BadHandle: return Outcome::NotReady;
    case updater::CheckEnd::PortInUse: return Outcome::PortInUse;
    case updater::CheckEnd::NotQmQn: return Outcome::NotQmQn;
    case updater::CheckEnd::PrinterError: return Outcome::NotReady;
    case updater::CheckEnd::UpdateDue: return Outcome::Updated;
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

std::string summary(const UpdateReport& r) {
  const ExitCodeRow& row = rowOf(r.outcome);
  std::string s = r.printer + " (" + r.port + (r.family.empty() ? "" : ", " + r.family) + "): " +
                  std::string(r.outcome == Outcome::Updated ? row.name : row.meaning);
  if (!r.message.empty()) s += " - " + r.message;
  if (!r.before.firmware.empty() || !r.after.firmware.empty()) {
    s += "\n  firmware     " + r.before.firmware;
    if (r.after.firmware != r.before.firmware) s += " -> " + r.after.firmware;
  }
  if (r.family == "QM") {
    s += "\n  colour data  " + r.before.colorDataVersion + " " + r.before.colorDataChecksum;
    if (r.after.colorDataVersion != r.before.colorDataVersion || r.after.colorDataChecksum != r.before.colorDataChecksum) {
      s += " -> " + r.after.colorDataVersion + " " + r.after.colorDataChecksum;
    }
  }
  char took[32];
  std::snprintf(took, sizeof took, "%.1f s", static_cast<double>(r.durationMs) / 1000.0);
  return s + "\n  took         " + took;
}

class UpdateCommand {
 public:
  UpdateCommand(const Arguments& a, Tool& tool)
      : a_(a), tool_(tool), reporter_(tool.out, tool.host, tool.clock, tool.stop, a.json) {}

  UpdateReport update(const std::string& name, const std::string& port) {
    UpdateReport r;
    r.time = tool_.host.timestamp();
    r.host = tool_.host.hostName();
    r.printer = name;
    r.port = port;
    const uint64_t start = tool_.clock.nowMs();
    // Gone, offline or changed since it was found.
    if (updater::printerPort(tool_.printers, name).empty()) {
      r.outcome = Outcome::NoSuchPrinter;
      r.message = "no longer listed";
      return r;
    }
    reporter_.begin(name);
    PrinterTurn turn(tool_, reporter_);
    updater::Updater& updater = turn.updater();
    const updater::CheckEnd end = updater.check(name, a_.japanese);
    r.family = familyCode(turn.state().family);
    r.before = versionsOf(turn.state());
    r.outcome = checkOutcome(end);
    // --force runs even on an up-to-date printer or one in an error state,
    // as the window's hidden gesture does; never on one of neither family.
    if (a_.force && end != updater::CheckEnd::NotQmQn) updater.allowStart();
    if (turn.state().startAllowed) {
      if (tool_.stop.requested()) {
        reporter_.noticeStop();
        r.outcome = Outcome::Stopped;
      } else {
        r.outcome = runOutcome(updater.start());
      }
    }
    r.after = versionsOf(turn.state());
    r.message = turn.state().notice;
    const auto& refused = turn.state().refusedFile;
    if (refused && refused->problem == updater::FileProblem::Changed) {
      r.message = refused->name + " is not the file this package was built with (changed or damaged); "
                  "the printer was not touched";
    }
    r.durationMs = tool_.clock.nowMs() - start;
    return r;
  }

  Outcome report(const UpdateReport& r) {
    if (a_.json) {
      tool_.out.line(Stream::Out, jsonLine(r));
    } else {
      tool_.out.line(Stream::Out, summary(r));
    }
    if (!a_.logFile.empty() && !tool_.log.append(a_.logFile, logLine(r))) {
      tool_.out.line(Stream::Err, "Cannot append to the log file " + a_.logFile);
    }
    return r.outcome;
  }

  Outcome one() {
    const ChosenPrinter chosen = findPrinter(a_.target, tool_);
    if (chosen.refused) return *chosen.refused;
    return report(update(chosen.name, chosen.port));
  }

  // Every usable printer; one that is not QM/QN is passed over and counts for
  // nothing unless no printer is QM/QN.
  Outcome all() {
    std::optional<Outcome> worst;
    bool any = false;
    for (const std::string& name : tool_.printers.installedPrinters()) {
      const updater::PortRecord record = tool_.printers.portRecord(name);
      if (usabilityOf(record) != Usability::Usable) continue;
      any = true;
      UpdateReport r;
      if (tool_.stop.requested()) {
        r.time = tool_.host.timestamp();
        r.host = tool_.host.hostName();
        r.printer = name;
        r.port = portText(record);
        r.outcome = Outcome::Stopped;
        r.message = "not started: stop requested";
      } else {
        r = update(name, portText(record));
      }
      if (r.outcome == Outcome::NotQmQn) {
        if (!a_.json) tool_.out.line(Stream::Out, r.printer + " (" + r.port + "): passed over, not a QM/QN printer");
        continue;
      }
      const Outcome o = report(r);
      worst = worst ? worse(*worst, o) : o;
    }
    if (worst) return *worst;
    tool_.out.line(Stream::Err, any ? "No QM/QN printer is installed." : "No usable printer is installed.");
    return any ? Outcome::NotQmQn : Outcome::NoSuchPrinter;
  }

 private:
  const Arguments& a_;
  Tool& tool_;
  RunReporter reporter_;
};

}  // namespace

int updatePrinters(const Arguments& arguments, Tool& tool) {
  UpdateCommand command(arguments, tool);
  return exitCode(arguments.target.by == Target::By::All ? command.all() : command.one());
}

int runCommand(const Arguments& arguments, Tool& tool) {
  switch (arguments.command) {
    case Command::List: return listPrinters(arguments, tool);
    case Command::Info: return showInfo(arguments, tool);
    case Command::Update: return updatePrinters(arguments, tool);
    case Command::Help: break;
  }
  tool.out.line(Stream::Out, helpText());
  return exitCode(Outcome::Updated);
}

}  // namespace qmqn
