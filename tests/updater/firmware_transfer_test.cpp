#include <gtest/gtest.h>

#include "window_rig.h"
#include "updater/firmware_image.h"
#include "window/form1_controls.h"
#include "updater/transfers.h"

namespace updater::testing {
namespace {

constexpr uint32_t kRewrite = 0x100001;

// A printer with older firmware after the start-up check, scripted for a
// good transfer: not yet, then rewrite mode; after the write: still rewrite
// mode, then ready.
void prepare(Rig& r, Family family) {
  if (family == Family::Qm) {
    r.qmPrinter(kOldQmVersion, "QM0210.QMD", "FF32\r");
  } else {
    r.qnPrinter(kOldQnVersion);
  }
  ASSERT_EQ(r.load(), StartupEnd::UpdateDue);
  r.clearLogs();
  ScriptedBinding& lib = family == Family::Qm ? r.qm : r.qn;
  lib.firmwareVersion = reply(family == Family::Qm ? kQmVersion : kQnVersion);
  lib.statuses = {kReady, kRewrite, kRewrite};
  lib.lastStatus = kReady;
}

Transfer run(Rig& r) { return firmwareFromFiles(r); }

class FirmwareTransfer : public ::testing::Test {
 protected:
  void SetUp() override { prepare(rig, Family::Qm); }
  Transfer run() { return testing::run(rig); }

  void expectStepOpen(int step) {
    EXPECT_TRUE(w.enabled(stepLabel(step))) << step;
    EXPECT_TRUE(w.bold(stepLabel(step))) << step;
    EXPECT_TRUE(w.visible(stepBox(step))) << step;
    EXPECT_FALSE(w.visible(stepCheck(step))) << step;
  }
  void expectStepClosed(int step) {
    EXPECT_TRUE(w.enabled(stepLabel(step))) << step;
    EXPECT_FALSE(w.bold(stepLabel(step))) << step;
    EXPECT_FALSE(w.visible(stepBox(step))) << step;
    EXPECT_TRUE(w.visible(stepCheck(step))) << step;
  }

  Rig rig;
  FakeWindow& w = rig.window;
};

TEST_F(FirmwareTransfer, QmSuccessWalksStepsOneToFourAndOpensFive) {
  EXPECT_EQ(run(), Transfer::Succeeded);
  for (int step = 1; step <= 4; ++step) expectStepClosed(step);
  expectStepOpen(5);
  EXPECT_EQ(w.progress(), 90.0f);
  EXPECT_EQ(w.text(Element::Text1), kQmVersion);
  EXPECT_EQ(w.colour(Element::Text1), kBlack);
  EXPECT_FALSE(w.visible(Element::Picture1));
  EXPECT_TRUE(w.visible(Element::Picture2));
  EXPECT_EQ(rig.qm.calls,
            (std::vector<std::string>{"setFirmwUpdateMode", "getStatus", "getStatus",
                                      "setFirmwDataWrite", "getStatus", "getStatus",
                                      "getFirmwVersion"}));
}

TEST_F(FirmwareTransfer, ImageIsTheRecordsWithCrLfAndZeroFill) {
  // 28 bytes of records: +28 -> 56, +24 -> 80.
  run();
  std::vector<uint8_t> expected(80, 0);
  const std::string records = "S00600004844521B\r\nS1130000\r\n";
  std::copy(records.begin(), records.end(), expected.begin());
  EXPECT_EQ(rig.qm.firmwareImage, expected);
}

TEST_F(FirmwareTransfer, WaitsAndProgressOnTheVirtualClock) {
  const uint64_t t0 = rig.clock.now;
  ASSERT_EQ(run(), Transfer::Succeeded);
  EXPECT_EQ(rig.qm.timeOf("setFirmwUpdateMode"), t0);
  EXPECT_EQ(rig.qm.timeOf("getStatus", 0), t0 + 3000);
  EXPECT_EQ(rig.qm.timeOf("getStatus", 1), t0 + 3500);
  const uint64_t written = rig.qm.timeOf("setFirmwDataWrite");
  EXPECT_EQ(written, t0 + 4000);  // rewrite mode still costs its 500 ms
  // 1000 ms, 650 ticks of 85 ms, then a ready poll every 1000 ms.
  EXPECT_EQ(rig.qm.timeOf("getStatus", 2), written + 1000 + 55250 + 1000);
  EXPECT_EQ(rig.qm.timeOf("getStatus", 3), written + 1000 + 55250 + 2000);

  std::vector<float> values;
  for (const auto& p : w.progressLog) values.push_back(p.value);
  ASSERT_EQ(values.size(), 4u + 650u + 2u);
  EXPECT_EQ(values[0], 5.0f);
  EXPECT_EQ(values[1], 10.0f);
  EXPECT_EQ(values[2], 15.0f);
  EXPECT_EQ(values[3], 20.0f);
  EXPECT_NEAR(values[4], 20.1f, 1e-4);
  EXPECT_NEAR(values[653], 85.0f, 0.01);  // 650 ticks of 0.1
  EXPECT_EQ(values[654], 85.0f);
  EXPECT_EQ(values[655], 90.0f);
  EXPECT_EQ(w.progressLog[4].at, written + 1000 + 85);
  EXPECT_EQ(w.progressLog[653].at, written + 1000 + 55250);
}

TEST(FirmwareTransferQn, TicksAreEightyMillisecondsAndStepFiveIsUntouched) {
  Rig r;
  prepare(r, Family::Qn);
  const FakeWindow& w = r.window;
  ASSERT_EQ(run(r), Transfer::Succeeded);
  const uint64_t written = r.qn.timeOf("setFirmwDataWrite");
  EXPECT_EQ(r.qn.timeOf("getStatus", 2), written + 1000 + 56000 + 1000);
  EXPECT_EQ(w.progress(), 90.0f);
  ASSERT_EQ(w.progressLog.size(), 4u + 700u + 2u);
  EXPECT_NEAR(w.progressLog[3u + 700u].value, 90.0f, 0.01);
  EXPECT_EQ(w.progressLog[4u + 700u].value, 90.0f);
  EXPECT_FALSE(w.visible(Element::Label16));
  EXPECT_FALSE(w.enabled(Element::Label16));
  EXPECT_FALSE(w.bold(Element::Label16));
  EXPECT_FALSE(w.visible(Element::Picture13));
  EXPECT_FALSE(w.visible(Element::Picture14));
  EXPECT_TRUE(r.qm.calls.empty());
}

TEST_F(FirmwareTransfer, FlashWaitIsPacedByDeadline) {
  struct Case {
    uint32_t oversleep;
    uint32_t granularity;
    uint64_t slack;
  };
  for (const Case c : {Case{0, 0, 0}, Case{0, 10, 0}, Case{0, 16, 16}, Case{7, 0, 7}, Case{40, 0, 40},
                       Case{100, 0, 100}}) {
    Rig r;
    r.qmPrinter(kOldQmVersion, "QM0210.QMD", "FF32\r");
    r.load();
    r.qm.firmwareVersion = reply(kQmVersion);
    r.qm.statuses = {kRewrite, kRewrite};
    r.clock.oversleepMs = c.oversleep;
    r.clock.granularityMs = c.granularity;
    ASSERT_EQ(firmwareFromFiles(r),
              Transfer::Succeeded);
    // Ticks: progress writes 5..654; the wait starts after the value 20.
    const auto& log = r.window.progressLog;
    ASSERT_EQ(log.size(), 656u);
    const uint64_t start = log[3].at;
    const uint64_t end = log[653].at;
    EXPECT_GE(end - start, 55250u) << c.oversleep << "/" << c.granularity;
    EXPECT_LE(end - start, 55250u + c.slack) << c.oversleep << "/" << c.granularity;
    for (size_t k = 1; k <= 650; ++k) EXPECT_GE(log[3 + k].at, start + 85 * k);
  }
}

TEST_F(FirmwareTransfer, EveryTickYields) {
  const int before = rig.clock.yields;
  run();
  // Steps 1, 2, 3, 4 (with the build's own), 650 ticks, the final value, the check mark.
  EXPECT_EQ(rig.clock.yields - before, 2 + 1 + 1 + 1 + 650 + 1 + 1);
}

TEST_F(FirmwareTransfer, FileProblemsShowAMessageAndSendNothing) {
  struct Case {
    const char* what;
    std::function<void(Rig&)> prepare;
    const char* message;
  };
  const Case cases[] = {
      {"empty", [](Rig& r) { r.files.put("QM_M0500S0500.S", ""); },
       "QM_M0500S0500.S File Not Opend"},
      {"missing", [](Rig& r) { r.files.files.erase("QM_M0500S0500.S"); },
       "QM_M0500S0500.S File Not Opend"},
      {"unreadable",
       [](Rig& r) { r.files.files["QM_M0500S0500.S"] = {FileStatus::Unreadable, {}}; },
       "QM_M0500S0500.S File Not Opend"},
      {"too large",
       [](Rig& r) { r.files.files["QM_M0500S0500.S"] = {FileStatus::TooLarge, {}}; },
       "QM_M0500S0500.S File Too Large"},
      {"image too large",
       [](Rig& r) { r.files.put("QM_M0500S0500.S", std::string(kFirmwareImageCapacity - 1, 'A')); },
       "QM_M0500S0500.S File Too Large"},
      {"double byte",
       [](Rig& r) {
         r.codePage.dbcs = true;
         r.files.put("QM_M0500S0500.S", "S1\x82\xA0\r\n");
       },
       "QM_M0500S0500.S File Not Valid"},
      {"unclosed quote", [](Rig& r) { r.files.put("QM_M0500S0500.S", "\"S1\r\n"); },
       "QM_M0500S0500.S File Not Valid"},
  };
  for (const Case& c : cases) {
    Rig r;
    r.dialog.choice = {PortChoice::End::Ok, 0, true};  // the message stays English
    r.qmPrinter(kOldQmVersion, "QM0210.QMD", "FF32\r");
    r.load();
    r.clearLogs();
    c.prepare(r);
    EXPECT_EQ(firmwareFromFiles(r),
              Transfer::Failed)
        << c.what;
    EXPECT_EQ(r.messages.shown, std::vector<std::string>{c.message}) << c.what;
    EXPECT_TRUE(r.qm.calls.empty()) << c.what;
    EXPECT_TRUE(r.window.bold(Element::Label12)) << c.what;
    EXPECT_FALSE(r.window.enabled(Element::Label13)) << c.what;
    EXPECT_EQ(r.window.progress(), 10.0f) << c.what;
    EXPECT_EQ(r.window.text(Element::Text1), kOldQmVersion) << c.what;
  }
}

TEST_F(FirmwareTransfer, NoAnswerInRewriteModeWaitFailsAfterOneQuery) {
  rig.qm.statuses = {kStatusNone};
  const uint64_t t0 = rig.clock.now;
  EXPECT_EQ(run(), Transfer::Failed);
  EXPECT_EQ(rig.qm.count("getStatus"), 1);
  EXPECT_EQ(rig.qm.timeOf("getStatus"), t0 + 3000);
  EXPECT_EQ(rig.qm.count("setFirmwDataWrite"), 0);
  expectStepClosed(1);
  expectStepOpen(2);
  EXPECT_EQ(w.progress(), 10.0f);
  EXPECT_EQ(w.text(Element::Text1), kOldQmVersion);
}

TEST_F(FirmwareTransfer, RewriteModeWaitIsBounded) {
  rig.qm.statuses = {};
  rig.qm.lastStatus = kReady;  // never enters rewrite mode
  const uint64_t t0 = rig.clock.now;
  EXPECT_EQ(run(), Transfer::Failed);
  EXPECT_EQ(rig.qm.count("getStatus"), kRewriteModePolls);
  EXPECT_EQ(rig.clock.now - t0, 3000u + 500u * kRewriteModePolls);
  EXPECT_EQ(rig.qm.count("setFirmwDataWrite"), 0);
  expectStepOpen(2);
}

TEST_F(FirmwareTransfer, DataWriteFailureStopsAtStepThree) {
  for (int32_t result : {0, -1}) {
    Rig r;
    r.qmPrinter(kOldQmVersion, "QM0210.QMD", "FF32\r");
    r.load();
    r.clearLogs();
    r.qm.statuses = {kRewrite};
    r.qm.firmwareWriteResult = result;
    EXPECT_EQ(firmwareFromFiles(r),
              Transfer::Failed);
    EXPECT_EQ(r.qm.calls.back(), "setFirmwDataWrite");
    EXPECT_TRUE(r.window.bold(Element::Label14)) << result;
    EXPECT_FALSE(r.window.enabled(Element::Label15)) << result;
    EXPECT_EQ(r.window.progress(), 15.0f) << result;
  }
}

TEST_F(FirmwareTransfer, TwentiethPollEndsTheWaitWhateverItSays) {
  rig.qm.statuses = {kRewrite};
  for (int i = 0; i < 19; ++i) rig.qm.statuses.push_back(0x40001);
  rig.qm.statuses.push_back(kReady);  // the 20th poll
  EXPECT_EQ(run(), Transfer::Failed);
  EXPECT_EQ(rig.qm.count("getStatus"), 1 + 20);
  EXPECT_EQ(rig.qm.count("getFirmwVersion"), 0);
  EXPECT_EQ(w.colour(Element::Text1), kRed);
  EXPECT_EQ(w.text(Element::Text1), kOldQmVersion);
  expectStepOpen(4);
  EXPECT_EQ(w.progress(), 85.0f);
}

TEST_F(FirmwareTransfer, ReadyOnNineteenthPollSucceeds) {
  rig.qm.statuses = {kRewrite};
  for (int i = 0; i < 18; ++i) rig.qm.statuses.push_back(kRewrite);
  rig.qm.statuses.push_back(0x20001);
  EXPECT_EQ(run(), Transfer::Succeeded);
}

TEST_F(FirmwareTransfer, VersionComparison) {
  struct Case {
    Reply version;
    Transfer result;
    const char* text1;
  };
  const std::string padded = "  " + kQmVersion + " ";
  const Case cases[] = {
      {reply(padded), Transfer::Succeeded, padded.c_str()},
      {reply("qm_master 5.00  qm_slave  5.00"), Transfer::Failed, "qm_master 5.00  qm_slave  5.00"},
      {reply(kOldQmVersion), Transfer::Failed, kOldQmVersion.c_str()},
      {{kQmVersion, -1}, Transfer::Failed, ""},
  };
  for (const Case& c : cases) {
    Rig r;
    r.qmPrinter(kOldQmVersion, "QM0210.QMD", "FF32\r");
    r.load();
    r.qm.statuses = {kRewrite};
    r.qm.firmwareVersion = c.version;
    EXPECT_EQ(firmwareFromFiles(r),
              c.result)
        << c.text1;
    EXPECT_EQ(r.window.text(Element::Text1), c.text1);
    if (c.result == Transfer::Failed) {
      EXPECT_EQ(r.window.colour(Element::Text1), kRed);
      EXPECT_TRUE(r.window.bold(Element::Label15));
      EXPECT_FALSE(r.window.enabled(Element::Label16));
      EXPECT_FALSE(r.window.visible(Element::Picture2));
      EXPECT_EQ(r.window.progress(), 85.0f);
    }
  }
}

}  // namespace
}  // namespace updater::testing
