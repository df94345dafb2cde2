// The runs recorded on the host, as qmqn reads them back: each run file
// summed up, and whether a run was cut off (no outcome, and its process
// gone). A damaged or hostile file is not a run and never stops a reading.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/tool_host.h"

namespace qmqn {

// The runs folder as the host keeps it.
class RunFolder {
 public:
  struct File {
    std::string name;      // in the folder; names begin with the run's start time
    std::string text;      // empty when unreadable or too large
    bool readable = false;
    bool running = false;  // its process still holds it
    bool noticed = false;  // a later qmqn has said that it was cut off
  };
  // Every run file, oldest first.
  virtual std::vector<File> files() = 0;
  // Remembers that the cut-off run was reported, so it is reported once.
  virtual void markNoticed(const std::string& name) = 0;

 protected:
  ~RunFolder() = default;
};

struct RunValues {
  std::string firmware;
  std::string colorDataVersion;
  std::string colorDataChecksum;
};

struct RunSummary {
  enum class State { Complete, Running, Interrupted };
  std::string file;
  State state = State::Interrupted;
  std::string start;  // UTC
  std::string host;
  std::string user;
  std::string program;
  std::string printer;
  std::string port;
  std::string family;
  RunValues before;
  RunValues after;       // with Complete
  std::string outcome;   // name, with Complete
  std::string code;
  std::string meaning;
  std::string seconds;
  int lastStep = 0;      // 0: none reached
  bool lastStepOpen = false;
  bool noticed = false;
};

// None for a file that is not a run record (no header as its first line).
std::optional<RunSummary> summarizeRun(const RunFolder::File& file);

// The newest run on the port (in any case), if any.
std::optional<RunSummary> lastRunOn(RunFolder& folder, std::string_view port, const CaseRules& caseRules);

}  // namespace qmqn
