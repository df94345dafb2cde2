// check, and update --all --parallel's scheduling of printer processes,
// their records and the rows on a console.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <set>

#include "console/child_protocol.h"
#include "console/multi_progress.h"
#include "console_rig.h"

namespace qmqn::testing {
namespace {

const std::vector<RigPrinter> kShop = {
    {"QM One", u"USB001", sim::Family::QM, 0x840, {}},
    {"QM Two", u"USB002", sim::Family::QM, 0x840, {}},
    {"QM Twin", u"usb002", sim::Family::QM, 0x840, {}},  // one port, two queues
    {"QN One", u"USB004", sim::Family::QN, 0x840, {}},
    {"QM Offline", u"USB003", sim::Family::QM, 0xC40, {}},
    {"Office Laser", u"LPT1", std::nullopt, 0x840, {}},
};

// Printer processes that say what the script gives them and end, one event
// per call, oldest first.
class ScriptedProcesses final : public PrinterProcesses {
 public:
  struct Script {
    std::vector<ChildRecord> records;
    int exitCode = 0;
  };
  std::optional<int> start(const std::vector<std::string>& arguments) override {
    const std::string& name = arguments.back();
    started.push_back(arguments);
    const int id = static_cast<int>(started.size());
    const Script& s = scripts[name];
    std::string bytes;
    for (const ChildRecord& r : s.records) bytes += encodeRecord(r);
    // Split mid-record, as a pipe may deliver it.
    const size_t half = bytes.size() / 2;
    events.push_back({Event::Kind::Output, id, bytes.substr(0, half), 0});
    events.push_back({Event::Kind::Output, id, bytes.substr(half), 0});
    events.push_back({Event::Kind::Ended, id, {}, s.exitCode});
    running.insert(name);
    most = std::max(most, running.size());
    names[id] = name;
    return id;
  }
  Event next(uint32_t) override {
    if (events.empty()) return {};
    Event e = events.front();
    events.pop_front();
    if (e.kind == Event::Kind::Ended) {
      running.erase(names[e.id]);
      if (onEnd) onEnd();
    }
    return e;
  }
  void requestStop(int id) override { stopsAsked.push_back(names[id]); }

  std::map<std::string, Script> scripts;
  std::vector<std::vector<std::string>> started;
  std::deque<Event> events;
  std::set<std::string> running;
  size_t most = 0;
  std::map<int, std::string> names;
  std::vector<std::string> stopsAsked;
  std::function<void()> onEnd;
};

}  // namespace

TEST(ConsoleParallel, ArgumentsAreCheckedBeforeAnyPrinter) {
  const struct {
    std::vector<std::string> args;
    int parallel;  // -1: refused
  } cases[] = {
      {{"update", "--all", "--parallel"}, kParallelAll},
      {{"update", "--all", "--parallel", "3"}, 3},
      {{"update", "--parallel", "8", "--all"}, 8},
      {{"update", "--all", "--parallel", "9"}, -1},
      {{"update", "--all", "--parallel", "0"}, -1},
      {{"update", "QM One", "--parallel"}, -1},
      {{"check", "--all", "--parallel"}, -1},
      {{"update", "--child", "rows", "--all"}, -1},
      {{"update", "--child", "lines", "--", "--odd name"}, 0},
      {{"check", "--", "-x", "-y"}, -1},
  };
  for (const auto& c : cases) {
    const ParsedArguments p = parseArguments(c.args);
    ASSERT_EQ(p.arguments.has_value(), c.parallel >= 0) << c.args.back() << ": " << p.error;
    if (p.arguments) {
      EXPECT_EQ(p.arguments->parallel, c.parallel);
    }
  }
  EXPECT_EQ(parseArguments(std::vector<std::string>{"update", "--child", "lines", "--", "--odd name"})
                .arguments->target.text,
            "--odd name");
}

TEST(ConsoleParallel, CheckAnswersDueOrCurrentAndChangesNothing) {
  Rig rig(kShop);
  EXPECT_EQ(rig.run({"check", "QM One", "--json"}), 12);
  EXPECT_NE(rig.output.out.back().find(R"("outcome":"update-due","updateDue":true)"), std::string::npos)
      << rig.output.out.back();
  // The offline one is passed over and counts as not ready, as update --all counts it.
  EXPECT_EQ(rig.run({"check", "--all"}), 22);
  EXPECT_NE(rig.output.all(Stream::Out).find("QN One (USB004, QN): update due"), std::string::npos);
  EXPECT_EQ(rig.run({"check", "QM Offline"}), 22);
  EXPECT_EQ(rig.run({"check", "Office"}), 21);
  EXPECT_EQ(rig.run({"check", "Nobody"}), 20);
  EXPECT_EQ(rig.runGuard.started, 0);
  EXPECT_EQ(rig.printer(sim::Family::QM, u"USB001").firmware, sim::defaultFirmware(sim::Family::QM));

  EXPECT_EQ(rig.run({"update", "QM One"}), 0);
  rig.output.out.clear();
  EXPECT_EQ(rig.run({"check", "--port", "usb001"}), 0);
  EXPECT_EQ(rig.output.out.back().substr(0, 34), "QM One (USB001, QM): up to date\n  ");
  rig.printers.heldElsewhere.insert(u"USB001");
  EXPECT_EQ(rig.run({"check", "QM One"}), 23);
}

TEST(ConsoleParallel, EveryPrinterInItsProcessNeverTwoOnOnePortTheWorstWins) {
  Rig rig(kShop);
  ScriptedProcesses processes;
  processes.scripts["QM One"] = {{{'P', "  step 1/5 x"}, {'O', "{\"printer\":\"QM One\"}"}}, 0};
  processes.scripts["QM Two"] = {{{'E', "line\nwith \\ and end"}, {'O', "QM Two: failed"}}, 40};
  processes.scripts["QM Twin"] = {{}, 10};
  processes.scripts["QN One"] = {{}, -1073741510};  // killed
  processes.scripts["Office Laser"] = {{}, 21};
  rig.processes = &processes;
  EXPECT_EQ(rig.run({"update", "--all", "--parallel", "--json", "--log", "fleet.log", "--lang", "ja"}), 40);

  ASSERT_EQ(processes.started.size(), 5u);
  EXPECT_EQ(processes.started[0], (std::vector<std::string>{"update", "--child", "lines", "--lang", "ja", "--log",
                                                            "fleet.log", "--json", "--", "QM One"}));
  EXPECT_EQ(processes.most, 4u);  // the twin waits for its port
  EXPECT_EQ(processes.started[4].back(), "QM Twin");
  const std::string out = rig.output.all(Stream::Out);
  EXPECT_NE(out.find("{\"printer\":\"QM One\"}\n"), std::string::npos);
  EXPECT_NE(rig.output.all(Stream::Err).find("line\nwith \\ and end\n"), std::string::npos);
  // The parent speaks for the ones passed over and the one that died.
  EXPECT_NE(out.find(R"("printer":"QM Offline","port":"USB003")"), std::string::npos);
  EXPECT_NE(out.find(R"("outcome":"printer-failed","exitCode":40,"message":"its process ended unexpectedly)"),
            std::string::npos)
      << out;
  EXPECT_EQ(rig.logs["fleet.log"].size(), 2u);  // offline and the dead one; the rest log for themselves
}

TEST(ConsoleParallel, AStopReachesTheRunningAndNoneStartsAfter) {
  Rig rig(kShop);
  ScriptedProcesses processes;
  rig.processes = &processes;
  processes.onEnd = [&rig] { rig.stopAt = ++rig.clock.now; };
  EXPECT_EQ(rig.run({"update", "--all", "--parallel", "2"}), 22);  // the offline one
  ASSERT_EQ(processes.started.size(), 2u);
  EXPECT_EQ(processes.stopsAsked, std::vector<std::string>{"QM Two"});
  const std::string out = rig.output.all(Stream::Out);
  EXPECT_NE(out.find("QM Twin (usb002): stopped on request before the printer was touched - not started"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("QN One (USB004): stopped"), std::string::npos) << out;
}

TEST(ConsoleParallel, RowsOnAConsole) {
  MultiProgress rows;
  rows.add(1, "QM One (USB001)");
  rows.add(2, "Принтер (USB2)");
  rows.show(1, "  step 4/5 Rewriting  [####] 53%");
  EXPECT_EQ(rows.block(), "QM One (USB001)  step 4/5 Rewriting  [####] 53%\nПринтер (USB2)   starting");
  rows.remove(1);
  EXPECT_EQ(rows.block(), "Принтер (USB2)  starting");

  RecordReader reader;
  EXPECT_TRUE(reader.feed("O a\\nb").empty());
  const auto records = reader.feed("\nnot a record\r\nP 53%\n");
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].text, "a\nb");
  EXPECT_EQ(records[1].kind, 'E');
  EXPECT_EQ(records[2].kind, 'P');
}

}  // namespace qmqn::testing
