#include "updater/updater.h"

#include "updater/printer_values.h"
#include "updater/startup_check.h"
#include "updater/update_run.h"

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

// The check ends that leave a printer to run on.
bool reachedPrinter(const std::optional<CheckEnd>& end) {
  return end && *end != CheckEnd::PortInUse && *end != CheckEnd::BadHandle;
}

}  // namespace

Updater::Updater(const Services& s)
    : qm_(s.qm, ExportSet::Qm, s.clock, recording_),
      qn_(s.qn, ExportSet::Qn, s.clock, recording_),
      clock_(s.clock, recording_),
      services_{s.frontEnd, qm_, qn_, s.printers, s.files, s.codePage, clock_, s.runGuard, s.record, s.journal},
      out_(state_, s.frontEnd) {}

std::vector<std::string> Updater::usablePrinters() { return updater::usablePrinters(services_.printers); }

CheckEnd Updater::check(const std::string& printer, bool japanese) {
  return runStartupCheck(services_, out_, printer, japanese);
}

bool Updater::allowStart() {
  if (state_.running || !reachedPrinter(state_.checkEnd)) return false;
  out_.allow(true, state_.closeAllowed);
  return true;
}

RunEnd Updater::start() {
  if (state_.running || !state_.startAllowed) return RunEnd::Ignored;
  const RunScope scope(services_.runGuard, state_.running);
  RunRecorder recorder(services_.journal, services_.clock);
  out_.setRecorder(&recorder);
  recording_.recorder = &recorder;
  const RunEnd end = runUpdate(services_, out_);
  recording_.recorder = nullptr;
  out_.setRecorder(nullptr);
  state_.recordFailed = recorder.failed();
  return end;
}

void Updater::readBack() {
  if (state_.running || state_.family == Family::None || !reachedPrinter(state_.checkEnd)) return;
  out_.firmwareRead({readFirmwareVersion(services_, state_), Verdict::NotCompared});
  PrinterColorData shown = readShownColorData(services_, state_);
  out_.colorDataRead({std::move(shown.version), Verdict::NotCompared}, {std::move(shown.checksum), Verdict::NotCompared});
}

}  // namespace updater
