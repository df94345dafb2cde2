// One printer's turn: the status libraries loaded afresh for it (a library
// registers ten ports, so each printer gets them as a program start would),
// the updater core over them, and the libraries let go when the turn ends.
// One turn at a time: nothing found in a turn's libraries outlives it.
#pragma once
#include "console/commands.h"
#include "updater/export_binding.h"
#include "updater/updater.h"

namespace qmqn {

class PrinterTurn {
 public:
  PrinterTurn(Tool& tool, updater::FrontEnd& frontEnd);
  ~PrinterTurn() { loader_.unloadAll(); }
  PrinterTurn(const PrinterTurn&) = delete;
  PrinterTurn& operator=(const PrinterTurn&) = delete;

  updater::Updater& updater() { return updater_; }
  const updater::UpdateState& state() const { return updater_.state(); }
  updater::StatusBinding& library(updater::Family family) {
    return family == updater::Family::Qm ? static_cast<updater::StatusBinding&>(qm_) : qn_;
  }
  // Any export of the family's library, loaded in this turn; null when missing.
  updater::LibraryLoader::Function find(updater::Family family, const char* name);

 private:
  updater::LibraryLoader& loader_;
  updater::ExportBinding qm_;
  updater::ExportBinding qn_;
  updater::Updater updater_;
};

}  // namespace qmqn
