#include <gtest/gtest.h>

#include "frame_assembler.h"
#include "sim_rig.h"

namespace {
using namespace sim_test;

std::vector<Frame> feedPieces(FrameAssembler& a, const std::vector<std::string>& pieces) {
  std::vector<Frame> out;
  for (const auto& p : pieces) a.feed(reinterpret_cast<const uint8_t*>(p.data()), p.size(), out);
  return out;
}

TEST(FrameAssembly, FirmwareWriteInThreePieces) {
  FrameAssembler a;
  std::string image(1000, 'x');
  auto frames = feedPieces(a, {"\x1bPFW_UPDFLASH_PROGRAM   ", "00001000", image});
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].group, "PFW_UPD");
  EXPECT_EQ(frames[0].name, "FLASH_PROGRAM");
  EXPECT_EQ(bytes(frames[0].payload), image);
  EXPECT_TRUE(a.idle());
}

TEST(FrameAssembly, TableWriteInFourPiecesAndByteByByte) {
  FrameAssembler a;
  std::string payload(512, '\x1b');  // payload bytes may be ESC
  auto frames = feedPieces(a, {"\x1bPTBL_WT", "HeadTemp_Y      ", "00000512", payload});
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].name, "HeadTemp_Y");
  EXPECT_EQ(frames[0].payload.size(), 512u);

  std::string whole = frame("PTBL_WT", "Version", std::string("QM0210.QMD\0\0\0\0\0\0", 16));
  std::vector<std::string> singles;
  for (char c : whole) singles.emplace_back(1, c);
  frames = feedPieces(a, singles);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].payload.size(), 16u);
}

TEST(FrameAssembly, SpacesInLengthFieldMeanNoPayload) {
  FrameAssembler a;
  auto frames = feedPieces(a, {query("PSTATUS", "") + query("PINFO", "FVER")});
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].group, "PSTATUS");
  EXPECT_EQ(frames[0].name, "");
  EXPECT_EQ(frames[1].name, "FVER");
}

TEST(FrameAssembly, ResynchronisesOnJunkAndBrokenHeaders) {
  FrameAssembler a;
  std::vector<Frame> out;
  std::string junk = "garbage\r\n";
  std::string brokenLength = "\x1bPINFO  FVER            12ab5678";
  std::string interrupted = "\x1bPTBL_WTHead";  // a new ESC cuts this header short
  std::string data = junk + brokenLength + interrupted + query("PINFO", "SERIAL_NUMBER");
  uint32_t dropped = a.feed(reinterpret_cast<const uint8_t*>(data.data()), data.size(), out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].name, "SERIAL_NUMBER");
  EXPECT_GT(dropped, 0u);
}

TEST(FrameAssembly, OversizedPayloadIsSwallowedNotKept) {
  FrameAssembler a;
  std::vector<Frame> out;
  std::string head = "\x1bPFW_UPDFLASH_PROGRAM   " + digits8(kMaxPayload + 1);
  a.feed(reinterpret_cast<const uint8_t*>(head.data()), head.size(), out);
  std::vector<uint8_t> chunk(1 << 20, 0);
  for (std::size_t left = kMaxPayload + 1; left > 0;) {
    std::size_t n = std::min(left, chunk.size());
    a.feed(chunk.data(), n, out);
    left -= n;
  }
  ASSERT_EQ(out.size(), 1u);
  EXPECT_TRUE(out[0].oversized);
  EXPECT_TRUE(out[0].payload.empty());
}

TEST(SimulatorFrames, SplitSendsReachThePrinterInCallOrder) {
  Rig rig;
  ASSERT_TRUE(rig.send("\x1bPTBL_WT"));
  ASSERT_TRUE(rig.send("Version         "));
  ASSERT_TRUE(rig.send("00000016"));
  ASSERT_TRUE(rig.send(std::string("QM0210.QMD\0\0\0\0\0\0", 16)));
  EXPECT_EQ(rig.exchange(frame("PTBL_RD", "Version")),
            std::string("QM0210.QMD\0\0\0\0\0\0", 16));
}

TEST(SimulatorFrames, ExchangeAbandonsAnUnfinishedSendFrame) {
  Rig rig;
  ASSERT_TRUE(rig.send("\x1bPFW_UPDFLASH_PROGRAM   00050000"));
  ASSERT_TRUE(rig.send("S0"));  // image cut short
  EXPECT_EQ(rig.status(), "0\r");
  EXPECT_EQ(rig.sim.printer(u"USB001")->framesDropped, 1u);
}

TEST(SimulatorFrames, IdleIncompleteFrameTimesOut) {
  Config config = defaultConfig(Family::QM);
  config.timings.frameTimeoutMs = 2000;
  Rig rig(config);
  ASSERT_TRUE(rig.send("\x1bPMNT_WTCOUNTER_CLEAR   00000004"));
  rig.clock.advance(2000);
  ASSERT_TRUE(rig.send(frame("PMNT_WT", "COUNTER_CLEAR", std::string("CB\r\0", 4))));
  EXPECT_EQ(rig.sim.printer(u"USB001")->counterB, 0u);
  EXPECT_NE(rig.sim.printer(u"USB001")->counterA, 0u);
}

TEST(SimulatorFrames, ExchangeWithoutWholeFrameFails) {
  Rig rig;
  EXPECT_FALSE(rig.exchange(query("PSTATUS", "").substr(0, 20)));
  EXPECT_FALSE(rig.exchange(""));
}

}  // namespace
