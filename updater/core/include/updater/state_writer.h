// The one way the check and the run change what a front end follows: each
// call updates the state and tells the front end.
#pragma once
#include <string_view>

#include "updater/front_end.h"
#include "updater/run_recorder.h"
#include "updater/update_state.h"

namespace updater {

class StateWriter {
 public:
  StateWriter(UpdateState& state, FrontEnd& frontEnd) : state_(state), frontEnd_(frontEnd) {}

  const UpdateState& state() const { return state_; }
  UpdateState& state() { return state_; }
  FrontEnd& frontEnd() { return frontEnd_; }
  // The record of the run in progress, which hears the steps and notices
  // too; null between runs.
  RunRecorder* recorder() { return recorder_; }
  void setRecorder(RunRecorder* recorder) { recorder_ = recorder; }

  void openStep(int step);
  // Done, no longer open.
  void closeStep(int step);
  void progress(float value);
  void firmwareRead(ReadValue version);
  void colorDataRead(ReadValue version, ReadValue checksum);
  void allow(bool start, bool close);
  void notice(std::string_view text);

 private:
  UpdateState& state_;
  FrontEnd& frontEnd_;
  RunRecorder* recorder_ = nullptr;
};

}  // namespace updater
