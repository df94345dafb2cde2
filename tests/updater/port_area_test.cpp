#include "updater/port_area.h"

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
  const std::string field = "USB001\0"s;
  EXPECT_EQ(usablePortName(GetParam().attributes, field), GetParam().usable ? "USB001" : "");
}

INSTANTIATE_TEST_SUITE_P(Rows, PortAttributes,
                         ::testing::Values(AttributeRow{0x840, true}, AttributeRow{0x800, true},
                                           AttributeRow{0xC40, false}, AttributeRow{0xC00, false},
                                           AttributeRow{0x040, false}, AttributeRow{0x400, false},
                                           AttributeRow{0x0, false},
                                           AttributeRow{0xFFFFFBFF, true}));

TEST(PortArea, SixtyThreeBytesFitWhole) {
  const std::string name(63, 'P');
  EXPECT_EQ(usablePortName(0x840, name + '\0' + "tail"), name);
}

TEST(PortArea, SixtyFourBytesAreRefused) {
  const std::string name(64, 'P');
  EXPECT_EQ(usablePortName(0x840, name + '\0'), "");
}

TEST(PortArea, NameWithoutNulInsideTheFieldIsRefused) {
  EXPECT_EQ(usablePortName(0x840, "USB001"), "");
  EXPECT_EQ(usablePortName(0x840, ""), "");
}

TEST(PortArea, PassedOnUnchanged) {
  EXPECT_EQ(usablePortName(0x840, " usb001, LPT1: \0"s), " usb001, LPT1: ");
  EXPECT_EQ(usablePortName(0x840, "\x83|\x81[\x83g\0"s), "\x83|\x81[\x83g");
  EXPECT_EQ(usablePortName(0x840, "\0"s), "");
}

}  // namespace
}  // namespace updater
