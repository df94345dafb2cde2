#include <gtest/gtest.h>

#include "window_rig.h"
#include "updater/transfers.h"

namespace updater::testing {
namespace {

class ColorDataTransfer : public ::testing::Test {
 protected:
  void SetUp() override {
    rig.qmPrinter(kQmVersion, "QM0200.QMD", "1234\r");
    ASSERT_EQ(rig.load(), StartupEnd::UpdateDue);
    rig.clearLogs();
    rig.qm.colorVersion = reply("QM0210.QMD");
    rig.qm.colorChecksum = reply("FF32\r");
    rig.qm.colorChecksum.count = 4;
  }
  Transfer run() {
    return colorDataFromFiles(rig);
  }
  Rig rig;
  FakeWindow& w = rig.window;
};

TEST_F(ColorDataTransfer, SuccessStoresNameWritesTableAndReadsBack) {
  EXPECT_EQ(run(), Transfer::Succeeded);
  EXPECT_EQ(rig.qm.calls, (std::vector<std::string>{"setColorDataVersion", "setColorDataWrite",
                                                     "getColorDataVersion",
                                                     "getColorDataChecksum"}));
  EXPECT_EQ(rig.qm.storedVersion, "QM0210.QMD");
  EXPECT_EQ(rig.qm.colorImage, std::vector<uint8_t>(24632, 0x11));
  EXPECT_EQ(w.text(Element::Text3), "QM0210.QMD");
  EXPECT_EQ(w.text(Element::Text4), "FF32");
  EXPECT_EQ(w.colour(Element::Text3), kBlack);
  EXPECT_EQ(w.colour(Element::Text4), kBlack);
  EXPECT_EQ(w.progress(), 90.0f);
  EXPECT_EQ(rig.clock.yields, 1);
  EXPECT_TRUE(rig.clock.sleeps.empty());
}

TEST_F(ColorDataTransfer, ImageIsPaddedToAMultipleOfFour) {
  const std::pair<size_t, size_t> sizes[] = {{24630, 24632}, {24632, 24632}, {24629, 24632}, {60000, 60000}};
  for (const auto& [file, image] : sizes) {
    rig.files.put("QM0210.QMD", std::string(file, '\x22'));
    run();
    ASSERT_EQ(rig.qm.colorImage.size(), image) << file;
    EXPECT_EQ(rig.qm.colorImage[file - 1], 0x22);
    for (size_t i = file; i < image; ++i) EXPECT_EQ(rig.qm.colorImage[i], 0) << file;
  }
}

TEST_F(ColorDataTransfer, FileProblemsShowAMessageAndSendNothing) {
  struct Case {
    const char* what;
    FileContents file;
    const char* message;
  };
  const Case cases[] = {
      {"empty", {FileStatus::Ok, {}}, "QM0210.QMD File Not Opend"},
      {"missing", {FileStatus::Missing, {}}, "QM0210.QMD File Not Opend"},
      {"over 60,000 bytes", {FileStatus::Ok, std::vector<uint8_t>(60001, 1)},
       "QM0210.QMD File Too Large"},
  };
  for (const Case& c : cases) {
    Rig r;
    r.dialog.choice = {PortChoice::End::Ok, 0, true};
    r.qmPrinter(kQmVersion, "QM0200.QMD", "1234\r");
    r.load();
    r.clearLogs();
    r.files.files["QM0210.QMD"] = c.file;
    EXPECT_EQ(colorDataFromFiles(r), Transfer::Failed) << c.what;
    EXPECT_EQ(r.messages.shown, std::vector<std::string>{c.message}) << c.what;
    EXPECT_TRUE(r.qm.calls.empty()) << c.what;
    EXPECT_EQ(r.window.text(Element::Text3), "QM0200.QMD") << c.what;
    EXPECT_EQ(r.window.progress(), 10.0f) << c.what;
  }
}

TEST_F(ColorDataTransfer, VersionReadBack) {
  struct Case {
    Reply version;
    Transfer result;
    const char* text3;
  };
  const Case cases[] = {
      {reply("QM0210.QMD   "), Transfer::Succeeded, "QM0210.QMD   "},  // shown unchanged
      {reply("qm0210.qmd"), Transfer::Failed, "qm0210.qmd"},
      {reply("QM0200.QMD"), Transfer::Failed, "QM0200.QMD"},
      {{"", -1}, Transfer::Failed, ""},
  };
  for (const Case& c : cases) {
    rig.qm.calls.clear();
    rig.qm.colorVersion = c.version;
    w.setText(Element::Text4, "1234");
    EXPECT_EQ(run(), c.result) << c.text3;
    EXPECT_EQ(w.text(Element::Text3), c.text3);
    if (c.result == Transfer::Failed) {
      EXPECT_EQ(w.colour(Element::Text3), kRed);
      EXPECT_EQ(w.text(Element::Text4), "1234");  // checksum not read
      EXPECT_EQ(rig.qm.count("getColorDataChecksum"), 0);
    }
  }
}

TEST_F(ColorDataTransfer, ChecksumFieldKeepsFourCharacters) {
  struct Case {
    Reply checksum;
    Transfer result;
    const char* text4;
  };
  const Case cases[] = {
      {{"FF32\r", 4}, Transfer::Succeeded, "FF32"},
      {{"FF32A7\r", 6}, Transfer::Succeeded, "FF32"},
      {{"FF\r", 2}, Transfer::Failed, "FF  "},
      {{"ff32\r", 4}, Transfer::Failed, "ff32"},
      {{"", -1}, Transfer::Failed, "    "},
  };
  for (const Case& c : cases) {
    rig.qm.colorChecksum = c.checksum;
    EXPECT_EQ(run(), c.result) << c.text4;
    EXPECT_EQ(w.text(Element::Text4), c.text4);
    EXPECT_EQ(w.colour(Element::Text3), kBlack);
    EXPECT_EQ(w.colour(Element::Text4), c.result == Transfer::Failed ? kRed : kBlack);
  }
}

}  // namespace
}  // namespace updater::testing
