// The start-up check run while Form1 loads: printers, port dialog, family
// probe, version and colour control data comparison.
#pragma once
#include "updater/services.h"
#include "updater/updater_state.h"

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
  return end == StartupEnd::NoPrinter || end == StartupEnd::Cancelled ||
         end == StartupEnd::BadHandle || end == StartupEnd::PortInUse;
}

StartupEnd runStartupCheck(const Services& services, UpdaterState& state);

}  // namespace updater
