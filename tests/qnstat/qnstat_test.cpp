// What QnStat adds to the shared core: the second FU table of its QmGetStatus,
// the one-block colour control data write and the media ID set query.
#include "../qmstat/library_fixture.h"

namespace qmstat::testing {
namespace {

struct FuRow {
  const char* answer;
  uint32_t getStatus;
  uint32_t qnQmGetStatus;
  friend void PrintTo(const FuRow& r, std::ostream* os) { *os << r.answer; }
};

class QnStatusTest : public LibraryTest, public ::testing::WithParamInterface<FuRow> {};

TEST_P(QnStatusTest, BothStatusFunctionsSideBySide) {
  monitor.reply(GetParam().answer);
  monitor.reply(GetParam().answer);
  EXPECT_EQ(lib->getStatus(handle, FuTable::Standard), GetParam().getStatus);
  EXPECT_EQ(lib->getStatus(handle, FuTable::QnLegacy), GetParam().qnQmGetStatus);
}

INSTANTIATE_TEST_SUITE_P(
    FuRows, QnStatusTest,
    ::testing::Values(FuRow{"FU1", 0x100001, 0x100001}, FuRow{"FU2", 0x100002, 0x100002},
                      FuRow{"FU3", 0x100004, 0x100004}, FuRow{"FU100", 0x100008, kStatusNone},
                      FuRow{"FU101", kStatusNone, 0x100008}, FuRow{"FU200", 0x100010, 0x100010},
                      FuRow{"FU300", 0x100020, 0x100020}, FuRow{"FU4", kStatusNone, kStatusNone},
                      // plain answers are read alike
                      FuRow{"0", 0x10001, 0x10001}, FuRow{"1100\r", 0x10008, 0x10008},
                      FuRow{"3000", 0x80001, 0x80001}, FuRow{"101", kStatusNone, kStatusNone}));

using QnBlockWriteTest = LibraryTest;

TEST_F(QnBlockWriteTest, HeadLengthAndTheCallersImageInThreeSends) {
  std::vector<uint8_t> image(1234, 0x5A);
  monitor.answer({1, {}});
  monitor.answer({1, {}});
  monitor.answer({8, {}});
  EXPECT_EQ(lib->setColorDataBlock(handle, image.data(), 1234), 8);
  ASSERT_EQ(monitor.calls.size(), 3u);
  EXPECT_EQ(monitor.calls[0].input, esc("PTBL_WTCTRLD_UPDATE_QN "));
  EXPECT_EQ(monitor.calls[1].input, "00001234");
  EXPECT_EQ(monitor.calls[2].inputPointer, image.data());
  EXPECT_EQ(monitor.calls[2].input.size(), 1234u);
}

TEST_F(QnBlockWriteTest, SizeZeroSendsAnEmptyThirdPiece) {
  monitor.answer({1, {}});
  monitor.answer({1, {}});
  monitor.answer({3, {}});
  EXPECT_EQ(lib->setColorDataBlock(handle, nullptr, 0), 3);
  ASSERT_EQ(monitor.calls.size(), 3u);
  EXPECT_EQ(monitor.calls[1].input, "00000000");
  EXPECT_TRUE(monitor.calls[2].input.empty());
}

TEST_F(QnBlockWriteTest, Failures) {
  uint8_t image[4] = {};
  monitor.fail();
  EXPECT_EQ(lib->setColorDataBlock(handle, image, 4), -1);
  EXPECT_EQ(monitor.calls.size(), 1u);
  monitor.calls.clear();
  monitor.answer({1, {}});
  monitor.fail();
  EXPECT_EQ(lib->setColorDataBlock(handle, image, 4), -1);
  EXPECT_EQ(monitor.calls.size(), 2u);
  monitor.calls.clear();
  monitor.answer({1, {}});
  monitor.answer({1, {}});
  monitor.fail();
  EXPECT_EQ(lib->setColorDataBlock(handle, image, 4), 0);
  monitor.calls.clear();
  EXPECT_EQ(lib->setColorDataBlock(handle, nullptr, 4), -1);
  EXPECT_EQ(lib->setColorDataBlock(handle, image, 100000000), -1);
  EXPECT_TRUE(monitor.calls.empty());
}

using MediaIdTest = LibraryTest;

TEST_F(MediaIdTest, Answers) {
  struct Case {
    const char* payload;
    int32_t result;
  } cases[] = {{"MDID7", 7}, {"MDID", -1}, {"MDID-1", -1}, {"MDID 12\r", 12},
               {"MEDIA7", -1}, {"7", -1}, {"MDIDx", -1}, {"", -1}};
  for (const Case& c : cases) {
    monitor.reply(c.payload);
    EXPECT_EQ(lib->mediaIdSetInfo(handle), c.result) << c.payload;
  }
  monitor.fail();
  EXPECT_EQ(lib->mediaIdSetInfo(handle), -1);
}

TEST_F(MediaIdTest, ReadsOnlyTheCurrentReply) {
  monitor.reply("MDID12345");
  EXPECT_EQ(lib->mediaIdSetInfo(handle), 12345);
  monitor.reply("MDID");  // "12345" still lies behind it in the reply buffer
  EXPECT_EQ(lib->mediaIdSetInfo(handle), -1);
}

TEST(TwoLibraries, ShareNothing) {
  RecordingMonitor qm, qn;
  auto qmLib = std::make_unique<StatusLibrary>();
  auto qnLib = std::make_unique<StatusLibrary>();
  qmLib->attach(&qm);
  qnLib->attach(&qn);
  EXPECT_EQ(qmLib->initialize(u"USB001"), 1);
  EXPECT_EQ(qnLib->initialize(u"USB002"), 1);
  EXPECT_EQ(qnLib->initialize(u"USB001"), 2);
  EXPECT_EQ(qmLib->registeredCount(), 1);
  qn.reply("FU101");
  qm.reply("0");
  EXPECT_EQ(qnLib->getStatus(2, FuTable::QnLegacy), 0x100008u);
  EXPECT_EQ(qmLib->getStatus(1), 0x10001u);
  EXPECT_EQ(qn.calls.at(0).port, u"USB001");
}

}  // namespace
}  // namespace qmstat::testing
