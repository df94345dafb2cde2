#include "console/printer_turn.h"

namespace qmqn {

PrinterTurn::PrinterTurn(Tool& tool, updater::FrontEnd& frontEnd)
    : loader_(tool.libraries),
      qm_(tool.libraries, updater::ExportSet::Qm),
      qn_(tool.libraries, updater::ExportSet::Qn),
      updater_(updater::Services{frontEnd, qm_, qn_, tool.printers, tool.files, tool.codePage, tool.clock,
                                 tool.runGuard, tool.record, tool.journal}) {}

updater::LibraryLoader::Function PrinterTurn::find(updater::Family family, const char* name) {
  const bool qm = family == updater::Family::Qm;
  void* library = loader_.load(updater::exportNames(qm ? updater::ExportSet::Qm : updater::ExportSet::Qn).fileName);
  return library ? loader_.find(library, name) : nullptr;
}

}  // namespace qmqn
