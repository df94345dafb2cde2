#include <gtest/gtest.h>

#include "firmware_image.h"
#include "printer_sim/sample_data.h"
#include "sim_rig.h"

namespace {
using namespace sim_test;

constexpr const char* kRewrite = "\x1bPFW_UPDFLASH_REWRITE           ";

bool sendImage(Rig& rig, const std::vector<uint8_t>& image) {
  return rig.send("\x1bPFW_UPDFLASH_PROGRAM   ") && rig.send(digits8(image.size())) &&
         rig.send(std::string(image.begin(), image.end()));
}

std::vector<uint8_t> releaseImage(Family family = Family::QM) {
  return firmwareImageFromText(makeSampleFirmware(family));
}

std::string version(Rig& rig) { return rig.exchange(query("PINFO", "FVER")).value_or("<failed>"); }

TEST(FirmwareTimeline, RewriteProgramRestartReady) {
  Rig rig;
  ASSERT_TRUE(rig.send(kRewrite));
  EXPECT_EQ(rig.status(), "1100\r");
  rig.clock.set(1499);
  EXPECT_EQ(rig.status(), "1100\r");
  rig.clock.set(1500);
  EXPECT_EQ(rig.status(), "FU1\r");

  rig.clock.set(3500);
  ASSERT_TRUE(sendImage(rig, releaseImage()));
  EXPECT_EQ(rig.status(), "FU2\r");
  EXPECT_EQ(version(rig), "QM_MASTER 4.10  QM_SLAVE  4.10\r");
  rig.clock.set(3500 + 25000 - 1);
  EXPECT_EQ(rig.status(), "FU2\r");
  rig.clock.set(3500 + 25000);
  EXPECT_FALSE(rig.exchange(query("PSTATUS", "")));  // restarting
  EXPECT_FALSE(rig.send(kRewrite));
  rig.clock.set(3500 + 25000 + 4000 - 1);
  EXPECT_FALSE(rig.exchange(query("PSTATUS", "")));
  rig.clock.set(3500 + 25000 + 4000);
  EXPECT_EQ(rig.status(), "0\r");
  EXPECT_EQ(version(rig), "QM_MASTER 5.00  QM_SLAVE  5.00\r");
  EXPECT_EQ(rig.sim.printer(u"USB001")->imagesAccepted, 1u);
}

TEST(FirmwareTimeline, UpdaterWaitsFitTheDefaults) {
  // The host waits 3000 ms after FLASH_REWRITE, then 1000 ms + 55.25 s after
  // the image before polling once a second.
  Rig rig;
  rig.send(kRewrite);
  rig.clock.advance(3000);
  ASSERT_EQ(rig.status(), "FU1\r");
  rig.clock.advance(500);
  ASSERT_TRUE(sendImage(rig, releaseImage()));
  rig.clock.advance(1000 + 55250 + 1000);
  EXPECT_EQ(rig.status(), "0\r");
}

TEST(FirmwareTimeline, QnPrinterTakesItsImage) {
  Rig rig(defaultConfig(Family::QN));
  rig.send(kRewrite);
  rig.clock.advance(1500);
  ASSERT_EQ(rig.status(), "FU1\r");
  ASSERT_TRUE(sendImage(rig, releaseImage(Family::QN)));
  rig.clock.advance(29000);
  EXPECT_EQ(version(rig), "QN_MASTER 2.00  QN_SLAVE  2.00\r");
}

TEST(FirmwareTimeline, ImageOutsideRewriteModeIsIgnored) {
  Rig rig;
  ASSERT_TRUE(sendImage(rig, releaseImage()));
  EXPECT_EQ(rig.status(), "0\r");
  EXPECT_EQ(rig.sim.printer(u"USB001")->imagesRejected, 1u);
}

struct Damage {
  const char* what;
  std::vector<uint8_t> (*apply)(std::vector<uint8_t>);
};

std::size_t textEnd(const std::vector<uint8_t>& image) {
  std::size_t n = image.size();
  while (n > 0 && image[n - 1] == 0) --n;
  return n;
}

const Damage kDamages[] = {
    {"record checksum", [](std::vector<uint8_t> im) { im[100] = im[100] == 'A' ? 'B' : 'A'; return im; }},
    {"missing record", [](std::vector<uint8_t> im) {
       // Drop the third line (a data record).
       std::string s(im.begin(), im.end());
       std::size_t a = s.find("\r\n", s.find("\r\n") + 2) + 2;
       std::size_t b = s.find("\r\n", a) + 2;
       s.erase(a, b - a);
       std::vector<uint8_t> text(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(textEnd({s.begin(), s.end()})));
       text.resize(zeroFilledLength(text.size()), 0);
       return text;
     }},
    {"zero fill one short", [](std::vector<uint8_t> im) { im.pop_back(); return im; }},
    {"zero fill one long", [](std::vector<uint8_t> im) { im.push_back(0); return im; }},
    {"no zero fill", [](std::vector<uint8_t> im) { im.resize(textEnd(im)); return im; }},
    {"junk in the fill", [](std::vector<uint8_t> im) { im.back() = 'x'; return im; }},
    {"cut in a record", [](std::vector<uint8_t> im) {
       std::vector<uint8_t> text(im.begin(), im.begin() + 5000);
       text.resize(zeroFilledLength(text.size()), 0);
       return text;
     }},
    {"end record missing", [](std::vector<uint8_t> im) {
       std::size_t end = textEnd(im);
       std::vector<uint8_t> text(im.begin(), im.begin() + static_cast<std::ptrdiff_t>(end - 16));  // "S70500000000FA\r\n"
       text.resize(zeroFilledLength(text.size()), 0);
       return text;
     }},
    {"empty", [](std::vector<uint8_t>) { return std::vector<uint8_t>{}; }},
};

TEST(FirmwareImage, DamagedImagesAreRejectedAndTheOldVersionStays) {
  ASSERT_TRUE(checkFirmwareImage(releaseImage()).ok);
  for (const auto& d : kDamages) {
    SCOPED_TRACE(d.what);
    EXPECT_FALSE(checkFirmwareImage(d.apply(releaseImage())).ok);
    Rig rig;
    rig.send(kRewrite);
    rig.clock.advance(1500);
    ASSERT_TRUE(sendImage(rig, d.apply(releaseImage())));
    rig.clock.advance(60000);
    EXPECT_EQ(rig.status(), "FU1\r");
    EXPECT_EQ(version(rig), "QM_MASTER 4.10  QM_SLAVE  4.10\r");
    EXPECT_FALSE(rig.sim.printer(u"USB001")->lastImageError.empty());
    // Ready for a new attempt.
    ASSERT_TRUE(sendImage(rig, releaseImage()));
    rig.clock.advance(29000);
    EXPECT_EQ(version(rig), "QM_MASTER 5.00  QM_SLAVE  5.00\r");
  }
}

TEST(FirmwareImage, EmptyLinesAndLowerCaseHexAreTolerated) {
  std::string text = makeSampleFirmware(Family::QM);
  text.insert(text.find("\r\n") + 2, "\r\n");
  const std::size_t first = text.find("S3");
  for (std::size_t i = first + 2; i < first + 40; ++i)
    text[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
  EXPECT_TRUE(checkFirmwareImage(firmwareImageFromText(text)).ok);
}

TEST(FirmwareFaults, NeverRewriteStayBusyWrongVersionRejectImage) {
  {
    Rig rig;
    rig.sim.setPrinterFaults(u"USB001", make<PrinterFaults>([](PrinterFaults& f) { f.neverRewrite = true; }));
    rig.send(kRewrite);
    rig.clock.advance(10000);
    EXPECT_EQ(rig.status(), "0\r");
  }
  {
    Rig rig;
    rig.sim.setPrinterFaults(u"USB001", make<PrinterFaults>([](PrinterFaults& f) { f.stayBusy = true; }));
    rig.send(kRewrite);
    rig.clock.advance(1500);
    sendImage(rig, releaseImage());
    rig.clock.advance(60000);
    EXPECT_EQ(rig.status(), "1\r");
    EXPECT_EQ(version(rig), "QM_MASTER 5.00  QM_SLAVE  5.00\r");
  }
  {
    Rig rig;
    rig.sim.setPrinterFaults(u"USB001", make<PrinterFaults>([](PrinterFaults& f) { f.wrongVersion = "QM_MASTER 5.00  QM_SLAVE  4.10"; }));
    rig.send(kRewrite);
    rig.clock.advance(1500);
    sendImage(rig, releaseImage());
    rig.clock.advance(60000);
    EXPECT_EQ(rig.status(), "0\r");
    EXPECT_EQ(version(rig), "QM_MASTER 5.00  QM_SLAVE  4.10\r");
  }
  {
    Rig rig;
    rig.sim.setPrinterFaults(u"USB001", make<PrinterFaults>([](PrinterFaults& f) { f.rejectImage = true; }));
    rig.send(kRewrite);
    rig.clock.advance(1500);
    sendImage(rig, releaseImage());
    rig.clock.advance(60000);
    EXPECT_EQ(rig.status(), "FU1\r");
    EXPECT_EQ(rig.sim.printer(u"USB001")->imagesRejected, 1u);
  }
}

}  // namespace
