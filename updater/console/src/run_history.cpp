#include "console/run_history.h"

#include "updater/run_record.h"

namespace qmqn {
namespace {

RunValues valuesOf(const updater::RecordLine& line) {
  return {line.get("firmware").value_or(""), line.get("colorDataVersion").value_or(""),
          line.get("colorDataChecksum").value_or("")};
}

}  // namespace

std::optional<RunSummary> summarizeRun(const RunFolder::File& file) {
  if (!file.readable) return std::nullopt;
  const std::string_view text = file.text;
  RunSummary run;
  run.file = file.name;
  run.noticed = file.noticed;
  bool header = false;
  bool ended = false;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const std::optional<updater::RecordLine> line = updater::parseRecordLine(text.substr(start, end - start));
    start = end + 1;
    if (!header) {
      // A header cut before its printer is not a run.
      if (!line || line->type != "run" || !line->get("start") || !line->get("port")) return std::nullopt;
      header = true;
      run.start = line->get("start").value_or("");
      run.host = line->get("host").value_or("");
      run.user = line->get("user").value_or("");
      run.program = line->get("program").value_or("");
      run.printer = line->get("printer").value_or("");
      run.port = line->get("port").value_or("");
      run.family = line->get("family").value_or("");
      run.before = valuesOf(*line);
      continue;
    }
    // A line cut off by a killed process is not a reason to drop the run.
    if (!line) continue;
    if (line->type == "step") {
      const std::string step = line->get("step").value_or("");
      if (step.size() == 1 && step[0] >= '1' && step[0] <= '9') {
        run.lastStep = step[0] - '0';
        run.lastStepOpen = line->get("event") == "opened";
      }
    } else if (line->type == "end") {
      ended = true;
      run.after = valuesOf(*line);
      run.outcome = line->get("outcome").value_or("");
      run.code = line->get("code").value_or("");
      run.meaning = line->get("meaning").value_or("");
      run.seconds = line->get("seconds").value_or("");
    }
  }
  if (!header) return std::nullopt;
  run.state = ended ? RunSummary::State::Complete
                    : file.running ? RunSummary::State::Running : RunSummary::State::Interrupted;
  return run;
}

std::optional<RunSummary> lastRunOn(RunFolder& folder, std::string_view port, const CaseRules& caseRules) {
  const std::string wanted = caseRules.upper(port);
  std::optional<RunSummary> last;
  for (const RunFolder::File& file : folder.files()) {
    std::optional<RunSummary> run = summarizeRun(file);
    if (run && caseRules.upper(run->port) == wanted) last = std::move(run);
  }
  return last;
}

}  // namespace qmqn
