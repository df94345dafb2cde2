#include <gtest/gtest.h>

#include <memory>

#include "host_rig.h"
#include "updater/firmware_image.h"
#include "updater/transfers.h"

namespace updater::testing {
namespace {

TEST(FullStack, CompleteQmUpdateThenUpToDate) {
  Host host(sim::Family::QM);
  {
    auto program = host.start();
    Updater& updater = host.updaterFor(*program);
    ASSERT_EQ(host.load(updater), StartupEnd::UpdateDue);
    EXPECT_EQ(updater.state().family, Family::Qm);
    EXPECT_EQ(program->window.colour(Element::Text1), kRed);
    EXPECT_EQ(program->window.colour(Element::Text3), kRed);

    const uint64_t started = host.clock.now;
    ASSERT_EQ(updater.start(), RunEnd::Complete) << program->window.text(Element::Text5);
    const uint64_t took = host.clock.now - started;
    const FakeWindow& w = program->window;
    EXPECT_EQ(w.text(Element::Text5), "** Complete **  Push [Close] button.");
    EXPECT_EQ(w.text(Element::Text1), kQmVersion);
    EXPECT_EQ(w.text(Element::Text3), "QM0210.QMD");
    EXPECT_EQ(w.text(Element::Text4), "FF32");
    EXPECT_EQ(w.progress(), 100.0f);
    EXPECT_TRUE(w.visible(Element::Picture2));
    EXPECT_TRUE(w.visible(Element::Picture4));
    EXPECT_TRUE(w.visible(Element::Picture14));
    // 3 s + rewrite-mode polls + 1 s + 55.25 s + ready polls.
    EXPECT_GE(took, 3000u + 500u + 1000u + 55250u + 1000u);
    EXPECT_LT(took, 70000u);
    RecordProperty("qm_run_virtual_ms", static_cast<int>(took));
  }
  const sim::PrinterState& printer = host.printer(sim::Family::QM);
  EXPECT_EQ(printer.firmware, sim::releaseFirmware(sim::Family::QM));
  EXPECT_EQ(printer.imagesAccepted, 1u);
  // Every table byte for byte: a byte sum alone would not see swapped bytes or tables.
  EXPECT_EQ(printer.tables, sim::tablesFromImage(sim::makeSampleColorData()));
  EXPECT_EQ(host.checksum(), "FF32");
  EXPECT_TRUE(host.messages.shown.empty());

  auto again = host.start();
  Updater& second = host.updaterFor(*again);
  EXPECT_EQ(host.load(second), StartupEnd::UpToDate);
  EXPECT_EQ(again->window.text(Element::Text5), "Firmware is already written.  Push [Close] botton.");
  EXPECT_TRUE(second.state().colorDataCurrent);
  EXPECT_TRUE(again->window.visible(Element::Picture2));
  EXPECT_TRUE(again->window.visible(Element::Picture4));
}

TEST(FullStack, CompleteQnUpdateThenUpToDate) {
  Host host(sim::Family::QN);
  host.dialog.choice = {PortChoice::End::Ok, 0, true};
  {
    auto program = host.start();
    Updater& updater = host.updaterFor(*program);
    ASSERT_EQ(host.load(updater), StartupEnd::UpdateDue);
    EXPECT_EQ(updater.state().family, Family::Qn);
    const uint64_t started = host.clock.now;
    ASSERT_EQ(updater.start(), RunEnd::Complete) << program->window.text(Element::Text5);
    EXPECT_GE(host.clock.now - started, 3000u + 500u + 1000u + 56000u + 1000u);
    EXPECT_EQ(program->window.text(Element::Text5), "完了しました。  [終了]ボタンをクリック。");
    EXPECT_EQ(program->window.text(Element::Text1), kQnVersion);
  }
  const sim::PrinterState& printer = host.printer(sim::Family::QN);
  EXPECT_EQ(printer.firmware, sim::releaseFirmware(sim::Family::QN));
  EXPECT_TRUE(printer.qnBlock.empty());  // no colour control data for QN

  auto again = host.start();
  Updater& second = host.updaterFor(*again);
  EXPECT_EQ(host.load(second), StartupEnd::UpToDate);
  EXPECT_EQ(again->window.text(Element::Text5), "アップデート済みです。 [終了]ボタンをクリック。");
}

TEST(FullStack, ImageBuiltByTheUpdaterIsTheOneThePrinterExpects) {
  for (sim::Family f : {sim::Family::QM, sim::Family::QN}) {
    const std::string text = sim::makeSampleFirmware(f);
    const FirmwareImage image = buildFirmwareImage(
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()),
        LeadBytes{});
    ASSERT_EQ(image.result, ImageResult::Built);
    const std::vector<uint8_t> built(image.bytes.get(), image.bytes.get() + image.length);
    EXPECT_EQ(built, sim::firmwareImageFromText(text));
  }
}

TEST(FullStack, PrinterThatNeverEntersRewriteModeEndsInPrinterError) {
  Host host(sim::Family::QM);
  sim::PrinterFaults faults;
  faults.neverRewrite = true;
  host.setFaults(faults);
  auto program = host.start();
  Updater& updater = host.updaterFor(*program);
  ASSERT_EQ(host.load(updater), StartupEnd::UpdateDue);
  const uint64_t started = host.clock.now;
  EXPECT_EQ(updater.start(), RunEnd::FirmwareFailed);
  EXPECT_EQ(host.clock.now - started, 3000u + 500u * kRewriteModePolls);
  EXPECT_EQ(program->window.text(Element::Text5), "Printer error.  Push [Close] botton.");
  EXPECT_EQ(host.printer(sim::Family::QM).imagesAccepted, 0u);
  EXPECT_EQ(host.printer(sim::Family::QM).firmware, sim::defaultFirmware(sim::Family::QM));
}

}  // namespace
}  // namespace updater::testing
