// update and check over one printer, every printer one after the other, or
// (update) several printers at once in processes of their own.
#pragma once
#include <optional>
#include <string>

#include "console/commands.h"
#include "console/printer_turn.h"
#include "console/run_reporter.h"
#include "console/update_report.h"
#include "updater/usable_port.h"

namespace qmqn {

class UpdateCommand {
 public:
  UpdateCommand(const Arguments& a, Tool& tool);

  // A log that can't be written ends the command before any printer command.
  bool openLog();
  Outcome one();
  Outcome all();
  Outcome parallel();

 private:
  bool checkOnly() const { return a_.command == Command::Check; }
  UpdateReport started(const std::string& name, const std::string& port);
  UpdateReport passedOver(const std::string& name, const updater::PortRecord& record);
  UpdateReport notStarted(const std::string& name, const std::string& port);
  void noticeCutOff(const std::string& port);
  UpdateReport update(const std::string& name, const std::string& port);
  void run(PrinterTurn& turn, UpdateReport& r);
  void writeLogLine(const std::string& line);
  Outcome report(const UpdateReport& r);
  // The worst outcome of the printers reported, with the rule for printers of
  // neither family.
  Outcome worstOf(const std::optional<Outcome>& worst, bool any);

  const Arguments& a_;
  Tool& tool_;
  RunReporter reporter_;
  bool recordFailureSaid_ = false;
};

}  // namespace qmqn
