#include "library_fixture.h"

namespace qmstat::testing {
namespace {

using FirmwareTest = LibraryTest;

TEST_F(FirmwareTest, DataWriteIsThreeSendsWithTheCallersImage) {
  std::vector<uint8_t> image(4096, 0xA5);
  monitor.answer({1, {}});
  monitor.answer({1, {}});
  monitor.answer({42, {}});
  EXPECT_EQ(lib->setFirmwDataWrite(handle, image.data(), 4096), 42);
  ASSERT_EQ(monitor.calls.size(), 3u);
  EXPECT_EQ(monitor.calls[0].input, esc("PFW_UPDFLASH_PROGRAM   "));
  EXPECT_EQ(monitor.calls[1].input, "00004096");
  EXPECT_EQ(monitor.calls[2].inputPointer, image.data());  // passed through, never copied
  EXPECT_EQ(monitor.calls[2].input.size(), 4096u);
  for (const MonitorCall& c : monitor.calls) EXPECT_EQ(c.code, kSendCode);
}

TEST_F(FirmwareTest, LengthFieldFollowsTheImageSize) {
  std::vector<uint8_t> image(250000);
  lib->setFirmwDataWrite(handle, image.data(), 250000);
  EXPECT_EQ(monitor.calls.at(1).input, "00250000");
}

TEST_F(FirmwareTest, AnEmptyImageStillSendsThreePieces) {
  EXPECT_NE(lib->setFirmwDataWrite(handle, nullptr, 0), -1);
  ASSERT_EQ(monitor.calls.size(), 3u);
  EXPECT_EQ(monitor.calls[1].input, "00000000");
  EXPECT_TRUE(monitor.calls[2].input.empty());
}

TEST_F(FirmwareTest, FailedSendsStopTheWrite) {
  uint8_t image[16] = {};
  monitor.fail();
  EXPECT_EQ(lib->setFirmwDataWrite(handle, image, 16), -1);
  EXPECT_EQ(monitor.calls.size(), 1u);

  monitor.calls.clear();
  monitor.answer({1, {}});
  monitor.fail();
  EXPECT_EQ(lib->setFirmwDataWrite(handle, image, 16), -1);
  EXPECT_EQ(monitor.calls.size(), 2u);

  monitor.calls.clear();
  monitor.answer({1, {}});
  monitor.answer({1, {}});
  monitor.fail();
  EXPECT_EQ(lib->setFirmwDataWrite(handle, image, 16), 0);
}

TEST_F(FirmwareTest, UnframeableImagesAreRefusedBeforeAnySend) {
  uint8_t image[16] = {};
  EXPECT_EQ(lib->setFirmwDataWrite(handle, image, 100000000), -1);
  EXPECT_EQ(lib->setFirmwDataWrite(handle, nullptr, 16), -1);
  EXPECT_TRUE(monitor.calls.empty());
}

TEST_F(FirmwareTest, UpdateModeReturnsTheMonitorResult) {
  monitor.answer({3, {}});
  EXPECT_EQ(lib->setFirmwUpdateMode(handle), 3);
  monitor.fail();
  EXPECT_EQ(lib->setFirmwUpdateMode(handle), 0);
}

}  // namespace
}  // namespace qmstat::testing
