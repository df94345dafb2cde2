#include "console/chosen_printer.h"
#include "console/commands.h"
#include "console/json.h"
#include "console/printer_choice.h"
#include "console/printer_info.h"
#include "console/printer_turn.h"
#include "console/run_reporter.h"
#include "console/status_meaning.h"
#include "console/update_report.h"
#include "updater/startup_check.h"
#include "updater/usable_port.h"

namespace qmqn {

int showInfo(const Arguments& arguments, Tool& tool) {
  const ChosenPrinter chosen = findPrinter(arguments.target, tool);
  if (chosen.refused == Outcome::NotReady && arguments.json) {
    const Usability usability = usabilityOf(tool.printers.portRecord(chosen.name));
    tool.out.line(Stream::Out, JsonObject()
                                   .add("printer", chosen.name)
                                   .add("port", chosen.port)
                                   .add("usable", false)
                                   .add("reason", usabilityText(usability))
                                   .text());
  }
  if (chosen.refused) return exitCode(*chosen.refused);
  const std::u16string port = updater::printerPort(tool.printers, chosen.name);
  if (port.empty()) {
    tool.out.line(Stream::Err, "Printer not ready: " + chosen.name);
    return exitCode(Outcome::NotReady);
  }
  // Another process may be in the middle of a flash write on this port.
  if (!tool.printers.claimPort(port)) {
    tool.out.line(Stream::Err, "Another process holds the printer: " + chosen.name);
    return exitCode(Outcome::PortInUse);
  }
  RunReporter silent(tool.out, tool.host, tool.stop, false, true);
  PrinterTurn turn(tool, silent);
  const updater::FamilyProbe p =
      updater::probeFamily(turn.library(updater::Family::Qm), turn.library(updater::Family::Qn), port);
  if (p.handle < 0) {
    tool.out.line(Stream::Err, "Printer not ready: the status library can't register port " + chosen.port);
    return exitCode(Outcome::NotReady);
  }
  const std::string family = familyCode(p.family);
  std::vector<InfoValue> values;
  if (p.family != updater::Family::None) values = readPrinterInfo(turn, p.family, p.handle, tool.codePage);

  if (arguments.json) {
    JsonObject o;
    o.add("printer", chosen.name).add("port", chosen.port);
    o.addOrNull("family", family.empty() ? std::nullopt : std::optional<std::string>(family));
    o.add("status", statusHex(p.status)).add("statusMeaning", statusMeaning(p.status));
    for (const InfoValue& v : values) {
      if (v.number && v.value) {
        o.addRaw(v.key, *v.value);
      } else {
        o.addOrNull(v.key, v.value);
      }
    }
    tool.out.line(Stream::Out, o.text());
  } else {
    auto row = [&](std::string_view label, std::string_view value) {
      std::string padded(label);
      if (padded.size() < 30) padded.resize(30, ' ');
      tool.out.line(Stream::Out, padded + std::string(value));
    };
    row("Printer", chosen.name);
    row("Port", chosen.port);
    row("Family", family.empty() ? "not QM/QN" : family);
    row("Status", statusHex(p.status) + " (" + statusMeaning(p.status) + ")");
    for (const InfoValue& v : values) row(v.label, v.value ? *v.value : "unavailable");
  }
  return exitCode(p.family == updater::Family::None ? Outcome::NotQmQn : Outcome::Updated);
}

}  // namespace qmqn
