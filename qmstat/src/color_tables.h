// The layout of a QM colour control data image (24,632 bytes, values low
// byte first) as the 60 named tables it is written in, in send order.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace qmstat {

enum class TableForm { Curve, Pair, Triple, Double };

struct ColorTable {
  char nameField[16];  // name, space-filled
  TableForm form;
  uint32_t payloadLength;  // 512, 4 or 16
  uint32_t valueCount;     // 256, 2, 3 or 2
  uint32_t firstOffset;    // image offset of the first value
  uint32_t valueStride;    // image distance between consecutive values
};

inline constexpr size_t kColorTableCount = 60;
const std::array<ColorTable, kColorTableCount>& colorTables();

}  // namespace qmstat
