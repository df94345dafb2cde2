// Owned GDI fonts and the program's Japanese-capable UI font.
#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

namespace updater::win32 {

struct FontDeleter {
  void operator()(HFONT font) const { DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// Size in hundredths of a point (975 for 9.75 pt), for a window at this dpi.
Font makeUiFont(int hundredthsOfPoint, bool bold, int dpi);

}  // namespace updater::win32
