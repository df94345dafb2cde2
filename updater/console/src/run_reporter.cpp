#include "console/run_reporter.h"

namespace qmqn {

void RunReporter::begin(std::string printer, int steps) {
  printer_ = std::move(printer);
  steps_ = steps;
  tenths_ = 0;
  remaining_ = {};
  shownBar_.clear();
}

void RunReporter::say(std::string_view text) {
  const Stream stream = json_ ? Stream::Err : Stream::Out;
  if (out_.console()) {
    out_.line(stream, text);
  } else {
    out_.line(stream, host_.timestamp() + " " + std::string(text));
  }
}

std::string RunReporter::stepText(int step, std::string_view name) const {
  return "  step " + std::to_string(step) + "/" + std::to_string(steps_) + " " + std::string(name);
}

void RunReporter::noticeStop() {
  if (stopSaid_ || !stop_.requested()) return;
  stopSaid_ = true;
  out_.line(Stream::Err, "Stop requested: qmqn stops once " +
                             (printer_.empty() ? std::string("the printer") : printer_) +
                             " is safe. Do not switch the printer off.");
}

void RunReporter::stepOpened(int step, std::string_view name) {
  noticeStop();
  remaining_.stepOpened();
  say(stepText(step, name) + " ...");
}

void RunReporter::stepClosed(int step, std::string_view name) {
  noticeStop();
  say(stepText(step, name) + " done");
}

void RunReporter::progressed(float value) {
  noticeStop();
  remaining_.progressed(value, clock_.nowMs());
  if (bar()) {
    // The bar moves every 85 ms in the flash wait; its text far less often.
    std::string shown = "  " + progressBar(value, remaining_.remainingMs());
    if (shown != shownBar_) out_.status(shown);
    shownBar_ = std::move(shown);
    return;
  }
  const int tenths = value >= 100.0f ? 10 : static_cast<int>(value / 10.0f);
  if (tenths <= tenths_) return;
  tenths_ = tenths;
  std::string line = "  " + std::to_string(tenths * 10) + "%";
  if (remaining_.remainingMs() && tenths < 10) line += ", " + minutesSeconds(*remaining_.remainingMs()) + " left";
  say(line);
}

}  // namespace qmqn
