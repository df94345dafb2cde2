#include "updater/updater.h"

namespace updater {

StartupEnd Updater::load() { return runStartupCheck(services_, state_); }

RunEnd Updater::startClicked() {
  if (running_ || closed_) return RunEnd::Ignored;
  running_ = true;
  const RunEnd end = runUpdate(services_, state_);
  running_ = false;
  if (end == RunEnd::WindowClosed) closed_ = true;
  return end;
}

void Updater::label4DoubleClicked() {
  if (running_ || closed_) return;
  services_.window.setEnabled(Element::Command1, true);
}

}  // namespace updater
