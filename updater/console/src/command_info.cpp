#include "console/chosen_printer.h"
#include "console/commands.h"
#include "console/json.h"
#include "console/printer_info.h"
#include "console/status_meaning.h"
#include "updater/updater_state.h"

namespace qmqn {
namespace {

struct Probe {
  updater::Family family = updater::Family::None;
  int32_t handle = 0;
  uint32_t status = updater::kStatusNone;
};

// As the start-up check probes: QmStat first, QnStat when it has no status.
Probe probe(FreshLibraries& libraries, const std::u16string& port) {
  Probe p;
  p.handle = libraries.qm.initialize(port.c_str());
  p.status = libraries.qm.getStatus(p.handle);
  if (p.status != updater::kStatusNone) {
    p.family = updater::Family::Qm;
    return p;
  }
  p.handle = libraries.qn.initialize(port.c_str());
  p.status = libraries.qn.getStatus(p.handle);
  if (p.status != updater::kStatusNone) p.family = updater::Family::Qn;
  return p;
}

}  // namespace

int showInfo(const Arguments& arguments, Tool& tool) {
  const ChosenPrinter chosen = findPrinter(arguments.target, tool);
  if (chosen.refused) return exitCode(*chosen.refused);
  const std::u16string port = tool.printers.printerPort(chosen.name);
  if (port.empty()) {
    tool.out.line(Stream::Err, "Printer not ready: " + chosen.name);
    return exitCode(Outcome::NotReady);
  }
  // Another process may be in the middle of a flash write on this port.
  if (!tool.printers.claimPort(port)) {
    tool.out.line(Stream::Err, "Another process holds the printer: " + chosen.name);
    return exitCode(Outcome::PortInUse);
  }
  FreshLibraries libraries(tool.libraries);
  const Probe p = probe(libraries, port);
  if (p.handle < 0) {
    tool.out.line(Stream::Err, "Printer not ready: the status library can't register port " + chosen.port);
    return exitCode(Outcome::NotReady);
  }
  const char* family = p.family == updater::Family::Qm ? "QM" : p.family == updater::Family::Qn ? "QN" : "";
  std::vector<InfoValue> values;
  if (p.family != updater::Family::None) values = PrinterInfoReader(tool.libraries, tool.codePage).read(p.family, p.handle);

  if (arguments.json) {
    JsonObject o;
    o.add("printer", chosen.name).add("port", chosen.port);
    o.addOrNull("family", *family ? std::optional<std::string>(family) : std::nullopt);
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
    row("Family", *family ? family : "not QM/QN");
    row("Status", statusHex(p.status) + " (" + statusMeaning(p.status) + ")");
    for (const InfoValue& v : values) row(v.label, v.value ? *v.value : "unavailable");
  }
  return exitCode(p.family == updater::Family::None ? Outcome::NotQmQn : Outcome::Updated);
}

}  // namespace qmqn
