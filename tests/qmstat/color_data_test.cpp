#include "library_fixture.h"

namespace qmstat::testing {
namespace {

constexpr size_t kImageSize = 24632;

// Every 16-bit value of the image is distinct, so a value taken from the
// wrong place or in the wrong byte order shows.
std::vector<uint8_t> patternedImage() {
  std::vector<uint8_t> image(kImageSize);
  for (size_t v = 0; v < kImageSize / 2; ++v) {
    const uint16_t value = static_cast<uint16_t>(v * 5 + 1);
    image[2 * v] = static_cast<uint8_t>(value & 0xFF);
    image[2 * v + 1] = static_cast<uint8_t>(value >> 8);
  }
  return image;
}

std::string highFirst(const std::vector<uint8_t>& image, size_t offset) {
  return {static_cast<char>(image[offset + 1]), static_cast<char>(image[offset])};
}

std::string field16(const std::string& name) { return name + std::string(16 - name.size(), ' '); }

// The stream the printer must receive, built from the image layout table by
// table: 48 curves of 256 values at 16 + 512k, the pair, triple and double
// forms from the fixed area, in the documented send order.
std::vector<std::string> expectedSends(const std::vector<uint8_t>& image) {
  const char* channels[] = {"Y", "M", "C", "OP"};
  struct Curve {
    const char* name;
    int k;
  } curves[] = {{"HeadTemp", 0},  {"MediaTemp", 4}, {"TempCoef", 8},  {"STB_Gamma", 12},
                {"E_Gamma", 16},  {"E_Epsilon", 44}, {"C_Gamma", 20}, {"C_Theta", 24},
                {"C_Epsilon", 28}, {"G_Gamma", 32}, {"G_Theta", 36},  {"G_Epsilon", 40}};
  std::vector<std::string> sends;
  auto table = [&](const std::string& name, const std::string& length, const std::string& payload) {
    sends.push_back("\x1bPTBL_WT");
    sends.push_back(field16(name));
    sends.push_back(length);
    sends.push_back(payload);
  };
  for (const Curve& curve : curves) {
    for (int c = 0; c < 4; ++c) {
      std::string payload;
      const size_t start = 16 + 512 * static_cast<size_t>(curve.k + c);
      for (size_t v = 0; v < 256; ++v) payload += highFirst(image, start + 2 * v);
      table(std::string(curve.name) + "_" + channels[c], "00000512", payload);
    }
  }
  for (int c = 0; c < 4; ++c)
    table(std::string("E_Gamma_") + channels[c] + "_SE", "00000004",
          highFirst(image, 2 * c) + highFirst(image, 8 + 2 * c));
  for (int c = 0; c < 4; ++c)
    table(std::string("C_Sigma_") + channels[c], "00000016",
          highFirst(image, 24592 + 2 * c) + highFirst(image, 24600 + 2 * c) + highFirst(image, 24608 + 2 * c) +
              std::string(10, '\0'));
  for (int c = 0; c < 4; ++c)
    table(std::string("G_Sigma_") + channels[c], "00000016",
          highFirst(image, 24616 + 2 * c) + highFirst(image, 24624 + 2 * c) + std::string(12, '\0'));
  return sends;
}

using ColorDataTest = LibraryTest;

TEST_F(ColorDataTest, WritesSixtyTablesInSendOrder) {
  const auto image = patternedImage();
  EXPECT_EQ(lib->setColorDataWrite(handle, image.data(), kImageSize), 1);
  const auto expected = expectedSends(image);
  ASSERT_EQ(monitor.calls.size(), 240u);
  size_t bytes = 0;
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(monitor.calls[i].code, kSendCode);
    EXPECT_EQ(monitor.calls[i].input, expected[i]) << "send " << i;
    bytes += monitor.calls[i].input.size();
  }
  EXPECT_EQ(bytes, 26640u);
  EXPECT_EQ(monitor.calls[4 * 20 + 1].input, field16("E_Epsilon_Y"));  // sixth group
}

TEST_F(ColorDataTest, DocumentedPayloadExamples) {
  std::vector<uint8_t> image(kImageSize);
  for (int i = 0; i < 16; ++i) image[i] = static_cast<uint8_t>(i + 1);
  const uint8_t curve[] = {0x34, 0x12, 0x78, 0x56};
  std::memcpy(&image[16], curve, 4);
  lib->setColorDataWrite(handle, image.data(), kImageSize);
  auto payloadOf = [&](const std::string& name) {
    for (size_t i = 1; i + 2 < monitor.calls.size(); i += 4)
      if (monitor.calls[i].input == field16(name)) return monitor.calls[i + 2].input;
    return std::string("missing");
  };
  EXPECT_EQ(payloadOf("E_Gamma_Y_SE"), "\x02\x01\x0A\x09");
  EXPECT_EQ(payloadOf("E_Gamma_OP_SE"), "\x08\x07\x10\x0F");
  EXPECT_EQ(payloadOf("HeadTemp_Y").substr(0, 4), "\x12\x34\x56\x78");
}

TEST_F(ColorDataTest, StopsAtTheFirstFailedSend) {
  const auto image = patternedImage();
  // Table 10's name send is call 9 * 4 + 2.
  monitor.failFromCall(9 * 4 + 1);
  EXPECT_EQ(lib->setColorDataWrite(handle, image.data(), kImageSize), -1);
  ASSERT_EQ(monitor.calls.size(), 38u);
  EXPECT_EQ(monitor.calls[36].input, "\x1bPTBL_WT");
}

TEST_F(ColorDataTest, SuccessIsOneWhateverTheMonitorSays) {
  const auto image = patternedImage();
  for (int i = 0; i < 240; ++i) monitor.answer({77, {}});
  EXPECT_EQ(lib->setColorDataWrite(handle, image.data(), kImageSize), 1);
}

TEST_F(ColorDataTest, ShortOrMissingImagesAreRefusedBeforeAnySend) {
  const auto image = patternedImage();
  EXPECT_EQ(lib->setColorDataWrite(handle, image.data(), kImageSize - 1), -1);
  EXPECT_EQ(lib->setColorDataWrite(handle, nullptr, kImageSize), -1);
  EXPECT_TRUE(monitor.calls.empty());
}

struct VersionCase {
  int32_t length;
  const char* lengthField;
  size_t sent;
};

TEST_F(ColorDataTest, VersionIsPaddedToSixteen) {
  const char text[] = "QM0210.QMD-ABCDEFGHIJ";
  const VersionCase cases[] = {{10, "00000016", 16}, {16, "00000016", 16}, {17, "00000032", 32}, {0, "00000000", 0}};
  for (const VersionCase& c : cases) {
    monitor.calls.clear();
    monitor.answer({1, {}});
    monitor.answer({1, {}});
    monitor.answer({1, {}});
    monitor.answer({6, {}});
    EXPECT_EQ(lib->setColorDataVersion(handle, text, c.length), 6);
    ASSERT_EQ(monitor.calls.size(), 4u);
    EXPECT_EQ(monitor.calls[0].input, "\x1bPTBL_WT");
    EXPECT_EQ(monitor.calls[1].input, "Version         ");
    EXPECT_EQ(monitor.calls[2].input, c.lengthField);
    std::string expected(text, static_cast<size_t>(c.length));
    expected.resize(c.sent, '\0');
    EXPECT_EQ(monitor.calls[3].input, expected) << c.length;
  }
}

TEST_F(ColorDataTest, VersionFailures) {
  monitor.answer({1, {}});
  monitor.fail();
  EXPECT_EQ(lib->setColorDataVersion(handle, "QM0210.QMD", 10), -1);
  EXPECT_EQ(monitor.calls.size(), 2u);
  monitor.calls.clear();
  for (int i = 0; i < 3; ++i) monitor.answer({1, {}});
  monitor.fail();
  EXPECT_EQ(lib->setColorDataVersion(handle, "QM0210.QMD", 10), 0);
  monitor.calls.clear();
  EXPECT_EQ(lib->setColorDataVersion(handle, "x", -1), -1);
  EXPECT_EQ(lib->setColorDataVersion(handle, nullptr, 4), -1);
  EXPECT_EQ(lib->setColorDataVersion(handle, "x", 99999999), -1);  // pads to 100,000,000
  EXPECT_TRUE(monitor.calls.empty());
}

TEST_F(ColorDataTest, ALongVersionIsSentWhole) {
  const std::string text(5000, 'v');
  EXPECT_EQ(lib->setColorDataVersion(handle, text.data(), 5000), 1);
  EXPECT_EQ(monitor.calls.at(2).input, "00005008");
  EXPECT_EQ(monitor.calls.at(3).input, text + std::string(8, '\0'));
}

TEST_F(ColorDataTest, ClearIsOneFrame) {
  monitor.answer({4, {}});
  EXPECT_EQ(lib->setColorDataClear(handle), 4);
  EXPECT_EQ(monitor.calls.at(0).input, esc("PTBL_CL                00000000"));
}

}  // namespace
}  // namespace qmstat::testing
