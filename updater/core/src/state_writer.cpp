#include "updater/state_writer.h"

namespace updater {
namespace {

StepState& stepOf(UpdateState& state, int step) { return state.steps[static_cast<size_t>(step - 1)]; }

// A value without text keeps the text it had.
void keep(ReadValue& into, ReadValue value) {
  if (!value.text) value.text = std::move(into.text);
  into = std::move(value);
}

}  // namespace

void StateWriter::openStep(int step) {
  StepState& s = stepOf(state_, step);
  s.reached = true;
  s.open = true;
  if (recorder_) recorder_->step(step, true);
  frontEnd_.stepOpened(step);
}

void StateWriter::closeStep(int step) {
  StepState& s = stepOf(state_, step);
  s.open = false;
  s.done = true;
  if (recorder_) recorder_->step(step, false);
  frontEnd_.stepClosed(step);
}

void StateWriter::progress(float value) {
  state_.progress = value;
  frontEnd_.progressed(value);
}

void StateWriter::firmwareRead(ReadValue version) {
  frontEnd_.firmwareRead(version);
  keep(state_.firmware, std::move(version));
}

void StateWriter::colorDataRead(ReadValue version, ReadValue checksum) {
  frontEnd_.colorDataRead(version, checksum);
  keep(state_.colorDataVersion, std::move(version));
  keep(state_.colorDataChecksum, std::move(checksum));
}

void StateWriter::allow(bool start, bool close) {
  state_.startAllowed = start;
  state_.closeAllowed = close;
  frontEnd_.allowed(start, close);
}

void StateWriter::notice(std::string_view text) {
  state_.notice = std::string(text);
  if (recorder_) recorder_->notice(text);
  frontEnd_.notice(text);
}

}  // namespace updater
