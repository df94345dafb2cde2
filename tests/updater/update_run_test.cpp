#include <gtest/gtest.h>

#include "window_rig.h"
#include "window/form1_controls.h"

namespace updater::testing {
namespace {

constexpr uint32_t kRewrite = 0x100001;

// A QM printer due for firmware and colour control data, scripted for a good
// run: entry status, rewrite mode, ready after the flash write.
void qmDue(Rig& r, bool japanese = false) {
  r.dialog.choice = {PortChoice::End::Ok, 0, japanese};
  r.qmPrinter(kOldQmVersion, "QM0200.QMD", "1234\r");
  ASSERT_EQ(r.load(), StartupEnd::UpdateDue);
  r.clearLogs();
  r.qm.firmwareVersion = reply(kQmVersion);
  r.qm.colorVersion = reply("QM0210.QMD");
  r.qm.colorChecksum = {"FF32\r", 4};
  r.qm.statuses = {kReady, kRewrite};
}

void expectCloseOnly(const FakeWindow& w, bool focused) {
  EXPECT_FALSE(w.enabled(Element::Command1));
  EXPECT_TRUE(w.enabled(Element::Command2));
  if (focused) {
    EXPECT_EQ(w.focus, Element::Command2);
  } else {
    EXPECT_EQ(w.focus, Element::Command3);
  }
}

TEST(UpdateRun, QmCompleteWithColourData) {
  Rig r;
  qmDue(r);
  EXPECT_EQ(r.updater.start(), RunEnd::Complete);
  const FakeWindow& w = r.window;
  EXPECT_EQ(w.text(Element::Text5), "** Complete **  Push [Close] button.");
  EXPECT_EQ(w.colour(Element::Text5), kBlue);
  expectCloseOnly(w, true);
  EXPECT_EQ(w.progress(), 100.0f);
  EXPECT_TRUE(w.enabled(Element::ProgressBar1));
  EXPECT_EQ(w.progressLog[w.progressLog.size() - 2].value, 95.0f);
  for (int step = 1; step <= 5; ++step) {
    EXPECT_TRUE(w.visible(stepCheck(step))) << step;
    EXPECT_FALSE(w.visible(stepBox(step))) << step;
    EXPECT_FALSE(w.bold(stepLabel(step))) << step;
  }
  EXPECT_TRUE(w.visible(Element::Picture2));
  EXPECT_FALSE(w.visible(Element::Picture3));
  EXPECT_TRUE(w.visible(Element::Picture4));
  EXPECT_EQ(w.text(Element::Text3), "QM0210.QMD");
  EXPECT_EQ(w.text(Element::Text4), "FF32");
  EXPECT_EQ(r.qm.count("setColorDataWrite"), 1);
  EXPECT_EQ(r.files.reads, (std::vector<std::string>{"QM_M0500S0500.S", "QM0210.QMD"}));
}

TEST(UpdateRun, QmCompleteInJapanese) {
  Rig r;
  qmDue(r, true);
  EXPECT_EQ(r.updater.start(), RunEnd::Complete);
  EXPECT_EQ(r.window.text(Element::Text5), "完了しました。  [終了]ボタンをクリック。");
}

TEST(UpdateRun, PrepareWindowBeforeTheStatusTest) {
  Rig r;
  qmDue(r);
  r.qm.statuses = {0x40001};
  r.window.setText(Element::Text3, "old");
  EXPECT_EQ(r.updater.start(), RunEnd::StatusNotReady);
  const FakeWindow& w = r.window;
  EXPECT_EQ(w.text(Element::Text1), "");
  EXPECT_EQ(w.text(Element::Text3), "");
  EXPECT_EQ(w.text(Element::Text4), "");
  EXPECT_TRUE(w.visible(Element::Picture1));
  EXPECT_FALSE(w.visible(Element::Picture2));
  EXPECT_TRUE(w.visible(Element::Picture3));
  EXPECT_FALSE(w.visible(Element::Picture4));
  EXPECT_EQ(w.text(Element::Text5), "Printer error.  Push [Close] botton.");
  EXPECT_EQ(w.colour(Element::Text5), kRed);
  expectCloseOnly(w, false);
  EXPECT_TRUE(w.progressLog.empty());
  EXPECT_EQ(r.qm.calls, std::vector<std::string>{"getStatus"});
  // Files are read (quietly) before the printer is asked anything.
  EXPECT_EQ(r.files.reads, (std::vector<std::string>{"QM_M0500S0500.S", "QM0210.QMD"}));
}

// A QMD file that can't be used is found before the firmware is flashed.
TEST(UpdateRun, BadQmdFileStopsBeforeAnyPrinterCommand) {
  Rig r;
  qmDue(r, true);
  r.files.put("QM0210.QMD", "");
  EXPECT_EQ(r.updater.start(), RunEnd::BadFile);
  const FakeWindow& w = r.window;
  EXPECT_EQ(r.messages.shown, std::vector<std::string>{"QM0210.QMD File Not Opend"});
  EXPECT_TRUE(r.qm.calls.empty());
  EXPECT_EQ(w.text(Element::Text5), "プリンタエラー。 [終了]ボタンをクリック。");
  EXPECT_EQ(w.colour(Element::Text5), kRed);
  expectCloseOnly(w, true);
  EXPECT_TRUE(w.bold(Element::Label12));
  EXPECT_FALSE(w.enabled(Element::Label13));
  EXPECT_EQ(w.progress(), 10.0f);
  EXPECT_FALSE(w.enabled(Element::ProgressBar1));
}

// The host stays awake and refuses a silent shutdown for exactly the run.
TEST(UpdateRun, RunGuardIsHeldForTheWholeRunWhateverItsEnd) {
  struct Row {
    const char* what;
    void (*setUp)(Rig&);
    RunEnd end;
  };
  const Row rows[] = {
      {"complete", [](Rig&) {}, RunEnd::Complete},
      {"bad file", [](Rig& r) { r.files.files.erase("QM_M0500S0500.S"); }, RunEnd::BadFile},
      {"status", [](Rig& r) { r.qm.statuses = {0x40001}; }, RunEnd::StatusNotReady},
      {"firmware", [](Rig& r) { r.qm.firmwareWriteResult = 0; }, RunEnd::FirmwareFailed},
  };
  for (const Row& row : rows) {
    Rig r;
    qmDue(r);
    row.setUp(r);
    bool heldAtEveryYield = true;
    r.clock.onYield = [&] {
      heldAtEveryYield = heldAtEveryYield && r.runGuard.held();
    };
    EXPECT_EQ(r.updater.start(), row.end) << row.what;
    EXPECT_TRUE(heldAtEveryYield) << row.what;
    EXPECT_EQ(r.runGuard.started, 1) << row.what;
    EXPECT_EQ(r.runGuard.ended, 1) << row.what;
  }
}

TEST(UpdateRun, NoAnswerAtTheStartIsAPrinterErrorToo) {
  Rig r;
  qmDue(r, true);
  r.qm.statuses = {kStatusNone};
  EXPECT_EQ(r.updater.start(), RunEnd::StatusNotReady);
  EXPECT_EQ(r.window.text(Element::Text5), "プリンタエラー。 [終了]ボタンをクリック。");
}

TEST(UpdateRun, PrinterInRewriteModeIsAccepted) {
  Rig r;
  qmDue(r);
  r.qm.statuses = {kRewrite, kRewrite};
  EXPECT_EQ(r.updater.start(), RunEnd::Complete);
  EXPECT_EQ(r.qm.count("setFirmwUpdateMode"), 1);
}

TEST(UpdateRun, FirmwareFailureDisablesTheProgressBar) {
  Rig r;
  qmDue(r);
  r.qm.firmwareVersion = reply(kOldQmVersion);
  EXPECT_EQ(r.updater.start(), RunEnd::FirmwareFailed);
  const FakeWindow& w = r.window;
  EXPECT_EQ(w.text(Element::Text5), "Printer error.  Push [Close] botton.");
  EXPECT_EQ(w.colour(Element::Text5), kRed);
  expectCloseOnly(w, true);
  EXPECT_FALSE(w.enabled(Element::ProgressBar1));
  EXPECT_EQ(w.progress(), 85.0f);
  EXPECT_EQ(r.qm.count("setColorDataWrite"), 0);
}

TEST(UpdateRun, ColourDataFailureLeavesStepFiveOpen) {
  Rig r;
  qmDue(r);
  r.qm.colorChecksum = {"0000\r", 4};
  EXPECT_EQ(r.updater.start(), RunEnd::ColorDataFailed);
  const FakeWindow& w = r.window;
  EXPECT_EQ(w.text(Element::Text5), "Printer error.  Push [Close] botton.");
  expectCloseOnly(w, true);
  EXPECT_TRUE(w.enabled(Element::ProgressBar1));
  EXPECT_EQ(w.progress(), 90.0f);
  EXPECT_TRUE(w.bold(Element::Label16));
  EXPECT_TRUE(w.visible(Element::Picture13));
  EXPECT_FALSE(w.visible(Element::Picture14));
  EXPECT_EQ(w.colour(Element::Text4), kRed);
}

TEST(UpdateRun, QmWithCurrentColourDataOnlyReadsItBack) {
  Rig r;
  r.qmPrinter(kOldQmVersion, "QM0210.QMD", "FF32\r");
  ASSERT_EQ(r.load(), StartupEnd::UpdateDue);
  ASSERT_TRUE(r.updater.state().colorDataCurrent);
  r.qm.firmwareVersion = reply(kQmVersion);
  r.qm.colorVersion = reply(" qm0210.qmd");
  r.qm.colorChecksum = {"ff32a7\r", 6};
  r.qm.statuses = {kReady, kRewrite};
  EXPECT_EQ(r.updater.start(), RunEnd::Complete);
  EXPECT_EQ(r.qm.count("setColorDataWrite"), 0);
  EXPECT_EQ(r.window.text(Element::Text3), "QM0210.QMD");
  EXPECT_EQ(r.window.text(Element::Text4), "FF32");
  EXPECT_TRUE(r.window.visible(Element::Picture4));
  EXPECT_TRUE(r.window.visible(Element::Picture14));
}

TEST(UpdateRun, QmInRewriteModeAtStartUpGetsColourDataWritten) {
  Rig r;
  r.qmPrinter(kOldQmVersion, "QM0210.QMD", "FF32\r");
  r.qm.lastStatus = kRewrite;
  ASSERT_EQ(r.load(), StartupEnd::UpdateDue);
  ASSERT_FALSE(r.updater.state().colorDataCurrent);
  r.qm.firmwareVersion = reply(kQmVersion);
  r.qm.statuses = {kRewrite, kRewrite, kRewrite};
  r.qm.lastStatus = kReady;
  EXPECT_EQ(r.updater.start(), RunEnd::Complete);
  EXPECT_EQ(r.qm.count("setColorDataWrite"), 1);
}

TEST(UpdateRun, FailedReadBackDoesNotFailTheRun) {
  Rig r;
  r.qmPrinter(kOldQmVersion, "QM0210.QMD", "FF32\r");
  r.load();
  r.qm.firmwareVersion = reply(kQmVersion);
  r.qm.colorVersion = {"", -1};
  r.qm.colorChecksum = {"", 0};
  r.qm.statuses = {kReady, kRewrite};
  EXPECT_EQ(r.updater.start(), RunEnd::Complete);
  EXPECT_EQ(r.window.text(Element::Text3), "");
}

TEST(UpdateRun, QnCompletesWithoutColourDataStep) {
  Rig r;
  r.qnPrinter(kOldQnVersion);
  ASSERT_EQ(r.load(), StartupEnd::UpdateDue);
  r.window.setText(Element::Text3, "KEPT");
  r.qn.firmwareVersion = reply(kQnVersion);
  r.qn.colorVersion = {"", -1};
  r.qn.colorChecksum = {"cd34\r", 4};
  r.qn.statuses = {kReady, kRewrite};
  EXPECT_EQ(r.updater.start(), RunEnd::Complete);
  const FakeWindow& w = r.window;
  EXPECT_EQ(w.text(Element::Text3), "KEPT");  // failed query: box keeps its text
  EXPECT_EQ(w.text(Element::Text4), "CD34");
  for (Element e : {Element::Picture3, Element::Picture4, Element::Picture13, Element::Picture14}) {
    EXPECT_FALSE(w.visible(e));
  }
  EXPECT_FALSE(w.bold(Element::Label16));
  EXPECT_EQ(w.progress(), 100.0f);
  EXPECT_EQ(r.qn.count("setColorDataWrite"), 0);
  EXPECT_TRUE(r.qm.calls.size() == 2u);  // the probe only
  EXPECT_EQ(r.files.reads, std::vector<std::string>{"QN_M0200S0200.S"});
}

TEST(UpdateRun, SecondStartDuringARunIsIgnored) {
  Rig r;
  qmDue(r);
  int yields = 0;
  RunEnd nested = RunEnd::Complete;
  r.clock.onYield = [&] {
    if (++yields == 300) {
      r.updater.allowStart();
      nested = r.updater.start();
      EXPECT_FALSE(r.window.enabled(Element::Command1));
    }
  };
  EXPECT_EQ(r.updater.start(), RunEnd::Complete);
  EXPECT_EQ(nested, RunEnd::Ignored);
  EXPECT_EQ(r.qm.count("setFirmwDataWrite"), 1);
  EXPECT_EQ(r.qm.count("setFirmwUpdateMode"), 1);
}

TEST(UpdateRun, GestureOnAPrinterOfNeitherFamilyAsksQnStatAndFails) {
  Rig r;
  ASSERT_EQ(r.load(), StartupEnd::NotQmQn);
  r.updater.allowStart();
  r.clearLogs();
  EXPECT_EQ(r.updater.start(), RunEnd::StatusNotReady);
  EXPECT_TRUE(r.qm.calls.empty());
  EXPECT_EQ(r.qn.calls, std::vector<std::string>{"getStatus"});
  EXPECT_EQ(r.window.text(Element::Text5), "Printer error.  Push [Close] botton.");
}

TEST(UpdateRun, SecondRunAfterTheGestureTakesTheTransferPathAgain) {
  Rig r;
  qmDue(r);
  ASSERT_EQ(r.updater.start(), RunEnd::Complete);
  r.updater.allowStart();
  EXPECT_TRUE(r.window.enabled(Element::Command1));
  r.qm.statuses = {kReady, kRewrite};
  EXPECT_EQ(r.updater.start(), RunEnd::Complete);
  EXPECT_EQ(r.qm.count("setColorDataWrite"), 2);
}

}  // namespace
}  // namespace updater::testing
