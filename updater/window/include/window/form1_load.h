// What the window does while Form1 loads, before it is shown: the usable
// printers (none: a message, and the program ends), the port dialog (Cancel
// ends the program), then the core's start-up check on the printer chosen.
#pragma once
#include "updater/updater.h"
#include "window/dialogs.h"

namespace updater {

enum class StartupEnd {
  NoPrinter,      // message box shown; end the program
  Cancelled,      // end the program
  BadHandle,      // "Error!" shown; end the program
  PortInUse,      // another updater holds the port; message shown, end the program
  NotQmQn,
  PrinterError,
  UpdateDue,
  UpToDate,
};

constexpr bool endsProgram(StartupEnd end) {
  return end == StartupEnd::NoPrinter || end == StartupEnd::Cancelled || end == StartupEnd::BadHandle ||
         end == StartupEnd::PortInUse;
}

// A dialog closed without OK or Cancel goes on with the first printer, in
// English; an OK without a listed entry keeps the first printer.
StartupEnd loadForm1(Updater& updater, PortDialog& dialog, MessageBoxes& boxes);

}  // namespace updater
