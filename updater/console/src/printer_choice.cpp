#include "console/printer_choice.h"

#include "updater/utf.h"

namespace qmqn {
namespace {

std::u16string_view portUnits(const updater::PortRecord& record) {
  const std::u16string_view field = record.portField;
  return field.substr(0, field.find(u'\0'));
}

Choice oneOf(std::vector<std::string> matches) {
  if (matches.empty()) return {};
  if (matches.size() == 1) return {Choice::End::Found, matches[0], {}};
  return {Choice::End::Ambiguous, {}, std::move(matches)};
}

}  // namespace

Usability usabilityOf(const updater::PortRecord& record) {
  return record.readable ? updater::portUsability(record.attributes, record.portField) : Usability::Unreadable;
}

std::string_view usabilityText(Usability usability) {
  switch (usability) {
    case Usability::Usable: return "usable";
    case Usability::Offline: return "offline";
    case Usability::NoBidirectional: return "no bidirectional support";
    case Usability::PortTooLong: return "port name too long";
    case Usability::Unreadable: return "port not readable";
  }
  return "";
}

std::string portText(const updater::PortRecord& record) { return updater::utf16ToUtf8(portUnits(record)); }

Choice choosePrinter(const Target& target, const std::vector<std::string>& names, updater::PrinterHost& printers,
                     const CaseRules& caseRules) {
  std::vector<std::string> matches;
  const std::string wanted = caseRules.upper(target.text);
  if (target.by == Target::By::Port) {
    for (const std::string& name : names) {
      if (caseRules.upper(portText(printers.portRecord(name))) == wanted) matches.push_back(name);
    }
    return oneOf(std::move(matches));
  }
  for (const std::string& name : names) {
    if (name == target.text) return {Choice::End::Found, name, {}};
  }
  for (const std::string& name : names) {
    if (caseRules.upper(name).starts_with(wanted)) matches.push_back(name);
  }
  return oneOf(std::move(matches));
}

}  // namespace qmqn
