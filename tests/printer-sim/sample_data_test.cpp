#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "firmware_image.h"
#include "printer_sim/sample_data.h"

namespace {
using namespace printer_sim;

std::string readFile(const std::string& name) {
  std::ifstream in(std::string(PRINTER_SIM_SAMPLE_DIR) + "/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(SampleData, RegeneratedFilesEqualTheCommittedOnes) {
  for (Family f : {Family::QM, Family::QN}) EXPECT_EQ(makeSampleFirmware(f), readFile(firmwareFileName(f)));
  auto qmd = makeSampleColorData();
  EXPECT_EQ(std::string(qmd.begin(), qmd.end()), readFile(std::string(kColorDataFileName)));
}

TEST(SampleData, ColorDataHasTheReleaseChecksum) {
  auto qmd = makeSampleColorData();
  ASSERT_EQ(qmd.size(), kColorDataSize);
  EXPECT_EQ(checksumHex(byteSum16(qmd.data(), qmd.size())), "FF32");
}

TEST(SampleData, FirmwareFilesSurviveTheHostsRecordRules) {
  for (Family f : {Family::QM, Family::QN}) {
    SCOPED_TRACE(firmwareFileName(f));
    std::string text = makeSampleFirmware(f);
    EXPECT_GT(text.size(), 200u * 1024u);
    EXPECT_LT(text.size(), 1024u * 1024u);
    EXPECT_EQ(text.find(','), std::string::npos);
    EXPECT_EQ(text.find('"'), std::string::npos);
    EXPECT_EQ(text.find(' '), std::string::npos);  // the version sits in hex
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n') {
        ASSERT_EQ(text[i - 1], '\r') << "at " << i;
      }
    }
    ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
    // Rebuilding the image from the records gives back text + fill.
    auto image = firmwareImageFromText(text);
    EXPECT_EQ(image.size(), zeroFilledLength(text.size()));
    ImageCheck check = checkFirmwareImage(image);
    EXPECT_TRUE(check.ok) << check.error;
    EXPECT_EQ(check.version, releaseFirmware(f));
  }
}

TEST(SampleData, HostImageRulesOnSmallInputs) {
  auto asText = [](const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); };
  EXPECT_EQ(asText(firmwareImageFromText("AB")), std::string("AB\r\n") + std::string(12, '\0'));
  EXPECT_EQ(asText(firmwareImageFromText("A,B\r\n")).substr(0, 6), "A\r\nB\r\n");
  EXPECT_EQ(asText(firmwareImageFromText("  \"x,y\"\r\n")).substr(0, 5), "x,y\r\n");
  EXPECT_EQ(zeroFilledLength(100), 112u);
  EXPECT_EQ(zeroFilledLength(96), 98u);
  EXPECT_EQ(zeroFilledLength(32), 34u);
  EXPECT_EQ(zeroFilledLength(31), 92u);
}

}  // namespace
