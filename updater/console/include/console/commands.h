// The qmqn commands over the updater core. Each returns its exit code and
// writes everything it has to say through the tool's Output.
#pragma once
#include "console/arguments.h"
#include "console/printer_processes.h"
#include "console/run_history.h"
#include "console/tool_host.h"
#include "updater/host.h"
#include "updater/library_loader.h"
#include "updater/release_record.h"
#include "updater/run_journal.h"

namespace qmqn {

struct Tool {
  updater::PrinterHost& printers;
  updater::LibraryLoader& libraries;
  updater::ProgramFiles& files;
  const updater::CodePage& codePage;
  updater::Clock& clock;
  updater::RunGuard& runGuard;
  Output& out;
  HostFacts& host;
  LogFile& log;
  StopSignal& stop;
  const CaseRules& caseRules;
  RunFolder& runs;
  // Where each run leaves its record on the host; null: nowhere.
  updater::RunJournal* journal = nullptr;
  // The release files the program was built with; null: none.
  const updater::ReleaseRecord* record = nullptr;
  // Starts the printer processes of update --all --parallel; null: no
  // parallel updates here.
  PrinterProcesses* processes = nullptr;
};

int runCommand(const Arguments& arguments, Tool& tool);

int listPrinters(const Arguments& arguments, Tool& tool);
int showInfo(const Arguments& arguments, Tool& tool);
// update, and check: the same start-up check without the run.
int updatePrinters(const Arguments& arguments, Tool& tool);
int showHistory(const Arguments& arguments, Tool& tool);

}  // namespace qmqn
