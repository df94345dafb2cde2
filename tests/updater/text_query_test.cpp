#include <gtest/gtest.h>

#include "fakes.h"
#include "updater/text_query.h"

namespace updater::testing {
namespace {

QueryBuffer bufferWith(std::string_view content) {
  QueryBuffer b;
  std::memcpy(b.bytes, content.data(), content.size());
  return b;
}

TEST(ReplyText, TakesAtMostTheCountBeforeTheNul) {
  FakeCodePage cp;
  const QueryBuffer b = bufferWith("FF32\r");
  EXPECT_EQ(replyText(b, 4, cp), "FF32");
  EXPECT_EQ(replyText(b, 2, cp), "FF");
  EXPECT_EQ(replyText(b, 40, cp), "FF32\r");  // stops at the NUL
  EXPECT_EQ(replyText(b, 0, cp), "");
  EXPECT_EQ(replyText(b, -1, cp), "");
}

TEST(ReplyText, NeverReadsPastTheBuffer) {
  FakeCodePage cp;
  QueryBuffer b;
  std::memset(b.bytes, 'A', sizeof b.bytes);  // no NUL at all
  EXPECT_EQ(replyText(b, INT32_MAX, cp).size(), kQueryBufferSize - 1);
}

TEST(ReplyText, DoesNotSplitADoubleByteCharacter) {
  FakeCodePage cp;
  cp.dbcs = true;
  const QueryBuffer b = bufferWith("AB\x82\xA0");
  EXPECT_EQ(replyText(b, 3, cp), "AB");
  EXPECT_EQ(replyText(b, 4, cp).size(), 2u + 4u);  // two bytes, each shown as two
  const QueryBuffer lone = bufferWith("A\x82");
  EXPECT_EQ(replyText(lone, 5, cp), "A");
}

TEST(ReleaseComparison, TrimsBlanksOnlyAndIsCaseSensitive) {
  EXPECT_TRUE(sameRelease("FF32", "  FF32 "));
  EXPECT_FALSE(sameRelease("FF32", "ff32"));
  EXPECT_FALSE(sameRelease("FF32", "FF32\r"));
  EXPECT_FALSE(sameRelease("FF32", "\tFF32"));
  EXPECT_TRUE(sameRelease("", "   "));
  EXPECT_EQ(trimBlanks("  a b  "), "a b");
  EXPECT_EQ(upperCase("qm0210.qmd"), "QM0210.QMD");
  EXPECT_EQ(upperCase("\xC3\xA9x"), "\xC3\xA9X");
}

}  // namespace
}  // namespace updater::testing
