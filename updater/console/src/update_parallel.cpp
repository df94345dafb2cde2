// update --all --parallel: each usable printer in a qmqn process of its own
// (the status libraries serve one caller per process), at most N at once and
// never two on one port. The processes print their own summaries, JSON
// objects and log lines; this one passes their records on, draws their rows
// on a console, reports the printers it passes over or never starts, and
// ends with the worst outcome.
#include <map>
#include <vector>

#include "console/child_protocol.h"
#include "console/multi_progress.h"
#include "console/printer_choice.h"
#include "update_command.h"

namespace qmqn {
namespace {

struct Job {
  std::string name;
  std::string port;
};

struct Running {
  Job job;
  RecordReader reader;
};

}  // namespace

Outcome UpdateCommand::parallel() {
  std::optional<Outcome> worst;
  const auto count = [&worst](Outcome o) {
    if (o != Outcome::NotQmQn) worst = worst ? worse(*worst, o) : o;
  };
  std::vector<Job> waiting;
  bool any = false;
  for (const std::string& name : tool_.printers.installedPrinters()) {
    any = true;
    const updater::PortRecord record = tool_.printers.portRecord(name);
    if (usabilityOf(record) == Usability::Usable) {
      waiting.push_back({name, portText(record)});
    } else {
      count(report(passedOver(name, record)));
    }
  }
  const size_t most = a_.parallel == kParallelAll ? kMaxParallel : static_cast<size_t>(a_.parallel);
  const bool rows = tool_.out.console() && !a_.json;
  std::vector<std::string> options{"update", "--child", rows ? "rows" : "lines"};
  if (a_.force) options.push_back("--force");
  if (a_.japanese) options.insert(options.end(), {"--lang", "ja"});
  if (!a_.logFile.empty()) options.insert(options.end(), {"--log", a_.logFile});
  if (a_.json) options.push_back("--json");
  options.push_back("--");

  PrinterProcesses& processes = *tool_.processes;
  std::map<int, Running> running;
  MultiProgress progress;
  bool stopping = false;
  const auto portBusy = [&](const std::string& port) {
    for (const auto& [id, r] : running) {
      if (tool_.caseRules.upper(r.job.port) == tool_.caseRules.upper(port)) return true;
    }
    return false;
  };
  const auto pass = [&](int id, const std::vector<ChildRecord>& records) {
    for (const ChildRecord& record : records) {
      if (record.kind == 'P') {
        progress.show(id, record.text);
      } else {
        tool_.out.line(record.kind == 'O' ? Stream::Out : Stream::Err, record.text);
      }
    }
  };

  while (!waiting.empty() || !running.empty()) {
    if (tool_.stop.requested() && !stopping) {
      stopping = true;
      tool_.out.line(Stream::Err, "Stop requested: qmqn stops once the printers being updated are safe. "
                                  "Do not switch them off.");
      for (const auto& [id, r] : running) processes.requestStop(id);
      for (const Job& job : waiting) count(report(notStarted(job.name, job.port)));
      waiting.clear();
    }
    for (auto it = waiting.begin(); it != waiting.end() && running.size() < most;) {
      if (portBusy(it->port)) {
        ++it;
        continue;
      }
      std::vector<std::string> arguments = options;
      arguments.push_back(it->name);
      if (const std::optional<int> id = processes.start(arguments)) {
        if (rows) progress.add(*id, it->name + " (" + it->port + ")");
        running.emplace(*id, Running{*it, {}});
      } else {
        UpdateReport r = started(it->name, it->port);
        r.outcome = Outcome::PrinterFailed;
        r.message = "could not start a process for it; the printer was not touched";
        count(report(r));
      }
      it = waiting.erase(it);
    }
    if (running.empty()) continue;
    const PrinterProcesses::Event event = processes.next(200);
    const auto it = running.find(event.id);
    if (event.kind == PrinterProcesses::Event::Kind::None || it == running.end()) continue;
    if (event.kind == PrinterProcesses::Event::Kind::Output) {
      pass(event.id, it->second.reader.feed(event.bytes));
    } else {
      pass(event.id, it->second.reader.finish());
      progress.remove(event.id);
      if (const std::optional<Outcome> o = outcomeOfCode(event.exitCode)) {
        count(*o);
      } else {
        // Killed or crashed: it said nothing for itself.
        UpdateReport r = started(it->second.job.name, it->second.job.port);
        r.outcome = Outcome::PrinterFailed;
        r.message = "its process ended unexpectedly (exit code " + std::to_string(event.exitCode) +
                    "); the printer may be left in rewrite mode";
        count(report(r));
      }
      running.erase(it);
    }
    if (rows) tool_.out.status(progress.block());
  }
  return worstOf(worst, any);
}

}  // namespace qmqn
