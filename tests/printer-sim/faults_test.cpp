#include <gtest/gtest.h>

#include "sim_rig.h"

namespace {
using namespace sim_test;

TEST(CallFaults, FailTheKthCallOnly) {
  Rig rig;
  rig.sim.setCallFaults(make<CallFaults>([](CallFaults& f) { f.failCall = 2; }));
  EXPECT_EQ(rig.status(), "0\r");
  EXPECT_EQ(rig.status(), "<failed>");
  EXPECT_EQ(rig.status(), "0\r");
  EXPECT_EQ(rig.sim.callCount(), 3u);
}

TEST(CallFaults, FailedSendLosesItsBytes) {
  Rig rig;
  rig.sim.setCallFaults(make<CallFaults>([](CallFaults& f) { f.failCall = 1; }));
  EXPECT_FALSE(rig.send(frame("PMNT_WT", "COUNTER_CLEAR", std::string("CA\r\0", 4))));
  EXPECT_EQ(rig.sim.printer(u"USB001")->counterA, 1520u);
}

TEST(CallFaults, CablePulledFromKthCallThenRestored) {
  Rig rig;
  rig.sim.setCallFaults(make<CallFaults>([](CallFaults& f) { f.failFromCall = 2; }));
  EXPECT_EQ(rig.status(), "0\r");
  for (int i = 0; i < 5; ++i) EXPECT_EQ(rig.status(), "<failed>");
  rig.sim.clearCallFaults();
  EXPECT_EQ(rig.status(), "0\r");

  rig.sim.setCallFaults(make<CallFaults>([](CallFaults& f) { f.failFromCall = 9; f.failUntilCall = 10; }));
  EXPECT_EQ(rig.status(), "0\r");         // call 8
  EXPECT_EQ(rig.status(), "<failed>");    // 9
  EXPECT_EQ(rig.status(), "<failed>");    // 10
  EXPECT_EQ(rig.status(), "0\r");         // 11
  EXPECT_EQ(rig.sim.callCount(), 11u);
}

TEST(CallFaults, GarbledReplyKeepsItsLength) {
  Rig rig;
  rig.sim.setCallFaults(make<CallFaults>([](CallFaults& f) { f.garbleCall = 1; }));
  auto raw = rig.exchangeRaw(query("PINFO", "FVER"));
  ASSERT_TRUE(raw);
  EXPECT_EQ(raw->substr(0, 8), "00000031");
  EXPECT_EQ(raw->size(), 39u);
  EXPECT_EQ(raw->find("QM_MASTER"), std::string::npos);
}

TEST(CallFaults, TruncatedReplyIsConsistentButShort) {
  Rig rig;
  rig.sim.setCallFaults(make<CallFaults>([](CallFaults& f) { f.truncateCall = 1; }));
  EXPECT_EQ(rig.exchangeRaw(query("PINFO", "FVER")), "00000015QM_MASTER 4.10 ");
}

TEST(CallFaults, OverlongReplyAnnouncesMoreThanSent) {
  Rig rig;
  rig.sim.setCallFaults(make<CallFaults>([](CallFaults& f) { f.overlongCall = 1; }));
  auto raw = rig.exchangeRaw(query("PSTATUS", ""));
  EXPECT_EQ(raw, "000000660\r");
}

TEST(CallFaults, FromConfiguration) {
  auto parsed = parseConfig("[sim]\nfail_call = 1\ntruncate_call = 2\n", Family::QM);
  ASSERT_TRUE(parsed.errors.empty());
  Rig rig(parsed.config);
  EXPECT_EQ(rig.status(), "<failed>");
  EXPECT_EQ(rig.exchangeRaw(query("PSTATUS", "")), "000000010");
}

TEST(CallFaults, RestartWindowFailsAndCountsCalls) {
  Rig rig;
  rig.send("\x1bPFW_UPDFLASH_REWRITE           ");
  EXPECT_EQ(rig.sim.callCount(), 1u);
  rig.sim.printer(u"USB001");  // inspection is not a monitor call
  EXPECT_EQ(rig.sim.callCount(), 1u);
}

}  // namespace
