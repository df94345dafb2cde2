#include <gtest/gtest.h>

#include "sim_rig.h"

namespace {
using namespace sim_test;

struct QueryCase {
  const char* group;
  const char* name;
  bool spaces;  // length field of 8 spaces
  std::string reply;
};

TEST(Commands, EveryQueryAnswersLikeAPrinter) {
  const QueryCase cases[] = {
      {"PSTATUS", "", true, "0\r"},
      {"PINFO", "FVER", true, "QM_MASTER 4.10  QM_SLAVE  4.10\r"},
      {"PINFO", "SENSOR", true, "HEAD=OK MEDIA=OK COVER=CLOSED\r"},
      {"PINFO", "MEDIA", true, "MD6x8\r"},
      {"PINFO", "PQTY", true, "PQTY250\r"},
      {"PINFO", "RESOLUTION_H", true, "RH300\r"},
      {"PINFO", "RESOLUTION_V", true, "RV300\r"},
      {"PINFO", "FREE_PBUFFER", true, "FPB4\r"},
      {"PINFO", "MLOT", true, "LT2026A0815-0042\r"},
      {"PINFO", "MCOLOR", true, std::string("MC\x00\x00\x01\x2C\r", 7)},
      {"PINFO", "MQTY", true, "MQTY87\r"},
      {"PINFO", "SERIAL_NUMBER", true, "QM0012345\r"},
      {"PMNT_RD", "COUNTER_LIFE", true, "CL48211\r"},
      {"PMNT_RD", "COUNTER_A", true, "CA1520\r"},
      {"PMNT_RD", "COUNTER_B", true, "CB377\r"},
      {"PMNT_RD", "MEDIA_ID_SET", false, "MDID3\r"},
      {"PMNT_RD", "CTRLD_CHKSUM", false, "0000\r"},
      {"PTBL_RD", "Version", false, std::string("QM0200.QMD\0\0\0\0\0\0", 16)},
  };
  Rig rig;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.group) + " " + c.name);
    EXPECT_EQ(rig.exchange(frame(c.group, c.name, {}, c.spaces)), c.reply);
  }
}

TEST(Commands, ReplyFrameCarriesEightDigitLength) {
  Rig rig;
  EXPECT_EQ(rig.exchangeRaw(query("PINFO", "FVER")), "00000031QM_MASTER 4.10  QM_SLAVE  4.10\r");
}

TEST(Commands, QnPrinterHasItsOwnDefaults) {
  Rig rig(defaultConfig(Family::QN));
  EXPECT_EQ(rig.exchange(query("PINFO", "FVER")), "QN_MASTER 1.50  QN_SLAVE  1.50\r");
  EXPECT_EQ(rig.exchange(query("PINFO", "SERIAL_NUMBER")), "QN0012345\r");
}

TEST(Commands, CounterClearsAndCutter) {
  Rig rig;
  EXPECT_TRUE(rig.send("\x1bPMNT_WTCOUNTER_CLEAR   00000004CA\r" + std::string(1, '\0')));
  EXPECT_EQ(rig.exchange(query("PMNT_RD", "COUNTER_A")), "CA0\r");
  EXPECT_EQ(rig.exchange(query("PMNT_RD", "COUNTER_B")), "CB377\r");
  EXPECT_TRUE(rig.send("\x1bPMNT_WTCOUNTER_CLEAR   00000004CB\r" + std::string(1, '\0')));
  EXPECT_EQ(rig.exchange(query("PMNT_RD", "COUNTER_B")), "CB0\r");
  EXPECT_EQ(rig.exchange(query("PMNT_RD", "COUNTER_LIFE")), "CL48211\r");

  EXPECT_TRUE(rig.send("\x1bPCNTRL CUTTER          00000008"));
  EXPECT_TRUE(rig.send("00000003"));
  EXPECT_EQ(rig.sim.printer(u"USB001")->cutterMode, 3u);
}

TEST(Commands, ConfiguredStatusAnswers) {
  Rig rig;
  for (const char* answer : {"1100", "1200", "1000", "2000", "3000", "FU100"}) {
    ASSERT_TRUE(rig.sim.setStatusAnswer(u"USB001", answer));
    EXPECT_EQ(rig.status(), std::string(answer) + "\r");
  }
}

TEST(Commands, UnknownPortsCommandsAndCodesFail) {
  Rig rig;
  EXPECT_FALSE(rig.exchange(query("PSTATUS", ""), u"USB002"));
  EXPECT_FALSE(rig.exchange(query("PSTATUS", ""), u"usb001"));  // port names are exact
  EXPECT_FALSE(rig.send(query("PSTATUS", ""), u"USB002"));
  EXPECT_FALSE(rig.exchange(query("PINFO", "NO_SUCH_THING")));
  uint32_t n = 7;
  EXPECT_EQ(rig.sim.ioControl(nullptr, kSendCode, "x", 1, nullptr, 0, &n), 0);
  EXPECT_EQ(rig.sim.ioControl(u"USB001", 0x220040, "x", 1, nullptr, 0, &n), 0);
  EXPECT_EQ(n, 0u);
}

TEST(Commands, OutputAreaTooSmallFailsWithoutWriting) {
  Rig rig;
  EXPECT_FALSE(rig.exchangeRaw(query("PINFO", "FVER"), u"USB001", 38));
  EXPECT_TRUE(rig.exchangeRaw(query("PINFO", "FVER"), u"USB001", 39));
}

TEST(Commands, SendOnlyCommandThroughExchangeGetsEmptyReply) {
  Rig rig;
  EXPECT_EQ(rig.exchangeRaw(frame("PTBL_CL", "")), "00000000");
}

}  // namespace
