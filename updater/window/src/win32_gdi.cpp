#include "win32_gdi.h"

#include "window/automation.h"

namespace updater::win32 {

Font makeUiFont(int hundredthsOfPoint, bool bold, int dpi) {
  const int height = -MulDiv(hundredthsOfPoint, dpi, 7200);
  return Font(CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                          kUiFontCharset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          VARIABLE_PITCH | FF_SWISS, kUiFontFace));
}

}  // namespace updater::win32
