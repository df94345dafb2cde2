#include <gtest/gtest.h>

#include "updater/texts.h"

namespace updater {
namespace {

TEST(Texts, ButtonCaptionsUseIdeographicSpaceInJapanese) {
  EXPECT_EQ(text(TextId::StartButton, true), "\xE9\x96\x8B\xE3\x80\x80\xE5\xA7\x8B");
  EXPECT_EQ(text(TextId::CloseButton, true), "\xE7\xB5\x82\xE3\x80\x80\xE4\xBA\x86");
  EXPECT_EQ(text(TextId::StartButton, false), "Start");
  EXPECT_EQ(text(TextId::CloseButton, false), "Close");
}

TEST(Texts, MessagesKeepTheirSpacingAndSpelling) {
  EXPECT_EQ(text(TextId::UpToDate, false), "Firmware is already written.  Push [Close] botton.");
  EXPECT_EQ(text(TextId::NotQmQn, false), "Printer is not QM/QN.  Push [Close] botton.");
  EXPECT_EQ(text(TextId::PrinterError, false), "Printer error.  Push [Close] botton.");
  EXPECT_EQ(text(TextId::Complete, false), "** Complete **  Push [Close] button.");
  EXPECT_EQ(text(TextId::UpdateDue, false), "Push [START] button.");
  // One blank after the full stop, two in the completion text.
  EXPECT_EQ(text(TextId::PrinterError, true), "プリンタエラー。 [終了]ボタンをクリック。");
  EXPECT_EQ(text(TextId::Complete, true), "完了しました。  [終了]ボタンをクリック。");
}

TEST(Texts, CaptionsOfThePrinterDataGroupEndInOneBlank) {
  for (TextId id : {TextId::PrinterNameCaption, TextId::FirmwareVerCaption,
                    TextId::ColorDataCaption, TextId::CheckSumCaption}) {
    for (bool japanese : {false, true}) {
      const std::string_view t = text(id, japanese);
      ASSERT_GE(t.size(), 2u);
      EXPECT_EQ(t.back(), ' ');
      EXPECT_NE(t[t.size() - 2], ' ');
    }
  }
}

TEST(Texts, FileMessages) {
  EXPECT_EQ(fileMessage("QM_M0500S0500.S", FileProblem::NotOpened),
            "QM_M0500S0500.S File Not Opend");
  EXPECT_EQ(fileMessage("QM0210.QMD", FileProblem::TooLarge), "QM0210.QMD File Too Large");
  EXPECT_EQ(fileMessage("QN_M0200S0200.S", FileProblem::NotValid),
            "QN_M0200S0200.S File Not Valid");
}

}  // namespace
}  // namespace updater
