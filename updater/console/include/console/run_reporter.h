// Follows one printer's run on the console: each step as it opens and closes,
// and either the one-line bar (a console) or a timestamped line at every
// tenth of the way (a file or pipe, or with --json on standard error). Says
// once that a stop was requested and that the run goes on until it is safe.
#pragma once
#include <string>

#include "console/progress_text.h"
#include "console/run_view.h"
#include "console/tool_host.h"
#include "updater/host.h"

namespace qmqn {

class RunReporter final : public RunListener {
 public:
  RunReporter(Output& out, HostFacts& host, updater::Clock& clock, StopSignal& stop, bool json)
      : out_(out), host_(host), clock_(clock), stop_(stop), json_(json) {}

  void begin(std::string printer, int steps);
  void stepOpened(int step, std::string_view name) override;
  void stepClosed(int step, std::string_view name) override;
  void progressed(float value) override;
  // A plain line, timestamped unless on a console.
  void say(std::string_view text);
  void noticeStop();

 private:
  bool bar() const { return out_.console() && !json_; }
  std::string stepText(int step, std::string_view name) const;

  Output& out_;
  HostFacts& host_;
  updater::Clock& clock_;
  StopSignal& stop_;
  bool json_;
  std::string printer_;
  int steps_ = 5;
  int tenths_ = 0;
  bool stopSaid_ = false;
  RemainingTime remaining_;
  std::string shownBar_;
};

}  // namespace qmqn
