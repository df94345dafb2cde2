#include "color_tables.h"

#include <string_view>

namespace qmstat {
namespace {

// Each group is four tables, one per channel Y, M, C, OP, named
// <base>_<channel><suffix>. Groups are listed in send order: E_Epsilon goes
// sixth although its curves lie last in the image.
struct TableGroup {
  std::string_view base;
  std::string_view suffix;
  TableForm form;
  uint32_t firstOffset;  // channel Y; each further channel adds channelStride
  uint32_t channelStride;
  uint32_t valueStride;
};

constexpr uint32_t curveAt(uint32_t k) { return 16 + 512 * k; }

constexpr TableGroup kGroups[] = {
    {"HeadTemp", "", TableForm::Curve, curveAt(0), 512, 2},
    {"MediaTemp", "", TableForm::Curve, curveAt(4), 512, 2},
    {"TempCoef", "", TableForm::Curve, curveAt(8), 512, 2},
    {"STB_Gamma", "", TableForm::Curve, curveAt(12), 512, 2},
    {"E_Gamma", "", TableForm::Curve, curveAt(16), 512, 2},
    {"E_Epsilon", "", TableForm::Curve, curveAt(44), 512, 2},
    {"C_Gamma", "", TableForm::Curve, curveAt(20), 512, 2},
    {"C_Theta", "", TableForm::Curve, curveAt(24), 512, 2},
    {"C_Epsilon", "", TableForm::Curve, curveAt(28), 512, 2},
    {"G_Gamma", "", TableForm::Curve, curveAt(32), 512, 2},
    {"G_Theta", "", TableForm::Curve, curveAt(36), 512, 2},
    {"G_Epsilon", "", TableForm::Curve, curveAt(40), 512, 2},
    {"E_Gamma", "_SE", TableForm::Pair, 0, 2, 8},
    {"C_Sigma", "", TableForm::Triple, 24592, 2, 8},
    {"G_Sigma", "", TableForm::Double, 24616, 2, 8},
};
constexpr std::string_view kChannels[] = {"Y", "M", "C", "OP"};

struct FormShape {
  uint32_t payloadLength;
  uint32_t valueCount;
};

constexpr FormShape shapeOf(TableForm form) {
  switch (form) {
    case TableForm::Curve: return {512, 256};
    case TableForm::Pair: return {4, 2};
    case TableForm::Triple: return {16, 3};
    case TableForm::Double: return {16, 2};
  }
  return {0, 0};
}

constexpr std::array<ColorTable, kColorTableCount> buildTables() {
  std::array<ColorTable, kColorTableCount> tables{};
  size_t i = 0;
  for (const TableGroup& group : kGroups) {
    for (uint32_t channel = 0; channel < 4; ++channel, ++i) {
      ColorTable& t = tables[i];
      size_t at = 0;
      for (std::string_view part : {group.base, std::string_view{"_"}, kChannels[channel], group.suffix}) {
        for (char c : part) t.nameField[at++] = c;
      }
      while (at < sizeof t.nameField) t.nameField[at++] = ' ';
      const FormShape shape = shapeOf(group.form);
      t.form = group.form;
      t.payloadLength = shape.payloadLength;
      t.valueCount = shape.valueCount;
      t.firstOffset = group.firstOffset + channel * group.channelStride;
      t.valueStride = group.valueStride;
    }
  }
  return tables;
}

constexpr std::array<ColorTable, kColorTableCount> kTables = buildTables();

}  // namespace

const std::array<ColorTable, kColorTableCount>& colorTables() {
  return kTables;
}

}  // namespace qmstat
