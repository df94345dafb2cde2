#include "library_fixture.h"

namespace qmstat::testing {
namespace {

using TransportTest = LibraryTest;

TEST_F(TransportTest, SetCommandPassesBytesAndTheMonitorResult) {
  monitor.answer({7, {}});
  EXPECT_EQ(lib->setCommand(handle, "ABC", 3), 7);
  monitor.fail();
  EXPECT_EQ(lib->setCommand(handle, "D", 1), 0);
  ASSERT_EQ(monitor.calls.size(), 2u);
  EXPECT_EQ(monitor.calls[0].code, kSendCode);
  EXPECT_EQ(monitor.calls[0].input, "ABC");
  EXPECT_EQ(monitor.calls[0].outputSize, 0u);
}

TEST_F(TransportTest, GetCommandTerminatesTheReceivedBytes) {
  monitor.answer({1, "0000003xyz"});
  char area[64];
  std::memset(area, 'Q', sizeof area);
  uint32_t received = 99;
  EXPECT_EQ(lib->getCommand(handle, "cmd", 3, area, 32, &received), 1);
  EXPECT_EQ(received, 10u);
  EXPECT_EQ(std::string(area, 11), std::string("0000003xyz\0", 11));
  EXPECT_EQ(area[11], 'Q');
}

TEST_F(TransportTest, FailedGetCommandLeavesAnEmptyTerminatedArea) {
  monitor.fail();
  char area[8] = "garbage";
  uint32_t received = 5;
  EXPECT_EQ(lib->getCommand(handle, "cmd", 3, area, 7, &received), 0);
  EXPECT_EQ(received, 0u);
  EXPECT_EQ(area[0], '\0');
}

TEST_F(TransportTest, AMonitorReportingMoreThanTheAreaKeepsTheTerminatorInside) {
  monitor.answer({1, "12345678", true, 5000});
  char area[9];
  uint32_t received = 0;
  lib->getCommand(handle, "c", 1, area, 8, &received);
  EXPECT_EQ(received, 8u);
  EXPECT_EQ(area[8], '\0');
}

TEST_F(TransportTest, GetCommandExCopiesTheAnnouncedPayloadOnly) {
  monitor.answer({1, "00000005hello"});
  char dest[16];
  std::memset(dest, '#', sizeof dest);
  EXPECT_EQ(lib->getCommandEx(handle, "c", 1, dest, sizeof dest), 5);
  EXPECT_EQ(std::string(dest, 6), "hello#");
}

TEST_F(TransportTest, EightSpacesAreAnEmptyReply) {
  monitor.answer({1, "        "});
  char dest[4] = "abc";
  EXPECT_EQ(lib->getCommandEx(handle, "c", 1, dest, 4), 0);
  EXPECT_STREQ(dest, "abc");
}

TEST_F(TransportTest, BrokenExchangesGiveMinusOneAndLeaveTheDestination) {
  struct Case {
    const char* what;
    ScriptedAnswer answer;
    uint32_t capacity;
  } cases[] = {
      {"failed", {0, "00000002ab"}, 16},
      {"announces more than arrived", {1, "00000009abc"}, 16},
      {"announces more than dest holds", {1, "00000005hello"}, 4},
      {"negative length", {1, "-0000001x"}, 16},
      {"short header", {1, "000"}, 16},
  };
  for (const Case& c : cases) {
    monitor.answer(c.answer);
    char dest[16];
    std::memset(dest, '#', sizeof dest);
    const int32_t n = lib->getCommandEx(handle, "c", 1, dest, c.capacity);
    if (std::string(c.what) == "short header") {
      EXPECT_EQ(n, 0) << c.what;  // "000" reads as zero: an empty reply
    } else {
      EXPECT_EQ(n, -1) << c.what;
    }
    EXPECT_EQ(std::string(dest, 16), std::string(16, '#')) << c.what;
  }
}

TEST_F(TransportTest, AFullReceiveBufferIsHandledWithinBounds) {
  const std::string payload(4088, 'p');
  monitor.reply(payload);
  std::vector<char> dest(4096);
  EXPECT_EQ(lib->getCommandEx(handle, "c", 1, dest.data(), 4096), 4088);
  // The monitor is only offered 4096 bytes, so a longer frame arrives cut and is refused.
  monitor.answer({1, replyFrame(std::string(5000, 'q'))});
  EXPECT_EQ(lib->getCommandEx(handle, "c", 1, dest.data(), 4096), -1);
  EXPECT_EQ(monitor.calls.back().outputSize, 4096u);
}

}  // namespace
}  // namespace qmstat::testing
