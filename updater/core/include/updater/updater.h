// The updater's core as every front end drives it: the usable printers, the
// start-up check on the one chosen, Start, and "run even though up to date".
// Everything it finds and does lands in state() and is told to the front end
// of its services as it happens.
#pragma once
#include <string>
#include <vector>

#include "updater/run_trace.h"
#include "updater/services.h"
#include "updater/state_writer.h"
#include "updater/update_state.h"

namespace updater {

class Updater {
 public:
  explicit Updater(const Services& services);
  Updater(const Updater&) = delete;
  Updater& operator=(const Updater&) = delete;

  std::vector<std::string> usablePrinters();
  // The start-up check on the named printer, in the language chosen.
  CheckEnd check(const std::string& printer, bool japanese);
  // Allows Start whatever the check found (the window's hidden gesture, a
  // console's --force). False, and nothing changes, while a run is in
  // progress or before a check that reached the printer.
  bool allowStart();
  // The update run. Ignored while a run is in progress (a click that reached
  // a yield of the run) or when Start is not allowed.
  RunEnd start();
  // Reads the firmware version and colour control data again, comparing and
  // changing nothing: what a printer holds after a run that ended before it
  // read them back. Nothing while a run is in progress or without a family.
  void readBack();

  const UpdateState& state() const { return state_; }
  bool running() const { return state_.running; }

 private:
  // The libraries and the clock as the core calls them: a run's record
  // hears every call and long wait.
  RecorderSlot recording_;
  TracingBinding qm_;
  TracingBinding qn_;
  TracingClock clock_;
  Services services_;
  UpdateState state_;
  StateWriter out_;
};

}  // namespace updater
