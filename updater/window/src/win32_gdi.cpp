#include "win32_gdi.h"

namespace updater::win32 {

Font makeUiFont(int hundredthsOfPoint, bool bold, int dpi) {
  const int height = -MulDiv(hundredthsOfPoint, dpi, 7200);
  // The Shift-JIS charset lets the font mapper fall back to another face
  // that shows Japanese when this one is missing.
  return Font(CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                          SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          VARIABLE_PITCH | FF_SWISS, L"MS PGothic"));
}

}  // namespace updater::win32
