#include <gtest/gtest.h>

#include "updater/release_record.h"
#include "window_rig.h"

namespace updater::testing {
namespace {

std::span<const uint8_t> bytesOf(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(ReleaseRecord, Sha256OfTheStandardMessages) {
  const std::string million(1'000'000, 'a');
  const struct {
    std::string_view message;
    std::string_view digest;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      // 56 bytes: the length no longer fits the first padding block.
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {million, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const auto& c : cases) EXPECT_EQ(hexOf(sha256(bytesOf(c.message))), c.digest) << c.message.substr(0, 8);
}

// A QM printer due for both files, its firmware and colour data recorded as
// the rig's files hold them.
struct RecordedRig : Rig {
  RecordedRig() {
    for (const char* name : {"QM_M0500S0500.S", "QN_M0200S0200.S", "QM0210.QMD"}) {
      digests.push_back(hexOf(sha256(files.files[name].bytes)));
      recorded.push_back({name, digests.back()});
    }
    record.files = recorded;
    qmPrinter(kOldQmVersion, "QM0200.QMD", "1234\r");
  }
  std::vector<std::string> digests;
  std::vector<RecordedFile> recorded;
};

// Any change of a recorded file's bytes stops the run before the printer's
// first command, as a file that can't be opened does.
TEST(ReleaseRecord, AFileThatDiffersFromTheRecordIsNeverSent) {
  const struct {
    const char* what;
    const char* file;
    std::string bytes;
  } cases[] = {
      {"firmware cut after a record", "QM_M0500S0500.S", "S00600004844521B\r\n"},
      {"firmware with one character changed", "QM_M0500S0500.S", "S00600004844521C\r\nS1130000\r\n"},
      {"colour data 3 bytes short", "QM0210.QMD", std::string(24629, '\x11')},
  };
  for (const auto& c : cases) {
    RecordedRig r;
    ASSERT_EQ(r.load(), StartupEnd::UpdateDue);
    r.clearLogs();
    r.files.put(c.file, c.bytes);
    EXPECT_EQ(r.updater.start(), RunEnd::BadFile) << c.what;
    EXPECT_EQ(r.messages.shown, std::vector<std::string>{std::string(c.file) + " File Changed"}) << c.what;
    EXPECT_EQ(r.window.text(Element::Text5), "Printer error.  Push [Close] botton.") << c.what;
    EXPECT_TRUE(r.qm.calls.empty()) << c.what;
    ASSERT_TRUE(r.updater.state().refusedFile) << c.what;
    EXPECT_EQ(r.updater.state().refusedFile->problem, FileProblem::Changed) << c.what;
  }
  RecordedRig intact;
  ASSERT_EQ(intact.load(), StartupEnd::UpdateDue);
  intact.qm.statuses = {kReady, 0x100001};
  intact.qm.firmwareVersion = reply(kQmVersion);
  intact.qm.colorVersion = reply("QM0210.QMD");
  intact.qm.colorChecksum = {"FF32\r", 4};
  EXPECT_EQ(intact.updater.start(), RunEnd::Complete);
}

}  // namespace
}  // namespace updater::testing
