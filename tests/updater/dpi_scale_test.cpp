#include "window/dpi_scale.h"

#include <gtest/gtest.h>

namespace updater {
namespace {

struct ScaleRow {
  int value;
  int dpi;
  int want;
};

constexpr ScaleRow kRows[] = {
    {13, 96, 13},    {13, 120, 16},    {13, 144, 20},    {13, 168, 23},   {13, 192, 26},
    {1, 144, 2},     {-1, 144, -2},    {7, 120, 9},      {-7, 120, -9},   {0, 192, 0},
    {-100, 120, -125}, {-90, 120, -113}, {-100, 168, -175}, {452, 168, 791}, {975, 144, 1463},
};

TEST(ScaleToDpi, RoundsHalfAwayFromZero) {
  for (const ScaleRow& row : kRows) {
    EXPECT_EQ(scaleToDpi(row.value, row.dpi), row.want) << row.value << " at " << row.dpi;
  }
}

TEST(ScaleToDpi, RectanglesScaleByTheirEdges) {
  // A 13-pixel marker is 20 or 19 pixels wide at 150 %, by where it starts.
  EXPECT_EQ(scaleToDpi(PixelRect{24, 24, 13, 13}, 144), (PixelRect{36, 36, 20, 20}));
  EXPECT_EQ(scaleToDpi(PixelRect{25, 25, 13, 13}, 144), (PixelRect{38, 38, 19, 19}));
  // The off-screen focus holder stays off screen.
  EXPECT_EQ(scaleToDpi(PixelRect{-100, -100, 10, 10}, 120), (PixelRect{-125, -125, 12, 12}));
}

}  // namespace
}  // namespace updater
