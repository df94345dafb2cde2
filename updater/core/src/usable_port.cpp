#include "updater/usable_port.h"

namespace updater {

PortUsability portUsability(uint32_t attributes, std::u16string_view portField) {
  if ((attributes & kAttributeWorkOffline) != 0) return PortUsability::Offline;
  if ((attributes & kAttributeEnableBidi) == 0) return PortUsability::NoBidirectional;
  const size_t end = portField.find(u'\0');
  if (end == std::u16string_view::npos) return PortUsability::Unreadable;
  return end > kMaxPortNameUnits ? PortUsability::PortTooLong : PortUsability::Usable;
}

std::u16string usablePortName(uint32_t attributes, std::u16string_view portField) {
  if (portUsability(attributes, portField) != PortUsability::Usable) return {};
  return std::u16string(portField.substr(0, portField.find(u'\0')));
}

std::optional<Family> familyOfMonitor(std::string_view monitorDll) {
  if (monitorDll.empty()) return std::nullopt;
  std::string upper(monitorDll);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (upper == "ZAPQMLM.DLL") return Family::Qm;
  if (upper == "ZAPQNLM.DLL") return Family::Qn;
  return Family::None;
}

std::u16string printerPort(PrinterHost& printers, const std::string& deviceName) {
  const PortRecord record = printers.portRecord(deviceName);
  return record.readable ? usablePortName(record.attributes, record.portField) : std::u16string();
}

}  // namespace updater
