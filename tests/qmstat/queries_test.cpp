#include "library_fixture.h"

namespace qmstat::testing {
namespace {

using QueryTest = LibraryTest;

struct TextCase {
  TextQuery query;
  std::string payload;
  int32_t result;
  const char* text;  // what the caller's buffer holds afterwards
};

TEST_F(QueryTest, TextQueryResultRules) {
  const TextCase cases[] = {
      {TextQuery::Version, "QM_MASTER 5.00  QM_SLAVE  5.00\r", 30, "QM_MASTER 5.00  QM_SLAVE  5.00\r"},
      {TextQuery::Version, "ABCDEFGHIJKL", 11, "ABCDEFGHIJKL"},
      {TextQuery::Version, "", -1, ""},
      {TextQuery::SensorInfo, "S1\r", 2, "S1\r"},
      {TextQuery::SensorInfo, "", -1, ""},
      {TextQuery::SerialNo, "SN0042\r", 6, "SN0042\r"},
      {TextQuery::SerialNo, "", -1, ""},
      {TextQuery::Media, "M:A4\r", 4, "A4\r"},
      {TextQuery::Media, "M", 0, ""},
      {TextQuery::Media, "", -1, ""},
      {TextQuery::MediaLotNo, "LOT1", 20, "LOT1"},
      {TextQuery::MediaLotNo, "", 20, ""},
      {TextQuery::ColorDataVersion, "QM0210.QMD", 10, "QM0210.QMD"},
      {TextQuery::ColorDataVersion, std::string("QM0210.QMD\0\0\0\0\0\0", 16), 10, "QM0210.QMD"},
      {TextQuery::ColorDataVersion, "", 0, ""},
      {TextQuery::ColorDataChecksum, "FF32\r", 4, "FF32\r"},
      {TextQuery::ColorDataChecksum, "", -1, ""},
  };
  for (const TextCase& c : cases) {
    monitor.reply(c.payload);
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(lib->textQuery(handle, c.query, buffer), c.result) << c.payload;
    EXPECT_STREQ(buffer, c.text) << c.payload;
  }
}

TEST_F(QueryTest, FailedTextQueryLeavesTheCallersBuffer) {
  monitor.fail();
  char buffer[8] = "keep";
  EXPECT_EQ(lib->textQuery(handle, TextQuery::Version, buffer), -1);
  EXPECT_STREQ(buffer, "keep");
}

TEST_F(QueryTest, NullTextBufferFailsBeforeAnyExchange) {
  EXPECT_EQ(lib->textQuery(handle, TextQuery::Version, nullptr), -1);
  EXPECT_TRUE(monitor.calls.empty());
}

TEST_F(QueryTest, AShorterTextAfterALongerOneHasNoStaleTail) {
  char buffer[64];
  monitor.reply("LONGVERSION\r");
  lib->textQuery(handle, TextQuery::Version, buffer);
  monitor.reply("V2\r");
  EXPECT_EQ(lib->textQuery(handle, TextQuery::Version, buffer), 2);
  EXPECT_STREQ(buffer, "V2\r");
}

TEST_F(QueryTest, TheLargestReplyFitsTheDocumentedBuffer) {
  monitor.reply(std::string(4088, 'v'));
  std::vector<char> buffer(4097, '#');
  EXPECT_EQ(lib->textQuery(handle, TextQuery::Version, buffer.data()), 4087);
  EXPECT_EQ(buffer[4088], '\0');
  EXPECT_EQ(buffer[4089], '#');
}

struct NumberCase {
  NumberQuery query;
  const char* payload;
  int32_t result;
};

TEST_F(QueryTest, NumberQueriesReadAfterTheirPrefix) {
  const NumberCase cases[] = {
      {NumberQuery::PQTY, "PQTY250", 250},       {NumberQuery::PQTY, "250", 0},
      {NumberQuery::PQTY, "PQTY-1", -1},         {NumberQuery::PQTY, "PQTY", 0},
      {NumberQuery::PQTY, "PQTY 12\r", 12},      {NumberQuery::PQTY, "pqty5", 0},
      {NumberQuery::CounterL, "CL123456", 123456}, {NumberQuery::CounterL, "CA1", 0},
      {NumberQuery::CounterA, "CA77\r", 77},     {NumberQuery::CounterB, "CB88\r", 88},
      {NumberQuery::ResolutionH, "RH300", 300},  {NumberQuery::ResolutionV, "RV600", 600},
      {NumberQuery::FreeBuffer, "FPB4", 4},      {NumberQuery::MediaCounter, "MQTY9", 9},
      {NumberQuery::MediaCounter, "MQT", 0},
  };
  for (const NumberCase& c : cases) {
    monitor.reply(c.payload);
    EXPECT_EQ(lib->numberQuery(handle, c.query), c.result) << c.payload;
  }
  monitor.fail();
  EXPECT_EQ(lib->numberQuery(handle, NumberQuery::PQTY), -1);
}

TEST_F(QueryTest, NumberQueriesReadOnlyTheCurrentReply) {
  monitor.reply("PQTY12345");
  EXPECT_EQ(lib->numberQuery(handle, NumberQuery::PQTY), 12345);
  monitor.reply("PQTY7");
  EXPECT_EQ(lib->numberQuery(handle, NumberQuery::PQTY), 7);
  monitor.reply("PQTY");
  EXPECT_EQ(lib->numberQuery(handle, NumberQuery::PQTY), 0);
}

TEST_F(QueryTest, MediaColorOffsetIsBigEndianAtBytesTwoToFive) {
  monitor.reply(std::string("MC\x00\x00\x01\x2C", 6));
  EXPECT_EQ(lib->mediaColorOffset(handle), 300);
  monitor.reply(std::string("MC\x00\x00\x00\xFF", 6));
  EXPECT_EQ(lib->mediaColorOffset(handle), 255);
  monitor.reply(std::string("MC\x80\x00\x00\x01", 6));
  EXPECT_EQ(lib->mediaColorOffset(handle), static_cast<int32_t>(0x80000001u));
  monitor.reply(std::string("MC\x00\x01", 4));  // too short; the earlier bytes must not count
  EXPECT_EQ(lib->mediaColorOffset(handle), 0);
  monitor.fail();
  EXPECT_EQ(lib->mediaColorOffset(handle), -1);
}

TEST_F(QueryTest, CutterModeSendsHeaderThenEightDigits) {
  monitor.answer({1, {}});
  monitor.answer({9, {}});
  EXPECT_EQ(lib->setCutterMode(handle, 1), 9);
  ASSERT_EQ(monitor.calls.size(), 2u);
  EXPECT_EQ(monitor.calls[0].input, esc("PCNTRL CUTTER          00000008"));
  EXPECT_EQ(monitor.calls[1].input, "00000001");
}

TEST_F(QueryTest, CutterModeFailures) {
  monitor.fail();
  EXPECT_EQ(lib->setCutterMode(handle, 3), -1);
  EXPECT_EQ(monitor.calls.size(), 1u);
  monitor.answer({1, {}});
  monitor.fail();
  EXPECT_EQ(lib->setCutterMode(handle, 3), 0);
  monitor.calls.clear();
  EXPECT_EQ(lib->setCutterMode(handle, -1), -1);
  EXPECT_EQ(lib->setCutterMode(handle, 100000000), -1);
  EXPECT_TRUE(monitor.calls.empty());
}

TEST_F(QueryTest, CounterClearIsOneSendOf36Bytes) {
  monitor.answer({5, {}});
  EXPECT_EQ(lib->clearCounter(handle, Counter::B), 5);
  ASSERT_EQ(monitor.calls.size(), 1u);
  const std::string& sent = monitor.calls[0].input;
  EXPECT_EQ(sent.size(), 36u);
  EXPECT_EQ(sent.substr(32), std::string("CB\r\0", 4));
  monitor.fail();
  EXPECT_EQ(lib->clearCounter(handle, Counter::A), 0);
}

}  // namespace
}  // namespace qmstat::testing
