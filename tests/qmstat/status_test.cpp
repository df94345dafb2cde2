#include "library_fixture.h"

namespace qmstat::testing {
namespace {

struct StatusCase {
  const char* answer;
  uint32_t code;
  friend void PrintTo(const StatusCase& c, std::ostream* os) { *os << '"' << c.answer << '"'; }
};

class StatusTest : public LibraryTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusTest, MapsTheAnswer) {
  monitor.reply(GetParam().answer);
  EXPECT_EQ(lib->getStatus(handle), GetParam().code) << '"' << GetParam().answer << '"';
}

INSTANTIATE_TEST_SUITE_P(PlainAnswers, StatusTest,
                         ::testing::Values(StatusCase{"0", 0x10001}, StatusCase{"1", 0x10002},
                                           StatusCase{"2", 0x10004}, StatusCase{"1100", 0x10008},
                                           StatusCase{"1200", 0x10010}, StatusCase{"500", 0x10020},
                                           StatusCase{"1000", 0x20001}, StatusCase{"1300", 0x20002},
                                           StatusCase{"1400", 0x20004}, StatusCase{"1500", 0x20008},
                                           StatusCase{"1600", 0x20010}, StatusCase{"2000", 0x40001},
                                           StatusCase{"2100", 0x40002}, StatusCase{"2200", 0x40004},
                                           StatusCase{"2300", 0x40008}, StatusCase{"2400", 0x40010},
                                           StatusCase{"2500", 0x40020}, StatusCase{"2600", 0x40040},
                                           StatusCase{"2700", 0x40080}, StatusCase{"2800", 0x40100},
                                           StatusCase{"3000", 0x80001}));

INSTANTIATE_TEST_SUITE_P(FirmwareUpdateAnswers, StatusTest,
                         ::testing::Values(StatusCase{"FU1", 0x100001}, StatusCase{"FU2", 0x100002},
                                           StatusCase{"FU3", 0x100004}, StatusCase{"FU100", 0x100008},
                                           StatusCase{"FU200", 0x100010}, StatusCase{"FU300", 0x100020},
                                           StatusCase{"FU 1", 0x100001}, StatusCase{"FU+1\r", 0x100001}));

INSTANTIATE_TEST_SUITE_P(
    AnswersWithoutAStatus, StatusTest,
    ::testing::Values(StatusCase{"FU0", kStatusNone}, StatusCase{"fu1", kStatusNone},
                      StatusCase{"FU101", kStatusNone}, StatusCase{"2900", kStatusNone},
                      StatusCase{"3001", kStatusNone}, StatusCase{"", kStatusNone},
                      StatusCase{"FU", kStatusNone}, StatusCase{"ready", kStatusNone},
                      StatusCase{"-0", 0x10001}, StatusCase{"4294967297", kStatusNone},
                      StatusCase{"F", kStatusNone}));

INSTANTIATE_TEST_SUITE_P(TrailingBytes, StatusTest,
                         ::testing::Values(StatusCase{"1200\r", 0x10010}, StatusCase{" 1200\rjunk", 0x10010},
                                           StatusCase{"\r\n0", 0x10001}));

using StatusHistoryTest = LibraryTest;

TEST_F(StatusHistoryTest, AFailedExchangeAfterAGoodOneGivesNoStatus) {
  monitor.reply("0");
  EXPECT_EQ(lib->getStatus(handle), 0x10001u);
  monitor.fail();
  EXPECT_EQ(lib->getStatus(handle), kStatusNone);
}

TEST_F(StatusHistoryTest, OnlyTheCurrentPayloadIsRead) {
  monitor.reply("1100");
  EXPECT_EQ(lib->getStatus(handle), 0x10008u);
  monitor.reply("1");  // the buffer still holds "1100": "1" followed by stale "100"
  EXPECT_EQ(lib->getStatus(handle), 0x10002u);
  monitor.reply("FU100");
  EXPECT_EQ(lib->getStatus(handle), 0x100008u);
  monitor.reply("FU");
  EXPECT_EQ(lib->getStatus(handle), kStatusNone);
  monitor.reply("");
  EXPECT_EQ(lib->getStatus(handle), kStatusNone);
}

}  // namespace
}  // namespace qmstat::testing
