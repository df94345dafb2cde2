// The program icon in the sizes a window needs at its dpi.
#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

namespace updater::win32 {

struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// For a window class: shared, at the system's sizes.
HICON programClassIcon(HINSTANCE instance, bool small);

struct WindowIcons {
  Icon small;
  Icon big;
};
// Sets the title bar and task bar icons for the window's dpi; keep the
// result until the window is gone or has new ones.
WindowIcons setWindowIcons(HWND window, HINSTANCE instance, int dpi);

}  // namespace updater::win32
