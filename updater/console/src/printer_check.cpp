#include "console/printer_check.h"

namespace qmqn {

PrinterCheck::PrinterCheck(Tool& tool, const std::string& deviceName, bool japanese, bool quiet,
                           RunListener* listener)
    : libraries_(tool.libraries),
      view_(listener),
      choice_(deviceName, japanese),
      messages_(tool.out, quiet),
      updater_(updater::Services{view_, libraries_.qm, libraries_.qn, tool.printers, choice_, messages_, tool.files,
                                 tool.codePage, tool.clock, tool.runGuard}) {}

std::string PrinterCheck::family() const {
  switch (updater_.state().family) {
    case updater::Family::Qm: return "QM";
    case updater::Family::Qn: return "QN";
    case updater::Family::None: break;
  }
  return {};
}

uint32_t PrinterCheck::status() {
  const updater::UpdaterState& s = updater_.state();
  if (s.family == updater::Family::None || s.portHandle <= 0) return updater::kStatusNone;
  return (s.family == updater::Family::Qm ? libraries_.qm : libraries_.qn).getStatus(s.portHandle);
}

Versions PrinterCheck::versions() const {
  return {view_.text(updater::Element::Text1), view_.text(updater::Element::Text3),
          view_.text(updater::Element::Text4)};
}

}  // namespace qmqn
