#include "updater/usable_port.h"

#include <gtest/gtest.h>

#include <string>

namespace updater {
namespace {

using namespace std::string_literals;

struct AttributeRow {
  uint32_t attributes;
  bool usable;
};

class PortAttributes : public ::testing::TestWithParam<AttributeRow> {};

TEST_P(PortAttributes, OnlineWithBidirectionalSupportIsUsable) {
  const std::u16string field = u"USB001\0"s;
  EXPECT_EQ(usablePortName(GetParam().attributes, field), GetParam().usable ? u"USB001" : u"");
}

INSTANTIATE_TEST_SUITE_P(Rows, PortAttributes,
                         ::testing::Values(AttributeRow{0x840, true}, AttributeRow{0x800, true},
                                           AttributeRow{0xC40, false}, AttributeRow{0xC00, false},
                                           AttributeRow{0x040, false}, AttributeRow{0x400, false},
                                           AttributeRow{0x0, false},
                                           AttributeRow{0xFFFFFBFF, true}));

TEST(PortArea, NineteenUnitsFitTheLibraryRegistry) {
  const std::u16string name(19, u'P');
  EXPECT_EQ(usablePortName(0x840, name + u'\0' + u"tail"), name);
}

TEST(PortArea, TwentyUnitsAreLeftOut) {
  const std::u16string name(20, u'P');
  EXPECT_EQ(usablePortName(0x840, name + u'\0'), u"");
}

TEST(PortArea, NameWithoutNulInsideTheFieldIsRefused) {
  EXPECT_EQ(usablePortName(0x840, u"USB001"), u"");
  EXPECT_EQ(usablePortName(0x840, u""), u"");
}

TEST(PortArea, PassedOnUnchanged) {
  EXPECT_EQ(usablePortName(0x840, u" usb001, LPT1: \0"s), u" usb001, LPT1: ");
  EXPECT_EQ(usablePortName(0x840, u"\u041F\u043E\u0440\u0442\0"s), u"\u041F\u043E\u0440\u0442");
  EXPECT_EQ(usablePortName(0x840, u"\0"s), u"");
}

}  // namespace
}  // namespace updater
