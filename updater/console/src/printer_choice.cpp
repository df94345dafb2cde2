#include "console/printer_choice.h"

#include "console/utf.h"

namespace qmqn {
namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (lowerAscii(text[i]) != lowerAscii(prefix[i])) return false;
  }
  return true;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && startsWithIgnoringCase(a, b);
}

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

std::string portText(const updater::PortRecord& record) { return utf16ToUtf8(portUnits(record)); }

Choice choosePrinter(const Target& target, const std::vector<std::string>& names, updater::PrinterHost& printers) {
  std::vector<std::string> matches;
  if (target.by == Target::By::Port) {
    for (const std::string& name : names) {
      if (sameIgnoringCase(portText(printers.portRecord(name)), target.text)) matches.push_back(name);
    }
    return oneOf(std::move(matches));
  }
  for (const std::string& name : names) {
    if (name == target.text) return {Choice::End::Found, name, {}};
  }
  for (const std::string& name : names) {
    if (startsWithIgnoringCase(name, target.text)) matches.push_back(name);
  }
  return oneOf(std::move(matches));
}

}  // namespace qmqn
