#include <gtest/gtest.h>

#include "updater/run_record.h"
#include "updater/run_rotation.h"
#include "window_rig.h"

namespace updater::testing {
namespace {

std::vector<RecordLine> parsed(const std::vector<std::string>& lines) {
  std::vector<RecordLine> out;
  for (const std::string& l : lines) out.push_back(*parseRecordLine(l));
  return out;
}

void qmDue(Rig& r) {
  r.qmPrinter(kOldQmVersion, "QM0200.QMD", "1234\r");
  ASSERT_EQ(r.load(), StartupEnd::UpdateDue);
  r.qm.firmwareVersion = reply(kQmVersion);
  r.qm.colorVersion = reply("QM0210.QMD");
  r.qm.colorChecksum = {"FF32\r", 4};
  r.qm.statuses = {kReady, 0x100001};
}

TEST(RunRecord, HeaderTraceAndOutcomeOfAnUpdate) {
  Rig r;
  qmDue(r);
  EXPECT_TRUE(r.journal.runs.empty());  // the check alone is not an update
  ASSERT_EQ(r.updater.start(), RunEnd::Complete);
  ASSERT_EQ(r.journal.runs.size(), 1u);
  const std::vector<RecordLine> lines = parsed(r.journal.runs[0]);
  const RecordLine& header = lines.front();
  EXPECT_EQ(header.type, "run");
  EXPECT_EQ(header.get("printer"), "QM Printer");
  EXPECT_EQ(header.get("port"), "USB001");
  EXPECT_EQ(header.get("family"), "QM");
  EXPECT_EQ(header.get("firmware"), kOldQmVersion);
  EXPECT_EQ(header.all("file").size(), 2u);
  EXPECT_EQ(header.all("file")[0].substr(0, 16), "QM_M0500S0500.S:");
  // The first printer command after the header, the rewrite wait, the flash wait.
  EXPECT_EQ(lines[1].type, "call");
  EXPECT_EQ(lines[1].get("export"), "QmGetStatus");
  EXPECT_EQ(lines[1].get("result"), "0x10001");
  const auto waits = [&] {
    std::vector<std::string> w;
    for (const RecordLine& l : lines) {
      if (l.type == "wait") w.push_back(*l.get("for"));
    }
    return w;
  }();
  EXPECT_EQ(waits.front(), "3000");
  EXPECT_NE(std::find(waits.begin(), waits.end(), "55250"), waits.end());
  const RecordLine& end = lines.back();
  EXPECT_EQ(end.type, "end");
  EXPECT_EQ(end.get("outcome"), "updated");
  EXPECT_EQ(end.get("code"), "0");
  EXPECT_EQ(end.get("firmware"), kQmVersion);
  EXPECT_EQ(end.get("colorDataChecksum"), "FF32");
  EXPECT_EQ(r.journal.closes, 1);
}

// A record that can't be written costs the record, never the update.
TEST(RunRecord, AJournalThatFailsChangesNothing) {
  for (int failAt : {1, 5}) {
    Rig r;
    qmDue(r);
    r.journal.failAtLine = failAt;
    EXPECT_EQ(r.updater.start(), RunEnd::Complete) << failAt;
    EXPECT_TRUE(r.updater.state().recordFailed) << failAt;
  }
}

TEST(RunRecord, LinesRoundTripAndGarbageIsNoLine) {
  const RecordLine line{"notice", {{"text", "a\tb\nc\\d=e"}, {"ms", "12"}}};
  EXPECT_EQ(recordLine(line), "notice\ttext=a\\tb\\nc\\\\d=e\tms=12");
  const std::optional<RecordLine> back = parseRecordLine(recordLine(line) + "\r");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->get("text"), "a\tb\nc\\d=e");
  for (const char* garbage : {"", "\tms=1", "step\tms", "step\tms=\\q", "step\t=1"}) {
    EXPECT_FALSE(parseRecordLine(garbage)) << garbage;
  }
}

TEST(RunRotation, OldestGoFirstUntilTheNewRunFits) {
  std::vector<KeptRun> runs;
  for (int i = 0; i < 205; ++i) runs.push_back({"run" + std::to_string(1000 + i), 1000});
  std::vector<std::string> removed;
  const auto remove = [&](const std::string& name) {
    if (name == "run1001") return false;  // another user's
    removed.push_back(name);
    return true;
  };
  EXPECT_EQ(rotateRuns(runs, remove), 6u);
  EXPECT_EQ(removed, (std::vector<std::string>{"run1000", "run1002", "run1003", "run1004", "run1005", "run1006"}));

  const std::vector<KeptRun> large = {{"a", 30ull << 20}, {"b", 15ull << 20}, {"c", 5ull << 20}};
  removed.clear();
  EXPECT_EQ(rotateRuns(large, remove), 1u);
  EXPECT_EQ(removed, std::vector<std::string>{"a"});
}

}  // namespace
}  // namespace updater::testing
