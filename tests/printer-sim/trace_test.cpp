#include <gtest/gtest.h>

#include "sim_rig.h"

namespace {
using namespace sim_test;

TEST(Trace, OneLinePerCallWhateverThePortName) {
  ManualClock clock;
  LineSink trace;
  Simulator sim(defaultConfig(Family::QM), clock, nullptr, &trace);
  uint32_t returned = 0;
  const uint8_t junk[] = {0x0A};
  sim.ioControl(u"USB\n001\r\x7F", kSendCode, junk, 1, nullptr, 0, &returned);
  sim.ioControl(nullptr, kSendCode, junk, 1, nullptr, 0, &returned);
  sim.ioControl(u"USB001", kSendCode, junk, 1, nullptr, 0, &returned);
  ASSERT_EQ(trace.lines.size(), 3u);
  EXPECT_EQ(trace.lines[0], "#1 t=0 USB\\x0A001\\x0D\\x7F send in=0A -> FAIL unknown port");
  EXPECT_EQ(trace.lines[1], "#2 t=0 (null) send in=0A -> FAIL no port");
  EXPECT_EQ(trace.lines[2], "#3 t=0 USB001 send in=0A -> ok");
}

}  // namespace
