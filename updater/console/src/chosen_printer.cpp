#include "console/chosen_printer.h"

#include "console/printer_choice.h"

namespace qmqn {

ChosenPrinter findPrinter(const Target& target, Tool& tool) {
  const Choice choice = choosePrinter(target, tool.printers.installedPrinters(), tool.printers, tool.caseRules);
  const std::string what = (target.by == Target::By::Port ? "port " : "printer ") + target.text;
  if (choice.end == Choice::End::NoMatch) {
    tool.out.line(Stream::Err, "No such printer: " + what);
    return {{}, {}, Outcome::NoSuchPrinter};
  }
  if (choice.end == Choice::End::Ambiguous) {
    tool.out.line(Stream::Err, "More than one printer matches " + what + ":");
    for (const std::string& name : choice.candidates) tool.out.line(Stream::Err, "  " + name);
    tool.out.line(Stream::Err, "Name more of it, or the port with --port.");
    return {{}, {}, Outcome::BadUsage};
  }
  const updater::PortRecord record = tool.printers.portRecord(choice.deviceName);
  const Usability usability = usabilityOf(record);
  ChosenPrinter chosen{choice.deviceName, portText(record), std::nullopt};
  if (usability != Usability::Usable) {
    tool.out.line(Stream::Err, "Printer not ready: " + chosen.name + ": " + std::string(usabilityText(usability)));
    chosen.refused = Outcome::NotReady;
  }
  return chosen;
}

}  // namespace qmqn
