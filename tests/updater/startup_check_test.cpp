#include <gtest/gtest.h>

#include "window_rig.h"
#include "updater/texts.h"

namespace updater::testing {
namespace {

class StartupCheck : public ::testing::Test {
 protected:
  Rig rig;
  FakeWindow& w = rig.window;
  StartupEnd load() { return rig.load(); }
};

TEST_F(StartupCheck, NoUsablePrinterEndsWithEnglishMessage) {
  rig.printers.ports["QM Printer"] = u"";  // offline or without bidirectional support
  EXPECT_EQ(load(), StartupEnd::NoPrinter);
  EXPECT_TRUE(endsProgram(StartupEnd::NoPrinter));
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_EQ(rig.messages.shown[0], "A usable printer is not connected or the power is not on.");
  EXPECT_EQ(rig.dialog.shows, 0);
  EXPECT_TRUE(rig.qm.calls.empty());
}

TEST_F(StartupCheck, CancelEndsWithoutMessageOrPrinterCall) {
  rig.dialog.choice = {PortChoice::End::Cancel, 0, true};
  EXPECT_EQ(load(), StartupEnd::Cancelled);
  EXPECT_FALSE(rig.updater.state().checkEnd.has_value());
  EXPECT_TRUE(rig.messages.shown.empty());
  EXPECT_TRUE(rig.qm.calls.empty());
}

TEST_F(StartupCheck, NegativeHandleShowsErrorAndEnds) {
  rig.qm.handle = -1;
  rig.qn.handle = -1;
  EXPECT_EQ(load(), StartupEnd::BadHandle);
  EXPECT_EQ(rig.messages.shown, std::vector<std::string>{"Error!"});
  EXPECT_EQ(w.text(Element::Text2), "QM Printer");
}

TEST_F(StartupCheck, OnlyUsablePrintersAreOfferedInHostOrder) {
  rig.printers.names.clear();
  rig.printers.add("Office", "");
  rig.printers.add("QM A", "USB001");
  rig.printers.add("QM B", "USB002");
  rig.printers.add("QM C", "USB003");
  rig.dialog.choice = {PortChoice::End::Ok, 2, false};
  rig.qmPrinter(kQmVersion, "QM0210.QMD", "FF32\r");
  load();
  EXPECT_EQ(rig.dialog.shown, (std::vector<std::string>{"QM A", "QM B", "QM C"}));
  EXPECT_EQ(rig.updater.state().printer, "QM C");
  EXPECT_EQ(rig.qm.initializedPort, u"USB003");
  EXPECT_EQ(w.text(Element::Text2), "QM C");
}

TEST_F(StartupCheck, PortHeldByAnotherUpdaterEndsBeforeAnyPrinterCall) {
  rig.printers.add("QN Printer", "USB002");
  rig.printers.heldElsewhere = {u"USB001"};
  rig.dialog.choice = {PortChoice::End::Ok, 0, true};
  EXPECT_EQ(load(), StartupEnd::PortInUse);
  EXPECT_TRUE(endsProgram(StartupEnd::PortInUse));
  EXPECT_EQ(rig.messages.shown, std::vector<std::string>{std::string(text(TextId::PortInUse, true))});
  EXPECT_TRUE(rig.qm.calls.empty());
  EXPECT_TRUE(rig.qn.calls.empty());

  // Another printer on another port is not blocked, and its port is claimed
  // before it is registered.
  Rig other;
  other.printers.add("QN Printer", "USB002");
  other.printers.heldElsewhere = {u"USB001"};
  other.dialog.choice = {PortChoice::End::Ok, 1, false};
  other.qnPrinter(kOldQnVersion);
  EXPECT_EQ(other.load(), StartupEnd::UpdateDue);
  EXPECT_EQ(other.printers.claims, std::vector<std::u16string>{u"USB002"});
}

TEST_F(StartupCheck, DialogClosedOtherwiseGoesOnWithFirstPrinterInEnglish) {
  rig.printers.add("Second", "USB002");
  rig.dialog.choice = {PortChoice::End::Closed, 1, true};
  rig.qmPrinter(kOldQmVersion, "QM0210.QMD", "FF32\r");
  EXPECT_EQ(load(), StartupEnd::UpdateDue);
  EXPECT_EQ(rig.qm.initializedPort, u"USB001");
  EXPECT_EQ(w.text(Element::Text5), "Push [START] button.");
}

TEST_F(StartupCheck, OkWithIndexOutsideTheListKeepsTheFirstPrinter) {
  rig.dialog.choice = {PortChoice::End::Ok, -1, false};
  rig.qmPrinter(kQmVersion, "QM0210.QMD", "FF32\r");
  load();
  EXPECT_EQ(rig.updater.state().printer, "QM Printer");
  EXPECT_EQ(rig.qm.initializedPort, u"USB001");
}

TEST_F(StartupCheck, QmUpToDate) {
  rig.qmPrinter(kQmVersion, "QM0210.QMD", "FF32\r");
  EXPECT_EQ(load(), StartupEnd::UpToDate);
  EXPECT_EQ(rig.updater.state().family, Family::Qm);
  EXPECT_TRUE(rig.updater.state().colorDataCurrent);
  EXPECT_EQ(w.text(Element::Label3), "QM");
  EXPECT_EQ(w.text(Element::Label4), kQmVersion);
  EXPECT_EQ(w.text(Element::Label5), "QM0210.QMD");
  EXPECT_EQ(w.text(Element::Label6), "FF32");
  EXPECT_EQ(w.text(Element::Text1), kQmVersion);
  EXPECT_EQ(w.text(Element::Text3), "QM0210.QMD");
  EXPECT_EQ(w.text(Element::Text4), "FF32");
  EXPECT_EQ(w.text(Element::Text5), "Firmware is already written.  Push [Close] botton.");
  EXPECT_EQ(w.colour(Element::Text5), kBlue);
  EXPECT_FALSE(w.visible(Element::Picture1));
  EXPECT_TRUE(w.visible(Element::Picture2));
  EXPECT_FALSE(w.visible(Element::Picture3));
  EXPECT_TRUE(w.visible(Element::Picture4));
  EXPECT_FALSE(w.enabled(Element::Command1));
  EXPECT_TRUE(w.enabled(Element::Command2));
  EXPECT_EQ(rig.qn.calls.size(), 0u);  // QM answered: QnStat never asked
  // Probe, then the decision's own status read.
  EXPECT_EQ(rig.qm.calls, (std::vector<std::string>{"initialize", "getStatus", "getStatus",
                                                     "getFirmwVersion", "getColorDataVersion",
                                                     "getColorDataChecksum"}));
}

TEST_F(StartupCheck, WindowResetAndCaptionsInEnglish) {
  rig.qmPrinter(kQmVersion, "QM0210.QMD", "FF32\r");
  load();
  for (int step = 12; step <= 16; ++step) {
    const auto label = static_cast<Element>(static_cast<int>(Element::Label12) + step - 12);
    EXPECT_FALSE(w.enabled(label));
  }
  for (int p = 5; p <= 13; p += 2) {
    EXPECT_TRUE(w.visible(static_cast<Element>(static_cast<int>(Element::Picture1) + p - 1)));
    EXPECT_FALSE(w.visible(static_cast<Element>(static_cast<int>(Element::Picture1) + p)));
  }
  EXPECT_EQ(w.text(Element::Label10), "Printer Name ");
  EXPECT_EQ(w.text(Element::Label7), "Firmware Ver. ");
  EXPECT_EQ(w.text(Element::Label21), "Color Control Data ");
  EXPECT_EQ(w.text(Element::Label20), "Check Sum ");
  EXPECT_EQ(w.text(Element::Label16), "Color control data is transmitted and written.");
  EXPECT_EQ(w.text(Element::Command1), "Start");
  EXPECT_EQ(w.text(Element::Command2), "Close");
}

TEST_F(StartupCheck, QmFirmwareDifferentMeansUpdateDue) {
  rig.qmPrinter(kOldQmVersion, "QM0210.QMD", "FF32\r");
  EXPECT_EQ(load(), StartupEnd::UpdateDue);
  EXPECT_EQ(w.text(Element::Text1), kOldQmVersion);
  EXPECT_EQ(w.colour(Element::Text1), kRed);
  EXPECT_TRUE(w.visible(Element::Picture1));
  EXPECT_FALSE(w.visible(Element::Picture2));
  EXPECT_TRUE(rig.updater.state().colorDataCurrent);  // colour data matched
  EXPECT_EQ(w.text(Element::Text5), "Push [START] button.");
  EXPECT_EQ(w.colour(Element::Text5), kBlue);
  EXPECT_TRUE(w.enabled(Element::Command1));
}

TEST_F(StartupCheck, BlanksAroundVersionMatchButLetterCaseDoesNot) {
  rig.qmPrinter("  " + kQmVersion + "   ", "QM0210.QMD", "FF32\r");
  EXPECT_EQ(load(), StartupEnd::UpToDate);
  EXPECT_EQ(w.text(Element::Text1), "  " + kQmVersion + "   ");  // shown untrimmed

  Rig other;
  other.qmPrinter("qm_master 5.00  qm_slave  5.00", "QM0210.QMD", "FF32\r");
  EXPECT_EQ(other.load(), StartupEnd::UpdateDue);
}

TEST_F(StartupCheck, NegativeVersionCountLeavesText1EmptyAndDifferent) {
  rig.qmPrinter(kQmVersion, "QM0210.QMD", "FF32\r");
  rig.qm.firmwareVersion = {"stale text", -1};
  EXPECT_EQ(load(), StartupEnd::UpdateDue);
  EXPECT_EQ(w.text(Element::Text1), "");
  EXPECT_EQ(w.colour(Element::Text1), kRed);
}

TEST_F(StartupCheck, ColourDataInLowerCaseIsShownAndComparedInUpperCase) {
  rig.qmPrinter(kQmVersion, " qm0210.qmd ", "ff32\r");
  EXPECT_EQ(load(), StartupEnd::UpToDate);
  EXPECT_EQ(w.text(Element::Text3), "QM0210.QMD");
  EXPECT_EQ(w.text(Element::Text4), "FF32");
}

TEST_F(StartupCheck, ChecksumIsTakenByItsFirstFourCharacters) {
  rig.qmPrinter(kQmVersion, "QM0210.QMD", "FF32A7\r");
  EXPECT_EQ(load(), StartupEnd::UpToDate);
  EXPECT_EQ(w.text(Element::Text4), "FF32");
}

TEST_F(StartupCheck, ColourDataDifferentOrUnreadableMeansUpdateDue) {
  struct Case {
    Reply version;
    Reply checksum;
    const char* text3;
    const char* text4;
  };
  const Case cases[] = {
      {reply("QM0200.QMD"), {"FF32\r", 4}, "QM0200.QMD", "FF32"},
      {reply("QM0210.QMD"), {"1234\r", 4}, "QM0210.QMD", "1234"},
      {{"", -1}, {"FF32\r", 4}, "", "FF32"},
      {reply("QM0210.QMD"), {"", -1}, "QM0210.QMD", ""},
  };
  for (const Case& c : cases) {
    Rig r;
    r.qmPrinter(kQmVersion, "", "");
    r.qm.colorVersion = c.version;
    r.qm.colorChecksum = c.checksum;
    EXPECT_EQ(r.load(), StartupEnd::UpdateDue) << c.text3;
    EXPECT_EQ(r.window.text(Element::Text3), c.text3);
    EXPECT_EQ(r.window.text(Element::Text4), c.text4);
    EXPECT_EQ(r.window.colour(Element::Text3), kRed);
    EXPECT_EQ(r.window.colour(Element::Text4), kRed);
    EXPECT_TRUE(r.window.visible(Element::Picture2));  // firmware matched
    EXPECT_FALSE(r.window.visible(Element::Picture4));
    EXPECT_FALSE(r.updater.state().colorDataCurrent);
    EXPECT_TRUE(r.window.enabled(Element::Command1));
  }
}

TEST_F(StartupCheck, FlashRewriteModeWithOtherVersion) {
  rig.qmPrinter(kOldQmVersion, "QM0210.QMD", "FF32\r");
  rig.qm.lastStatus = 0x100001;
  EXPECT_EQ(load(), StartupEnd::UpdateDue);
  EXPECT_EQ(w.text(Element::Text1), "Firmware Update Mode");
  EXPECT_EQ(w.colour(Element::Text1), kRed);
  EXPECT_EQ(w.text(Element::Text3), "");
  EXPECT_EQ(w.text(Element::Text4), "");
  EXPECT_EQ(w.colour(Element::Text3), kBlack);
  EXPECT_FALSE(rig.updater.state().colorDataCurrent);
  EXPECT_TRUE(w.enabled(Element::Command1));
  EXPECT_EQ(rig.qm.count("getColorDataVersion"), 0);
}

TEST_F(StartupCheck, FlashRewriteModeWithReleaseVersionIsUpToDate) {
  rig.qmPrinter(kQmVersion, "QM0210.QMD", "FF32\r");
  rig.qm.lastStatus = 0x100001;
  EXPECT_EQ(load(), StartupEnd::UpToDate);
  EXPECT_EQ(w.text(Element::Text5), "Firmware is already written.  Push [Close] botton.");
  EXPECT_FALSE(w.enabled(Element::Command1));
  EXPECT_FALSE(rig.updater.state().colorDataCurrent);
}

TEST_F(StartupCheck, AnyQmAnswerMakesAQmPrinterEvenAnError) {
  rig.qm.lastStatus = 0x40002;
  EXPECT_EQ(load(), StartupEnd::PrinterError);
  EXPECT_EQ(rig.updater.state().family, Family::Qm);
  EXPECT_TRUE(rig.qn.calls.empty());
  EXPECT_EQ(w.text(Element::Label3), "--");
  EXPECT_EQ(w.text(Element::Label4), kQmVersion);
  EXPECT_EQ(w.text(Element::Text5), "Printer error.  Push [Close] botton.");
  EXPECT_EQ(w.colour(Element::Text5), kRed);
  EXPECT_FALSE(w.enabled(Element::Command1));
  EXPECT_TRUE(w.enabled(Element::Command2));
  EXPECT_FALSE(rig.updater.state().colorDataCurrent);
}

TEST_F(StartupCheck, PrinterBusyBetweenProbeAndDecision) {
  rig.qmPrinter(kQmVersion, "QM0210.QMD", "FF32\r");
  rig.qm.statuses = {kReady, 0x10002};
  EXPECT_EQ(load(), StartupEnd::PrinterError);
  EXPECT_EQ(rig.qm.count("getFirmwVersion"), 0);
}

TEST_F(StartupCheck, NeitherFamilyAnswers) {
  EXPECT_EQ(load(), StartupEnd::NotQmQn);
  EXPECT_EQ(rig.updater.state().family, Family::None);
  EXPECT_EQ(rig.qn.count("initialize"), 1);
  EXPECT_EQ(rig.qn.count("getStatus"), 1);  // the probe only: S is kept
  EXPECT_EQ(w.text(Element::Label3), "--");
  EXPECT_EQ(w.text(Element::Label4), "");
  EXPECT_EQ(w.text(Element::Label5), "");
  EXPECT_EQ(w.text(Element::Label6), "");
  EXPECT_EQ(w.text(Element::Text5), "Printer is not QM/QN.  Push [Close] botton.");
  EXPECT_EQ(w.colour(Element::Text5), kRed);
  EXPECT_FALSE(w.enabled(Element::Command1));
  EXPECT_TRUE(w.enabled(Element::Command2));
}

TEST_F(StartupCheck, QnPrinterWithUnavailableQmLibraryStillReachesQnProbe) {
  NullStatusBinding missingQm;
  Services services = rig.services;
  Services withoutQm{services.frontEnd, missingQm, rig.qn, rig.printers, rig.files, rig.codePage, rig.clock, rig.runGuard};
  rig.qnPrinter(kQnVersion);
  Updater updater(withoutQm);
  EXPECT_EQ(loadForm1(updater, rig.dialog, rig.messages), StartupEnd::UpToDate);
  EXPECT_EQ(updater.state().family, Family::Qn);
  EXPECT_EQ(updater.state().portHandle, 1);
}

TEST_F(StartupCheck, NoAnswerWithUnavailableQnLibraryIsNotQmQn) {
  NullStatusBinding missingQn;
  Services services = rig.services;
  Services withoutQn{services.frontEnd, rig.qm, missingQn, rig.printers, rig.files, rig.codePage, rig.clock, rig.runGuard};
  rig.qm.statuses = {kStatusNone};
  Updater updater(withoutQn);
  EXPECT_EQ(loadForm1(updater, rig.dialog, rig.messages), StartupEnd::NotQmQn);
  EXPECT_TRUE(rig.messages.shown.empty());
  EXPECT_EQ(w.text(Element::Text5), "Printer is not QM/QN.  Push [Close] botton.");

  NullStatusBinding missingQm;
  Services neither{services.frontEnd, missingQm, missingQn, rig.printers, rig.files, rig.codePage, rig.clock, rig.runGuard};
  Updater none(neither);
  EXPECT_EQ(loadForm1(none, rig.dialog, rig.messages), StartupEnd::NotQmQn);
  EXPECT_EQ(none.state().family, Family::None);
}

TEST_F(StartupCheck, QnUpToDateShowsColourDataWithoutComparing) {
  rig.qnPrinter(kQnVersion);
  EXPECT_EQ(load(), StartupEnd::UpToDate);
  EXPECT_EQ(w.text(Element::Label3), "QN");
  EXPECT_EQ(w.text(Element::Label4), kQnVersion);
  EXPECT_EQ(w.text(Element::Label5), "");
  EXPECT_EQ(w.text(Element::Text3), "QN0100.QMD");
  EXPECT_EQ(w.text(Element::Text4), "AB12");
  EXPECT_EQ(w.colour(Element::Text3), kBlack);
  for (Element e : {Element::Picture3, Element::Picture4, Element::Label16, Element::Picture13,
                    Element::Picture14}) {
    EXPECT_FALSE(w.visible(e));
  }
  EXPECT_TRUE(rig.updater.state().colorDataCurrent);
  EXPECT_EQ(rig.qm.calls, (std::vector<std::string>{"initialize", "getStatus"}));
}

TEST_F(StartupCheck, QnOlderFirmwareInJapanese) {
  rig.dialog.choice = {PortChoice::End::Ok, 0, true};
  rig.qnPrinter(kOldQnVersion);
  EXPECT_EQ(load(), StartupEnd::UpdateDue);
  EXPECT_TRUE(rig.updater.state().japanese);
  EXPECT_EQ(w.text(Element::Text5), "[開始]ボタンをクリック。");
  EXPECT_EQ(w.text(Element::Label10), "プリンタ名 ");
  EXPECT_EQ(w.text(Element::Label7), "ファーム Ver. ");
  EXPECT_EQ(w.text(Element::Label12), "送信データの読み込み");
  EXPECT_EQ(w.text(Element::Command1), "開\u3000始");
  EXPECT_EQ(w.text(Element::Command2), "終\u3000了");
}

TEST_F(StartupCheck, JapaneseEndStateTexts) {
  struct Case {
    uint32_t status;
    std::string version;
    StartupEnd end;
    const char* text5;
  };
  const Case cases[] = {
      {kReady, kQmVersion, StartupEnd::UpToDate, "アップデート済みです。 [終了]ボタンをクリック。"},
      {0x40001, kQmVersion, StartupEnd::PrinterError, "プリンタエラー。 [終了]ボタンをクリック。"},
      {kStatusNone, kQmVersion, StartupEnd::NotQmQn,
       "QM/QNプリンタではありません。 [終了]ボタンをクリック。"},
  };
  for (const Case& c : cases) {
    Rig r;
    r.dialog.choice = {PortChoice::End::Ok, 0, true};
    r.qmPrinter(c.version, "QM0210.QMD", "FF32\r");
    r.qm.lastStatus = c.status;
    EXPECT_EQ(r.load(), c.end);
    EXPECT_EQ(r.window.text(Element::Text5), c.text5);
  }
  Rig r;
  r.dialog.choice = {PortChoice::End::Ok, 0, true};
  r.qmPrinter(kOldQmVersion, "QM0210.QMD", "FF32\r");
  r.qm.lastStatus = 0x100001;
  r.load();
  EXPECT_EQ(r.window.text(Element::Text1), "ファームウェア書替えモード");
}

TEST_F(StartupCheck, Label4DoubleClickEnablesStartInEveryEndState) {
  rig.qmPrinter(kQmVersion, "QM0210.QMD", "FF32\r");
  load();
  EXPECT_FALSE(w.enabled(Element::Command1));
  rig.updater.allowStart();
  EXPECT_TRUE(w.enabled(Element::Command1));
  EXPECT_EQ(w.text(Element::Text5), "Firmware is already written.  Push [Close] botton.");

  Rig none;
  none.load();
  EXPECT_EQ(none.window.text(Element::Label4), "");
  none.updater.allowStart();
  EXPECT_TRUE(none.window.enabled(Element::Command1));
}

}  // namespace
}  // namespace updater::testing
