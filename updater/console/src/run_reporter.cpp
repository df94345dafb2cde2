#include "console/run_reporter.h"

#include "updater/texts.h"

namespace qmqn {

void RunReporter::begin(std::string printer) {
  printer_ = std::move(printer);
  steps_ = updater::kStepCount;
  family_ = updater::Family::None;
  tenths_ = 0;
  shownBar_.clear();
}

void RunReporter::say(std::string_view text) {
  if (silent_) return;
  if (rows()) {
    out_.status(text);
    return;
  }
  const Stream stream = json_ ? Stream::Err : Stream::Out;
  if (child_ == Arguments::Child::Lines) {
    out_.line(stream, host_.timestamp() + " [" + printer_ + "] " + std::string(text));
  } else if (out_.console()) {
    out_.line(stream, text);
  } else {
    out_.line(stream, host_.timestamp() + " " + std::string(text));
  }
}

std::string RunReporter::stepText(int step) const {
  return "  step " + std::to_string(step) + "/" + std::to_string(steps_) + " " +
         std::string(updater::text(updater::stepCaption(step), japanese_));
}

void RunReporter::noticeStop() {
  if (silent_ || stopSaid_ || !stop_.requested()) return;
  stopSaid_ = true;
  out_.line(Stream::Err, "Stop requested: qmqn stops once " +
                             (printer_.empty() ? std::string("the printer") : printer_) +
                             " is safe. Do not switch the printer off.");
}

// QN has no colour control data step.
void RunReporter::familyFound(updater::Family family, const updater::Release*) {
  family_ = family;
  steps_ = family == updater::Family::Qn ? updater::kStepCount - 1 : updater::kStepCount;
}

void RunReporter::runStarted() {
  tenths_ = 0;
  shownBar_.clear();
}

void RunReporter::stepOpened(int step) {
  noticeStop();
  // A row has room for the step's number and the bar, not its caption.
  row_ = "step " + std::to_string(step) + "/" + std::to_string(steps_);
  // The rewrite frame follows: from here on the printer must stay on.
  if (step == 2) {
    const std::string warning = printer_ + ": updating. Do not switch the printer off.";
    // Above the rows, where it stays.
    if (rows() && !silent_) {
      out_.line(Stream::Err, warning);
    } else {
      say(warning);
    }
  }
  say(stepText(step) + " ...");
}

void RunReporter::stepClosed(int step) {
  noticeStop();
  say(stepText(step) + " done");
}

void RunReporter::progressed(float value) {
  noticeStop();
  if (silent_) return;
  const std::optional<uint64_t> left = fixedWaitsLeftMs(family_, value);
  if (rows()) {
    std::string shown = row_ + "  " + progressBar(value, left);
    if (shown != shownBar_) out_.status(shown);
    shownBar_ = std::move(shown);
    return;
  }
  if (bar()) {
    // The bar moves every 85 ms in the flash wait; its text far less often.
    std::string shown = "  " + progressBar(value, left);
    if (shown != shownBar_) out_.status(shown);
    shownBar_ = std::move(shown);
    return;
  }
  const int tenths = value >= 100.0f ? 10 : static_cast<int>(value / 10.0f);
  if (tenths <= tenths_) return;
  tenths_ = tenths;
  std::string line = "  " + std::to_string(tenths * 10) + "%";
  if (left && tenths < 10) line += ", " + minutesSeconds(*left) + " left";
  say(line);
}

void RunReporter::notice(std::string_view text) {
  if (!silent_) out_.line(Stream::Err, text);
}

}  // namespace qmqn
