#include "win32_icon.h"

#include "program_resources.h"
#include "win32_dpi.h"

namespace updater::win32 {
namespace {

HANDLE loadIcon(HINSTANCE instance, int size, UINT flags) {
  return LoadImageW(instance, MAKEINTRESOURCEW(QMQN_PROGRAM_ICON), IMAGE_ICON, size, size, flags);
}

}  // namespace

HICON programClassIcon(HINSTANCE instance, bool small) {
  const int size = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
  return static_cast<HICON>(loadIcon(instance, size, LR_SHARED));
}

WindowIcons setWindowIcons(HWND window, HINSTANCE instance, int dpi) {
  WindowIcons icons{Icon(static_cast<HICON>(loadIcon(instance, systemMetricForDpi(SM_CXSMICON, dpi), 0))),
                    Icon(static_cast<HICON>(loadIcon(instance, systemMetricForDpi(SM_CXICON, dpi), 0)))};
  if (icons.small) SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.small.get()));
  if (icons.big) SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.big.get()));
  return icons;
}

}  // namespace updater::win32
