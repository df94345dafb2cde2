#include "window/dpi_scale.h"

#include <cstdint>

namespace updater {

int scaleToDpi(int value, int dpi) {
  const int64_t product = static_cast<int64_t>(value) * dpi;
  const int64_t half = kBaseDpi / 2;
  const int64_t scaled = product >= 0 ? (product + half) / kBaseDpi : -((-product + half) / kBaseDpi);
  return static_cast<int>(scaled);
}

PixelRect scaleToDpi(const PixelRect& rect, int dpi) {
  const int left = scaleToDpi(rect.left, dpi);
  const int top = scaleToDpi(rect.top, dpi);
  return {left, top, scaleToDpi(rect.left + rect.width, dpi) - left,
          scaleToDpi(rect.top + rect.height, dpi) - top};
}

}  // namespace updater
