#include <gtest/gtest.h>

#include "printer_sim/sample_data.h"
#include "sim_rig.h"

namespace {
using namespace sim_test;

const char* const kChannels[] = {"Y", "M", "C", "OP"};

// Curve families in send order, with their position among the image's curves.
const std::pair<const char*, int> kCurveFamilies[] = {
    {"HeadTemp", 0}, {"MediaTemp", 1}, {"TempCoef", 2}, {"STB_Gamma", 3}, {"E_Gamma", 4},   {"E_Epsilon", 11},
    {"C_Gamma", 5},  {"C_Theta", 6},   {"C_Epsilon", 7}, {"G_Gamma", 8},  {"G_Theta", 9},   {"G_Epsilon", 10},
};

std::string swapped(const std::vector<uint8_t>& image, std::size_t offset) {
  return {static_cast<char>(image[offset + 1]), static_cast<char>(image[offset])};
}

// The 60 table frames a host sends for a QMD image, in send order.
std::vector<std::pair<std::string, std::string>> tablesOf(const std::vector<uint8_t>& im) {
  std::vector<std::pair<std::string, std::string>> out;
  for (const auto& [family, pos] : kCurveFamilies)
    for (int c = 0; c < 4; ++c) {
      std::string payload;
      for (int i = 0; i < 256; ++i) payload += swapped(im, 16 + 512 * (4 * pos + c) + 2 * i);
      out.emplace_back(std::string(family) + "_" + kChannels[c], payload);
    }
  for (int c = 0; c < 4; ++c)
    out.emplace_back(std::string("E_Gamma_") + kChannels[c] + "_SE", swapped(im, 2 * c) + swapped(im, 8 + 2 * c));
  for (int c = 0; c < 4; ++c)
    out.emplace_back(std::string("C_Sigma_") + kChannels[c], swapped(im, 24592 + 2 * c) + swapped(im, 24600 + 2 * c) +
                                                                 swapped(im, 24608 + 2 * c) + std::string(10, '\0'));
  for (int c = 0; c < 4; ++c)
    out.emplace_back(std::string("G_Sigma_") + kChannels[c],
                     swapped(im, 24616 + 2 * c) + swapped(im, 24624 + 2 * c) + std::string(12, '\0'));
  return out;
}

void writeTable(Rig& rig, const std::string& name, const std::string& payload) {
  ASSERT_TRUE(rig.send("\x1bPTBL_WT"));
  ASSERT_TRUE(rig.send(field(name, 16)));
  ASSERT_TRUE(rig.send(digits8(payload.size())));
  ASSERT_TRUE(rig.send(payload));
}

std::string checksum(Rig& rig) { return rig.exchange(frame("PMNT_RD", "CTRLD_CHKSUM")).value_or("<failed>"); }

TEST(ColorData, SampleTablesGiveTheReleaseChecksum) {
  Rig rig;
  writeTable(rig, "Version", std::string("QM0210.QMD\0\0\0\0\0\0", 16));
  auto tables = tablesOf(makeSampleColorData());
  ASSERT_EQ(tables.size(), 60u);
  for (const auto& [name, payload] : tables) writeTable(rig, name, payload);
  EXPECT_EQ(checksum(rig), "FF32\r");
  EXPECT_EQ(rig.sim.checksumText(u"USB001"), "FF32");
  EXPECT_EQ(rig.exchange(frame("PTBL_RD", "Version")), std::string("QM0210.QMD\0\0\0\0\0\0", 16));
  EXPECT_EQ(bytes(rig.sim.printer(u"USB001")->tables.at("HeadTemp_Y")), tables[0].second);
}

TEST(ColorData, WrongSizeAndUnknownTablesAreIgnored) {
  Rig rig;
  writeTable(rig, "HeadTemp_Y", std::string(510, '\x01'));
  writeTable(rig, "HeadTemp_Q", std::string(512, '\x01'));
  writeTable(rig, "CTRLD_UPDATE_QN", std::string(100, '\x01'));
  EXPECT_EQ(checksum(rig), "0000\r");
  writeTable(rig, "G_Sigma_OP", std::string(16, '\x02'));
  EXPECT_EQ(checksum(rig), "0020\r");
}

TEST(ColorData, ClearEmptiesTablesAndVersion) {
  Rig rig;
  for (const auto& [name, payload] : tablesOf(makeSampleColorData())) writeTable(rig, name, payload);
  ASSERT_TRUE(rig.send(frame("PTBL_CL", "")));
  EXPECT_EQ(checksum(rig), "0000\r");
  EXPECT_EQ(rig.exchange(frame("PTBL_RD", "Version")), "");
}

TEST(ColorData, QnBlockStoredWholeWithTheSameRule) {
  Rig rig(defaultConfig(Family::QN));
  std::string block;
  for (int i = 0; i < 1234; ++i) block.push_back(static_cast<char>(i * 31));
  writeTable(rig, "CTRLD_UPDATE_QN", block);
  uint32_t sum = 0;
  for (unsigned char c : block) sum += c;
  EXPECT_EQ(checksum(rig), checksumHex(static_cast<uint16_t>(sum)) + "\r");
  EXPECT_EQ(bytes(rig.sim.printer(u"USB001")->qnBlock), block);
  writeTable(rig, "HeadTemp_Y", std::string(512, '\x01'));  // not a QN table
  EXPECT_EQ(checksum(rig), checksumHex(static_cast<uint16_t>(sum)) + "\r");
}

TEST(ColorData, TablesAreNotWrittenWhileFlashing) {
  Rig rig;
  rig.send("\x1bPFW_UPDFLASH_REWRITE           ");
  rig.clock.advance(1500);
  auto image = firmwareImageFromText(makeSampleFirmware(Family::QM));
  rig.send("\x1bPFW_UPDFLASH_PROGRAM   " + digits8(image.size()) + bytes(image));
  writeTable(rig, "G_Sigma_OP", std::string(16, '\x02'));
  EXPECT_EQ(checksum(rig), "0000\r");
}

}  // namespace

namespace {

TEST(ColorData, ReleaseDataFromConfigurationIsCurrent) {
  auto parsed = parseConfig("[printer USB001]\ncolor_data = release\n[printer USB002]\nfamily = QN\ncolor_data = release\n",
                            Family::QM);
  ASSERT_TRUE(parsed.errors.empty());
  Rig rig(parsed.config);
  EXPECT_EQ(checksum(rig), "FF32\r");
  EXPECT_EQ(rig.exchange(frame("PTBL_RD", "Version")), std::string("QM0210.QMD\0\0\0\0\0\0", 16));
  // Stored exactly as a host's 60 table writes would have left them.
  const auto& stored = rig.sim.printer(u"USB001")->tables;
  for (const auto& [name, payload] : tablesOf(makeSampleColorData())) {
    SCOPED_TRACE(name);
    ASSERT_EQ(stored.count(name), 1u);
    EXPECT_EQ(bytes(stored.at(name)), payload);
  }
  EXPECT_EQ(rig.exchange(frame("PMNT_RD", "CTRLD_CHKSUM"), u"USB002"), "FF32\r");
}

}  // namespace
