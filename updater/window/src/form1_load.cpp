#include "window/form1_load.h"

#include "updater/texts.h"

namespace updater {

StartupEnd loadForm1(Updater& updater, PortDialog& dialog, MessageBoxes& boxes) {
  const std::vector<std::string> names = updater.usablePrinters();
  if (names.empty()) {
    // The language is chosen later, in the dialog.
    boxes.show(text(TextId::NoUsablePrinter, false));
    return StartupEnd::NoPrinter;
  }
  const PortChoice choice = dialog.show(names);
  size_t index = 0;
  bool japanese = false;
  switch (choice.end) {
    case PortChoice::End::Cancel:
      return StartupEnd::Cancelled;
    case PortChoice::End::Ok:
      if (choice.listIndex >= 0 && static_cast<size_t>(choice.listIndex) < names.size()) {
        index = static_cast<size_t>(choice.listIndex);
      }
      japanese = choice.japanese;
      break;
    case PortChoice::End::Closed:
      break;
  }
  switch (updater.check(names[index], japanese)) {
    case CheckEnd::PortInUse: return StartupEnd::PortInUse;
    case CheckEnd::BadHandle: return StartupEnd::BadHandle;
    case CheckEnd::NotQmQn: return StartupEnd::NotQmQn;
    case CheckEnd::PrinterError: return StartupEnd::PrinterError;
    case CheckEnd::UpdateDue: return StartupEnd::UpdateDue;
    case CheckEnd::UpToDate: return StartupEnd::UpToDate;
  }
  return StartupEnd::PrinterError;
}

}  // namespace updater
