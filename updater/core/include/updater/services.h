// Everything the updater logic talks to, handed in by the platform layer.
#pragma once
#include "updater/host.h"
#include "updater/status_binding.h"
#include "updater/updater_state.h"
#include "updater/window.h"

namespace updater {

struct Services {
  Window& window;
  StatusBinding& qm;  // QmStat.dll by its Qm names
  StatusBinding& qn;  // QnStat.dll by its plain names
  PrinterHost& printers;
  PortDialog& portDialog;
  MessageBoxes& messages;
  ProgramFiles& files;
  const CodePage& codePage;
  Clock& clock;
  RunGuard& runGuard;

  // The library chosen by the family: QmStat for QM, QnStat otherwise.
  StatusBinding& library(Family family) const { return family == Family::Qm ? qm : qn; }
};

}  // namespace updater
