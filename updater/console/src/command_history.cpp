#include <algorithm>
#include <cstdlib>

#include "console/commands.h"
#include "console/exit_codes.h"
#include "console/json.h"
#include "console/run_history.h"

namespace qmqn {
namespace {

std::string stateText(const RunSummary& run) {
  const std::string step = run.lastStep > 0 ? ", step " + std::to_string(run.lastStep) : std::string();
  switch (run.state) {
    case RunSummary::State::Complete: return run.outcome + (run.seconds.empty() ? "" : ", " + run.seconds + " s");
    case RunSummary::State::Running: return "RUNNING" + step;
    case RunSummary::State::Interrupted: return "INTERRUPTED" + step;
  }
  return {};
}

std::string line(const RunSummary& run) {
  std::string s = run.start + "  " + run.printer + " (" + run.port + (run.family.empty() ? "" : ", " + run.family) +
                  ")  " + stateText(run);
  if (!run.before.firmware.empty() || !run.after.firmware.empty()) {
    s += "  " + (run.before.firmware.empty() ? std::string("-") : run.before.firmware);
    if (!run.after.firmware.empty() && run.after.firmware != run.before.firmware) s += " -> " + run.after.firmware;
  }
  return s + "  " + run.program + "  " + run.file;
}

std::string valuesJson(const RunValues& v) {
  const auto orNull = [](const std::string& s) { return s.empty() ? std::nullopt : std::optional<std::string>(s); };
  return JsonObject()
      .addOrNull("firmware", orNull(v.firmware))
      .addOrNull("colorDataVersion", orNull(v.colorDataVersion))
      .addOrNull("colorDataChecksum", orNull(v.colorDataChecksum))
      .text();
}

std::string json(const RunSummary& run) {
  static constexpr const char* kStates[] = {"complete", "running", "interrupted"};
  JsonObject o;
  o.add("run", run.file).add("start", run.start).add("host", run.host).add("user", run.user);
  o.add("program", run.program).add("printer", run.printer).add("port", run.port);
  o.add("family", run.family).add("state", kStates[static_cast<int>(run.state)]);
  const bool complete = run.state == RunSummary::State::Complete;
  o.addOrNull("outcome", complete ? std::optional<std::string>(run.outcome) : std::nullopt);
  if (complete && !run.code.empty()) {
    o.addRaw("exitCode", std::to_string(std::atoi(run.code.c_str())));
  } else {
    o.addRaw("exitCode", "null");
  }
  o.addOrNull("meaning", complete ? std::optional<std::string>(run.meaning) : std::nullopt);
  o.addRaw("seconds", complete && !run.seconds.empty() ? std::to_string(std::atof(run.seconds.c_str())) : "null");
  o.add("lastStep", int64_t{run.lastStep});
  o.addRaw("before", valuesJson(run.before)).addRaw("after", valuesJson(run.after));
  return o.text();
}

bool wanted(const RunSummary& run, const Arguments& a, const CaseRules& caseRules) {
  if (!a.since.empty() && run.start < a.since) return false;
  switch (a.target.by) {
    case Target::By::All: return true;
    case Target::By::Port: return caseRules.upper(run.port) == caseRules.upper(a.target.text);
    case Target::By::Name: return caseRules.upper(run.printer).starts_with(caseRules.upper(a.target.text));
  }
  return true;
}

int printTrace(const Arguments& a, Tool& tool, const std::vector<RunFolder::File>& files) {
  for (const RunFolder::File& f : files) {
    if (f.name != a.trace) continue;
    if (!f.readable) {
      tool.out.line(Stream::Err, "The run " + a.trace + " can't be read.");
      return exitCode(Outcome::BadUsage);
    }
    for (size_t start = 0; start < f.text.size();) {
      const size_t end = std::min(f.text.find('\n', start), f.text.size());
      std::string_view text(f.text.data() + start, end - start);
      if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
      tool.out.line(Stream::Out, text);
      start = end + 1;
    }
    return exitCode(Outcome::Updated);
  }
  tool.out.line(Stream::Err, "No such run: " + a.trace + " (qmqn history lists them)");
  return exitCode(Outcome::BadUsage);
}

}  // namespace

int showHistory(const Arguments& a, Tool& tool) {
  const std::vector<RunFolder::File> files = tool.runs.files();
  if (!a.trace.empty()) return printTrace(a, tool, files);
  int damaged = 0;
  for (auto f = files.rbegin(); f != files.rend(); ++f) {
    const std::optional<RunSummary> run = summarizeRun(*f);
    if (!run) {
      ++damaged;
      continue;
    }
    if (wanted(*run, a, tool.caseRules)) tool.out.line(Stream::Out, a.json ? json(*run) : line(*run));
  }
  if (damaged > 0) {
    tool.out.line(Stream::Err, std::to_string(damaged) + " file(s) in the runs folder are not readable run records "
                                                           "(cut, damaged or too large) and were passed over.");
  }
  return exitCode(Outcome::Updated);
}

}  // namespace qmqn
