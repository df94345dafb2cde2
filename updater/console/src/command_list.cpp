#include "console/commands.h"
#include "console/json.h"
#include "console/printer_choice.h"
#include "console/printer_turn.h"
#include "console/run_reporter.h"
#include "console/status_meaning.h"
#include "console/update_report.h"

namespace qmqn {
namespace {

struct Entry {
  std::string name;
  std::string port;
  Usability usability = Usability::Unreadable;
  std::string problem;  // a usable printer the check could not read
  std::string family;
  std::optional<uint32_t> status;
  Versions versions;
  std::optional<bool> updateDue;
};

Entry examine(Tool& tool, const std::string& name, bool japanese) {
  const updater::PortRecord record = tool.printers.portRecord(name);
  Entry e{name, portText(record), usabilityOf(record), {}, {}, {}, {}, {}};
  if (e.usability != Usability::Usable) return e;
  if (updater::printerPort(tool.printers, name).empty()) {
    e.problem = "no longer listed";
    return e;
  }
  RunReporter silent(tool.out, tool.host, tool.stop, false, true);
  PrinterTurn turn(tool, silent);
  const updater::CheckEnd end = turn.updater().check(name, japanese);
  switch (end) {
    case updater::CheckEnd::PortInUse: e.problem = "in use by another process"; return e;
    case updater::CheckEnd::BadHandle: e.problem = "the status library can't register the port"; return e;
    default: break;
  }
  e.family = familyCode(turn.state().family);
  e.status = turn.state().status;
  if (end == updater::CheckEnd::UpdateDue || end == updater::CheckEnd::UpToDate) {
    e.versions = versionsOf(turn.state());
    e.updateDue = end == updater::CheckEnd::UpdateDue;
  }
  return e;
}

std::string json(const Entry& e) {
  JsonObject o;
  o.add("printer", e.name).add("port", e.port).add("usable", e.usability == Usability::Usable);
  if (e.usability != Usability::Usable) o.add("reason", usabilityText(e.usability));
  if (!e.problem.empty()) o.add("reason", e.problem);
  if (e.status) {
    o.addOrNull("family", e.family.empty() ? std::optional<std::string>() : e.family)
        .add("status", statusHex(*e.status))
        .add("statusMeaning", statusMeaning(*e.status));
  }
  if (e.updateDue) {
    o.add("firmwareVersion", e.versions.firmware)
        .add("colorDataVersion", e.versions.colorDataVersion)
        .add("colorDataChecksum", e.versions.colorDataChecksum)
        .add("updateDue", *e.updateDue);
  }
  return o.text();
}

void print(Output& out, const Entry& e) {
  out.line(Stream::Out, e.name);
  out.line(Stream::Out, "  port         " + (e.port.empty() ? std::string("-") : e.port) + "  " +
                            std::string(usabilityText(e.usability)) + (e.problem.empty() ? "" : ", " + e.problem));
  if (!e.status) return;
  out.line(Stream::Out, "  family       " + (e.family.empty() ? std::string("not QM/QN") : e.family));
  out.line(Stream::Out, "  status       " + statusHex(*e.status) + " (" + statusMeaning(*e.status) + ")");
  if (!e.updateDue) return;
  out.line(Stream::Out, "  firmware     " + e.versions.firmware);
  if (!e.versions.colorDataVersion.empty() || !e.versions.colorDataChecksum.empty()) {
    out.line(Stream::Out, "  colour data  " + e.versions.colorDataVersion + ", checksum " + e.versions.colorDataChecksum);
  }
  out.line(Stream::Out, std::string("  update due   ") + (*e.updateDue ? "yes" : "no"));
}

}  // namespace

int listPrinters(const Arguments& arguments, Tool& tool) {
  const std::vector<std::string> names = tool.printers.installedPrinters();
  for (const std::string& name : names) {
    const Entry e = examine(tool, name, arguments.japanese);
    if (arguments.json) {
      tool.out.line(Stream::Out, json(e));
    } else {
      print(tool.out, e);
    }
  }
  if (names.empty() && !arguments.json) tool.out.line(Stream::Out, "No printer is installed.");
  return exitCode(Outcome::Updated);
}

}  // namespace qmqn
