// Positions and sizes of the 96-dpi layout tables at another dpi.
#pragma once
#include "window/form_layout.h"

namespace updater {

inline constexpr int kBaseDpi = 96;

// value * dpi / 96, rounded half away from zero (as MulDiv does), so that a
// negative position scales like its mirror image.
int scaleToDpi(int value, int dpi);

// Scales the edges, not the size: controls that touch or stand apart at 96
// dpi still do at every dpi, and a marker pair stays on one spot.
PixelRect scaleToDpi(const PixelRect& rect, int dpi);

}  // namespace updater
