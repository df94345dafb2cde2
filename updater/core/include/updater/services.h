// Everything the updater logic talks to, handed in by the front end.
#pragma once
#include "updater/front_end.h"
#include "updater/host.h"
#include "updater/release_record.h"
#include "updater/run_journal.h"
#include "updater/status_binding.h"
#include "updater/update_state.h"

namespace updater {

struct Services {
  FrontEnd& frontEnd;
  StatusBinding& qm;  // QmStat.dll by its Qm names
  StatusBinding& qn;  // QnStat.dll by its plain names
  PrinterHost& printers;
  ProgramFiles& files;
  const CodePage& codePage;
  Clock& clock;
  RunGuard& runGuard;
  // The release files the program was built with; null or empty: none.
  const ReleaseRecord* record = nullptr;
  // Where each run leaves its record on the host; null: nowhere.
  RunJournal* journal = nullptr;

  // The library chosen by the family: QmStat for QM, QnStat otherwise.
  StatusBinding& library(Family family) const { return family == Family::Qm ? qm : qn; }
};

}  // namespace updater
