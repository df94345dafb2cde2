// A run's record as the core writes it through the host's journal: the
// header once the files are read (before the printer's first command), each
// step opened and closed, each library call and long wait, each notice, and
// the outcome. A journal that fails
// is let go: the run goes on as if there were none.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "updater/host.h"
#include "updater/run_journal.h"
#include "updater/update_state.h"

namespace updater {

struct PrinterValues {
  ReadValue firmware;
  ReadValue colorDataVersion;
  ReadValue colorDataChecksum;
};

// A release file as the run read it: its SHA-256, or why there is none.
struct RunFileDigest {
  std::string name;
  std::string sha256;  // or "missing", "unreadable"
};

// How a run's end is reported by every front end: qmqn's exit code, its
// name and its meaning.
struct RunOutcome {
  std::string_view name;
  int code;
  std::string_view meaning;
};
RunOutcome runOutcomeOf(RunEnd end);

class RunRecorder {
 public:
  RunRecorder(RunJournal* journal, Clock& clock) : journal_(journal), clock_(clock) {}

  // before: the printer's values as the run found them.
  void begin(const UpdateState& state, const PrinterValues& before, std::span<const RunFileDigest> files);
  void step(int step, bool opened);
  // reply: a text query's first characters.
  void call(std::string_view exportName, std::string_view args, std::string_view result, uint64_t tookMs,
            std::string_view reply = {});
  void wait(uint64_t ms);
  void notice(std::string_view text);
  void end(const UpdateState& state, RunEnd end);
  // True once the record could not be created or written.
  bool failed() const { return failed_; }

 private:
  void write(RecordLine line);
  uint64_t sinceStart() const { return clock_.nowMs() - startMs_; }

  RunJournal* journal_;
  Clock& clock_;
  bool open_ = false;
  bool failed_ = false;
  uint64_t startMs_ = 0;
};

}  // namespace updater
