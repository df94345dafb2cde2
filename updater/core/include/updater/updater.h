// Form1's event handlers over the updater's shared state. The platform layer
// calls load() when the window loads and forwards Command1 clicks and Label4
// double clicks; Close ends the program without asking the logic.
#pragma once
#include "updater/services.h"
#include "updater/startup_check.h"
#include "updater/update_run.h"
#include "updater/updater_state.h"

namespace updater {

class Updater {
 public:
  explicit Updater(const Services& services) : services_(services) {}

  StartupEnd load();
  // Command1. A click during a run (reached through a yield) is ignored.
  RunEnd startClicked();
  // Enables Start; ignored while a run is in progress.
  void label4DoubleClicked();

  const UpdaterState& state() const { return state_; }
  bool running() const { return running_; }

 private:
  Services services_;
  UpdaterState state_;
  bool running_ = false;
};

}  // namespace updater
