#include <functional>

#include "library_fixture.h"

namespace qmstat::testing {
namespace {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { lib->attach(&monitor); }
  RecordingMonitor monitor;
  std::unique_ptr<StatusLibrary> lib = std::make_unique<StatusLibrary>();
};

TEST_F(RegistryTest, HandlesCountFromOneAndRepeatForTheSameName) {
  EXPECT_EQ(lib->initialize(u"USB001"), 1);
  EXPECT_EQ(lib->initialize(u"USB002"), 2);
  EXPECT_EQ(lib->initialize(u"USB001"), 1);
  EXPECT_EQ(lib->registeredCount(), 2);
}

TEST_F(RegistryTest, NamesDifferingOnlyInCaseAreDifferentPorts) {
  EXPECT_EQ(lib->initialize(u"usb001"), 1);
  EXPECT_EQ(lib->initialize(u"USB001"), 2);
}

TEST_F(RegistryTest, APrefixOfARegisteredNameIsAnotherPort) {
  EXPECT_EQ(lib->initialize(u"USB0011"), 1);
  EXPECT_EQ(lib->initialize(u"USB001"), 2);
  EXPECT_EQ(lib->initialize(u"USB0011"), 1);
}

TEST_F(RegistryTest, NineteenUnitsFitTwentyDoNot) {
  EXPECT_EQ(lib->initialize(u"ABCDEFGHIJKLMNOPQRS"), 1);
  EXPECT_EQ(lib->initialize(u"ABCDEFGHIJKLMNOPQRST"), -1);
  EXPECT_EQ(lib->initialize(nullptr), -1);
  EXPECT_EQ(lib->registeredCount(), 1);
  lib->getStatus(1);
  EXPECT_EQ(monitor.calls.at(0).port, u"ABCDEFGHIJKLMNOPQRS");
}

TEST_F(RegistryTest, AnEleventhNameIsRefusedAndTheTenKeepTheirHandles) {
  std::u16string names[11];
  for (int i = 0; i < 11; ++i) names[i] = u"PORT" + std::u16string(1, char16_t(u'A' + i));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(lib->initialize(names[i].c_str()), i + 1);
  EXPECT_EQ(lib->initialize(names[10].c_str()), -1);
  EXPECT_EQ(lib->registeredCount(), 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(lib->initialize(names[i].c_str()), i + 1);
}

TEST_F(RegistryTest, DetachForgetsTheRegistrations) {
  lib->initialize(u"USB001");
  lib->initialize(u"USB002");
  lib->detach();
  EXPECT_EQ(lib->registeredCount(), 0);
  EXPECT_EQ(lib->getStatus(1), kStatusNone);
  EXPECT_TRUE(monitor.calls.empty());
  lib->attach(&monitor);
  EXPECT_EQ(lib->initialize(u"USB002"), 1);
}

// Every operation with a handle that names no registered port gives its
// failure value without reaching the monitor.
struct BadHandleCase {
  const char* what;
  std::function<int64_t(StatusLibrary&, int32_t)> call;
  int64_t failure;
};

TEST_F(RegistryTest, BadHandlesFailWithoutCallingTheMonitor) {
  static char text[4097];
  static uint8_t image[24632];
  const BadHandleCase cases[] = {
      {"setCommand", [](StatusLibrary& l, int32_t h) { return l.setCommand(h, "x", 1); }, 0},
      {"getCommand",
       [](StatusLibrary& l, int32_t h) {
         uint32_t n = 7;
         return int64_t{l.getCommand(h, "x", 1, text, 4096, &n)} + n;
       },
       0},
      {"getCommandEx", [](StatusLibrary& l, int32_t h) { return l.getCommandEx(h, "x", 1, text, 4096); }, -1},
      {"status", [](StatusLibrary& l, int32_t h) { return int64_t{l.getStatus(h)}; }, kStatusNone},
      {"version", [](StatusLibrary& l, int32_t h) { return l.textQuery(h, TextQuery::Version, text); }, -1},
      {"pqty", [](StatusLibrary& l, int32_t h) { return l.numberQuery(h, NumberQuery::PQTY); }, -1},
      {"offset", [](StatusLibrary& l, int32_t h) { return l.mediaColorOffset(h); }, -1},
      {"clearA", [](StatusLibrary& l, int32_t h) { return l.clearCounter(h, Counter::A); }, 0},
      {"cutter", [](StatusLibrary& l, int32_t h) { return l.setCutterMode(h, 1); }, -1},
      {"rewrite", [](StatusLibrary& l, int32_t h) { return l.setFirmwUpdateMode(h); }, 0},
      {"fwWrite", [](StatusLibrary& l, int32_t h) { return l.setFirmwDataWrite(h, image, 16); }, -1},
      {"colorWrite", [](StatusLibrary& l, int32_t h) { return l.setColorDataWrite(h, image, 24632); }, -1},
      {"blockWrite", [](StatusLibrary& l, int32_t h) { return l.setColorDataBlock(h, image, 16); }, -1},
      {"versionWrite", [](StatusLibrary& l, int32_t h) { return l.setColorDataVersion(h, "QM0210.QMD", 10); }, -1},
      {"clear", [](StatusLibrary& l, int32_t h) { return l.setColorDataClear(h); }, 0},
      {"mediaId", [](StatusLibrary& l, int32_t h) { return l.mediaIdSetInfo(h); }, -1},
  };
  lib->initialize(u"USB001");
  for (int32_t bad : {0, -1, 2, INT32_MIN}) {
    for (const BadHandleCase& c : cases) {
      EXPECT_EQ(c.call(*lib, bad), c.failure) << c.what << " with handle " << bad;
    }
  }
  EXPECT_TRUE(monitor.calls.empty());
}

TEST(UnboundLibrary, EveryCommandFailsWithoutAMonitor) {
  auto lib = std::make_unique<StatusLibrary>();
  EXPECT_EQ(lib->initialize(u"USB001"), 1);
  EXPECT_EQ(lib->getStatus(1), kStatusNone);
  EXPECT_EQ(lib->setCommand(1, "x", 1), 0);
  char text[4097];
  EXPECT_EQ(lib->textQuery(1, TextQuery::Version, text), -1);
}

}  // namespace
}  // namespace qmstat::testing
