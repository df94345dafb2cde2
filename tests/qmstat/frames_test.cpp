// Every frame the library sends whole, built here from group, name and length
// field, checked byte for byte on the wire through the operation that sends it.
#include <functional>

#include "frames.h"
#include "library_fixture.h"

namespace qmstat::testing {
namespace {

std::string frame(const std::string& group, const std::string& name, const std::string& length,
                  const std::string& payload = "") {
  std::string f = kEscStr + group;
  f += name + std::string(16 - name.size(), ' ');
  return f + length + payload;
}

const std::string kSpaces8(8, ' ');

struct FrameCase {
  const char* what;
  std::function<void(StatusLibrary&, int32_t)> call;
  uint32_t code;
  std::string expected;
  friend void PrintTo(const FrameCase& c, std::ostream* os) { *os << c.what; }
};

class FrameTest : public LibraryTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(FrameTest, SendsExactlyTheFrame) {
  const FrameCase& c = GetParam();
  c.call(*lib, handle);
  ASSERT_EQ(monitor.calls.size(), 1u);
  EXPECT_EQ(monitor.calls[0].code, c.code);
  EXPECT_EQ(monitor.calls[0].port, u"USB001");
  EXPECT_EQ(monitor.calls[0].input, c.expected);
  if (c.code == kExchangeCode) {
    EXPECT_EQ(monitor.calls[0].outputSize, 4096u);
  }
}

char g_text[4097];
auto text(TextQuery q) {
  return [q](StatusLibrary& l, int32_t h) { l.textQuery(h, q, g_text); };
}
auto number(NumberQuery q) {
  return [q](StatusLibrary& l, int32_t h) { l.numberQuery(h, q); };
}

INSTANTIATE_TEST_SUITE_P(
    AllWholeFrames, FrameTest,
    ::testing::Values(
        FrameCase{"status", [](StatusLibrary& l, int32_t h) { l.getStatus(h); }, kExchangeCode,
                  frame("PSTATUS", "", kSpaces8)},
        FrameCase{"version", text(TextQuery::Version), kExchangeCode, frame("PINFO  ", "FVER", kSpaces8)},
        FrameCase{"sensor", text(TextQuery::SensorInfo), kExchangeCode, frame("PINFO  ", "SENSOR", kSpaces8)},
        FrameCase{"media", text(TextQuery::Media), kExchangeCode, frame("PINFO  ", "MEDIA", kSpaces8)},
        FrameCase{"lot", text(TextQuery::MediaLotNo), kExchangeCode, frame("PINFO  ", "MLOT", kSpaces8)},
        FrameCase{"serial", text(TextQuery::SerialNo), kExchangeCode,
                  frame("PINFO  ", "SERIAL_NUMBER", kSpaces8)},
        FrameCase{"pqty", number(NumberQuery::PQTY), kExchangeCode, frame("PINFO  ", "PQTY", kSpaces8)},
        FrameCase{"counterL", number(NumberQuery::CounterL), kExchangeCode,
                  frame("PMNT_RD", "COUNTER_LIFE", kSpaces8)},
        FrameCase{"counterA", number(NumberQuery::CounterA), kExchangeCode,
                  frame("PMNT_RD", "COUNTER_A", kSpaces8)},
        FrameCase{"counterB", number(NumberQuery::CounterB), kExchangeCode,
                  frame("PMNT_RD", "COUNTER_B", kSpaces8)},
        FrameCase{"resH", number(NumberQuery::ResolutionH), kExchangeCode,
                  frame("PINFO  ", "RESOLUTION_H", kSpaces8)},
        FrameCase{"resV", number(NumberQuery::ResolutionV), kExchangeCode,
                  frame("PINFO  ", "RESOLUTION_V", kSpaces8)},
        FrameCase{"free", number(NumberQuery::FreeBuffer), kExchangeCode,
                  frame("PINFO  ", "FREE_PBUFFER", kSpaces8)},
        FrameCase{"mqty", number(NumberQuery::MediaCounter), kExchangeCode, frame("PINFO  ", "MQTY", kSpaces8)},
        FrameCase{"mcolor", [](StatusLibrary& l, int32_t h) { l.mediaColorOffset(h); }, kExchangeCode,
                  frame("PINFO  ", "MCOLOR", kSpaces8)},
        FrameCase{"clearA", [](StatusLibrary& l, int32_t h) { l.clearCounter(h, Counter::A); }, kSendCode,
                  frame("PMNT_WT", "COUNTER_CLEAR", "00000004", std::string("CA\r\0", 4))},
        FrameCase{"clearB", [](StatusLibrary& l, int32_t h) { l.clearCounter(h, Counter::B); }, kSendCode,
                  frame("PMNT_WT", "COUNTER_CLEAR", "00000004", std::string("CB\r\0", 4))},
        FrameCase{"rewrite", [](StatusLibrary& l, int32_t h) { l.setFirmwUpdateMode(h); }, kSendCode,
                  frame("PFW_UPD", "FLASH_REWRITE", kSpaces8)},
        FrameCase{"colorVersion", text(TextQuery::ColorDataVersion), kExchangeCode,
                  frame("PTBL_RD", "Version", "00000000")},
        FrameCase{"checksum", text(TextQuery::ColorDataChecksum), kExchangeCode,
                  frame("PMNT_RD", "CTRLD_CHKSUM", "00000000")},
        FrameCase{"clear", [](StatusLibrary& l, int32_t h) { l.setColorDataClear(h); }, kSendCode,
                  frame("PTBL_CL", "", "00000000")},
        FrameCase{"mediaId", [](StatusLibrary& l, int32_t h) { l.mediaIdSetInfo(h); }, kExchangeCode,
                  frame("PMNT_RD", "MEDIA_ID_SET", "00000000")}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(LengthField, WritesEightZeroFilledDigits) {
  struct Case {
    int64_t value;
    const char* digits;
  } cases[] = {{0, "00000000"}, {3, "00000003"}, {512, "00000512"}, {4096, "00004096"},
               {250000, "00250000"}, {99999999, "99999999"}};
  for (const Case& c : cases) {
    char out[8];
    ASSERT_TRUE(formatLengthField(c.value, out)) << c.value;
    EXPECT_EQ(std::string(out, 8), c.digits);
  }
}

TEST(LengthField, RefusesWhatEightDigitsCannotHold) {
  char out[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
  EXPECT_FALSE(formatLengthField(100000000, out));
  EXPECT_FALSE(formatLengthField(-1, out));
  EXPECT_EQ(std::string(out, 8), "xxxxxxxx");
}

}  // namespace
}  // namespace qmstat::testing
