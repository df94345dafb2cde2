#include "updater/updater.h"

namespace updater {
namespace {

// Whatever way the run ends, the host may sleep and shut down again after it.
class RunScope {
 public:
  RunScope(RunGuard& guard, bool& running) : guard_(guard), running_(running) {
    running_ = true;
    guard_.runStarted();
  }
  ~RunScope() {
    guard_.runEnded();
    running_ = false;
  }
  RunScope(const RunScope&) = delete;
  RunScope& operator=(const RunScope&) = delete;

 private:
  RunGuard& guard_;
  bool& running_;
};

}  // namespace

StartupEnd Updater::load() { return runStartupCheck(services_, state_); }

RunEnd Updater::startClicked() {
  if (running_) return RunEnd::Ignored;
  RunEnd end;
  {
    const RunScope scope(services_.runGuard, running_);
    end = runUpdate(services_, state_);
  }
  return end;
}

void Updater::label4DoubleClicked() {
  if (running_) return;
  services_.window.setEnabled(Element::Command1, true);
}

}  // namespace updater
