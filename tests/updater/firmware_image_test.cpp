#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "updater/firmware_image.h"

namespace updater {
namespace {

constexpr LeadBytes kSingleByte{};

LeadBytes japaneseLeadBytes() {
  LeadBytes lead{};
  for (int b = 0x81; b <= 0x9F; ++b) lead[static_cast<size_t>(b)] = true;
  for (int b = 0xE0; b <= 0xFC; ++b) lead[static_cast<size_t>(b)] = true;
  return lead;
}

FirmwareImage build(std::string_view file, const LeadBytes& lead = kSingleByte) {
  return buildFirmwareImage(
      std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(file.data()), file.size()), lead);
}

// The image's record bytes, before the zero fill.
std::string records(std::string_view file) {
  FirmwareImage image = build(file);
  EXPECT_EQ(image.result, ImageResult::Built);
  std::string out(reinterpret_cast<const char*>(image.bytes.get()), image.length);
  while (!out.empty() && out.back() == '\0') out.pop_back();
  return out;
}

TEST(ZeroFill, AddsTheRemainderNotItsComplement) {
  struct Case {
    size_t n, first, second;
  };
  for (const Case c : {Case{100, 104, 112}, Case{96, 97, 98}, Case{32, 33, 34}, Case{31, 62, 92},
                       Case{4, 8, 16}, Case{0, 1, 2}}) {
    const size_t first = c.n + zeroFillCount(c.n);
    EXPECT_EQ(first, c.first) << c.n;
    EXPECT_EQ(first + zeroFillCount(first), c.second) << c.n;
  }
}

TEST(FirmwareImageBuild, OneLineWithoutBreakBecomesSixteenBytes) {
  FirmwareImage image = build("AB");
  ASSERT_EQ(image.result, ImageResult::Built);
  ASSERT_EQ(image.length, 16u);
  const std::vector<uint8_t> bytes(image.bytes.get(), image.bytes.get() + 16);
  std::vector<uint8_t> expected(16, 0);
  expected[0] = 0x41;
  expected[1] = 0x42;
  expected[2] = 0x0D;
  expected[3] = 0x0A;
  EXPECT_EQ(bytes, expected);
}

TEST(FirmwareImageBuild, Records) {
  struct Case {
    const char* file;
    const char* image;
  };
  const Case cases[] = {
      {"A,B", "A\r\nB\r\n"},
      {"\r\n", "\r\n"},
      {"AB\r\n", "AB\r\n"},
      {"AB\r\n\r\nCD", "AB\r\n\r\nCD\r\n"},
      {"   AB", "AB\r\n"},
      {"AB  \r\n", "AB  \r\n"},           // trailing blanks kept
      {"A\rB\nC", "A\r\nB\r\nC\r\n"},     // lone CR and LF end records
      {"A,\r\n", "A\r\n\r\n"},           // the comma's record is empty
      {"A,", "A\r\n\r\n"},
      {"\"A,B\"", "A,B\r\n"},             // comma inside quotes
      {"  \"x y\"  ,Z", "x y\r\nZ\r\n"},
      {"\"AB\"junk\r\nC", "AB\r\nC\r\n"},  // after the closing quote: dropped
      {"\"A\r\nB\"", "A\r\nB\r\n"},         // a quoted record spans the line end
      {"S00600004844521B\r\nS9030000FC\r\n", "S00600004844521B\r\nS9030000FC\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(records(c.file), c.image) << c.file;
}

TEST(FirmwareImageBuild, EmptyFileHasNoRecords) {
  FirmwareImage image = build("");
  EXPECT_EQ(image.result, ImageResult::Built);
  EXPECT_EQ(image.length, 2u);  // the zero fill alone
}

TEST(FirmwareImageBuild, ImageSizeLimitIncludesZeroFill) {
  // 9,999,968 content bytes: a multiple of 32, so the fill adds 1 then 1.
  std::string fits(9'999'966, 'A');
  FirmwareImage ok = build(fits);
  ASSERT_EQ(ok.result, ImageResult::Built);
  EXPECT_EQ(ok.length, 9'999'970u);

  std::string over(kFirmwareImageCapacity - 2, 'A');  // CR LF exactly fills the buffer
  EXPECT_EQ(build(over).result, ImageResult::TooLarge);
  std::string far(kFirmwareImageCapacity, 'A');
  EXPECT_EQ(build(far).result, ImageResult::TooLarge);
}

TEST(FirmwareImageBuild, DoubleByteCharacterIsRefused) {
  EXPECT_EQ(build("AB\x82\xA0", japaneseLeadBytes()).result, ImageResult::DoubleByte);
  EXPECT_EQ(build("\"\x82\xA0\"", japaneseLeadBytes()).result, ImageResult::DoubleByte);
  // The same byte in a single-byte code page is one character.
  EXPECT_EQ(records("AB\x82"), "AB\x82\r\n");
}

TEST(FirmwareImageBuild, UnclosedQuoteIsRefused) {
  EXPECT_EQ(build("AB\r\n\"CD\r\n").result, ImageResult::UnclosedQuote);
}

class CountingPacer final : public BuildPacer {
 public:
  void pace() override { ++calls; }
  int calls = 0;
};

TEST(FirmwareImageBuild, PacerIsAskedAboutEvery64KiB) {
  std::string file;
  for (int i = 0; i < 20'000; ++i) file += "S1130000000102030405060708090A0B0C0D0E0F\r\n";  // 43 bytes
  CountingPacer pacer;
  const auto span = std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(file.data()),
                                             file.size());
  FirmwareImage image = buildFirmwareImage(span, kSingleByte, &pacer);
  EXPECT_EQ(image.result, ImageResult::Built);
  EXPECT_EQ(pacer.calls, static_cast<int>(file.size() / kYieldEveryBytes));
}

}  // namespace
}  // namespace updater
