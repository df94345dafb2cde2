// qmqn as the core's front end: follows one printer's run on the console,
// each step as it opens and closes, and either the one-line bar (a console)
// or a timestamped line at every tenth of the way (a file or pipe, or with
// --json on standard error); notices on standard error. Says once that a stop
// was requested and that the run goes on until it is safe. Silent, it says
// nothing at all (list's checks). In a printer process of a parallel update
// it draws the printer's row instead (the parent on a console), or tags each
// line with the printer.
#pragma once
#include <string>

#include "console/arguments.h"
#include "console/progress_text.h"
#include "console/tool_host.h"
#include "updater/front_end.h"
#include "updater/host.h"

namespace qmqn {

class RunReporter final : public updater::FrontEnd {
 public:
  RunReporter(Output& out, HostFacts& host, StopSignal& stop, bool json, bool silent = false)
      : out_(out), host_(host), stop_(stop), json_(json), silent_(silent) {}

  void begin(std::string printer);
  void relay(Arguments::Child child) { child_ = child; }
  // A plain line, timestamped unless on a console.
  void say(std::string_view text);
  void noticeStop();

  void checkStarted(std::string_view, bool japanese) override { japanese_ = japanese; }
  void familyFound(updater::Family family, const updater::Release*) override;
  void firmwareRead(const updater::ReadValue&) override {}
  void colorDataRead(const updater::ReadValue&, const updater::ReadValue&) override {}
  void checkEnded(updater::CheckEnd, uint32_t) override {}
  void runStarted() override;
  void stepOpened(int step) override;
  void stepClosed(int step) override;
  void progressed(float value) override;
  void runEnded(updater::RunEnd) override {}
  void allowed(bool, bool) override {}
  void notice(std::string_view text) override;

 private:
  bool bar() const { return out_.console() && !json_; }
  bool rows() const { return child_ == Arguments::Child::Rows; }
  std::string stepText(int step) const;

  Output& out_;
  HostFacts& host_;
  StopSignal& stop_;
  bool json_;
  bool silent_;
  bool japanese_ = false;
  std::string printer_;
  int steps_ = 5;
  updater::Family family_ = updater::Family::None;
  int tenths_ = 0;
  bool stopSaid_ = false;
  std::string shownBar_;
  Arguments::Child child_ = Arguments::Child::None;
  std::string row_;  // with rows: the step the printer is in
};

}  // namespace qmqn
