// Bad input into every operation: null pointers, and replies that announce
// more than they carry. Each gives the operation's failure value; none crashes
// or reads or writes outside the caller's bytes.
#include <functional>

#include "library_fixture.h"

namespace qmstat::testing {
namespace {

struct NullCase {
  const char* what;
  std::function<int64_t(StatusLibrary&, int32_t)> call;
  int64_t failure;
  bool reachesMonitor;  // a null that is harmless (e.g. no byte count wanted) still runs
};

using BadInputTest = LibraryTest;

TEST_F(BadInputTest, NullPointersIntoEveryOperation) {
  static char buffer[4097];
  const NullCase cases[] = {
      {"initialize", [](StatusLibrary& l, int32_t) { return l.initialize(nullptr); }, -1, false},
      {"setCommand data", [](StatusLibrary& l, int32_t h) { return l.setCommand(h, nullptr, 4); }, 0, false},
      {"getCommand command", [](StatusLibrary& l, int32_t h) { return l.getCommand(h, nullptr, 4, buffer, 16, nullptr); }, 0, false},
      {"getCommand reply", [](StatusLibrary& l, int32_t h) { uint32_t n; return l.getCommand(h, "c", 1, nullptr, 16, &n); }, 0, false},
      {"getCommandEx command", [](StatusLibrary& l, int32_t h) { return l.getCommandEx(h, nullptr, 4, buffer, 16); }, -1, false},
      {"version", [](StatusLibrary& l, int32_t h) { return l.textQuery(h, TextQuery::Version, nullptr); }, -1, false},
      {"sensor", [](StatusLibrary& l, int32_t h) { return l.textQuery(h, TextQuery::SensorInfo, nullptr); }, -1, false},
      {"media", [](StatusLibrary& l, int32_t h) { return l.textQuery(h, TextQuery::Media, nullptr); }, -1, false},
      {"lot", [](StatusLibrary& l, int32_t h) { return l.textQuery(h, TextQuery::MediaLotNo, nullptr); }, -1, false},
      {"serial", [](StatusLibrary& l, int32_t h) { return l.textQuery(h, TextQuery::SerialNo, nullptr); }, -1, false},
      {"colour version", [](StatusLibrary& l, int32_t h) { return l.textQuery(h, TextQuery::ColorDataVersion, nullptr); }, -1, false},
      {"checksum", [](StatusLibrary& l, int32_t h) { return l.textQuery(h, TextQuery::ColorDataChecksum, nullptr); }, -1, false},
      {"firmware image", [](StatusLibrary& l, int32_t h) { return l.setFirmwDataWrite(h, nullptr, 10); }, -1, false},
      {"colour image", [](StatusLibrary& l, int32_t h) { return l.setColorDataWrite(h, nullptr, 24632); }, -1, false},
      {"block image", [](StatusLibrary& l, int32_t h) { return l.setColorDataBlock(h, nullptr, 10); }, -1, false},
      {"version text", [](StatusLibrary& l, int32_t h) { return l.setColorDataVersion(h, nullptr, 10); }, -1, false},
  };
  for (const NullCase& c : cases) {
    monitor.calls.clear();
    EXPECT_EQ(c.call(*lib, handle), c.failure) << c.what;
    EXPECT_EQ(!monitor.calls.empty(), c.reachesMonitor) << c.what;
  }
  // Without a count pointer the exchange still runs; the count is not wanted.
  monitor.reply("0");
  EXPECT_EQ(lib->getCommand(handle, "c", 1, buffer, 16, nullptr), 1);
}

// Every query against a reply whose length field promises 20 bytes and
// carries 3: a broken exchange, so each gives its failure value.
TEST_F(BadInputTest, RepliesAnnouncingMoreThanTheyCarry) {
  char buffer[4097] = "untouched";
  const std::string liar = "00000020abc";
  auto lie = [&] { monitor.answer({1, liar}); };
  lie();
  EXPECT_EQ(lib->getStatus(handle), kStatusNone);
  for (TextQuery q : {TextQuery::Version, TextQuery::SensorInfo, TextQuery::Media, TextQuery::MediaLotNo,
                      TextQuery::SerialNo, TextQuery::ColorDataVersion, TextQuery::ColorDataChecksum}) {
    lie();
    EXPECT_EQ(lib->textQuery(handle, q, buffer), -1);
  }
  EXPECT_STREQ(buffer, "untouched");
  for (int q = 0; q <= static_cast<int>(NumberQuery::MediaCounter); ++q) {
    lie();
    EXPECT_EQ(lib->numberQuery(handle, static_cast<NumberQuery>(q)), -1);
  }
  lie();
  EXPECT_EQ(lib->mediaColorOffset(handle), -1);
  lie();
  EXPECT_EQ(lib->mediaIdSetInfo(handle), -1);
}

}  // namespace
}  // namespace qmstat::testing
