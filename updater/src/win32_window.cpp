#include "win32_window.h"

#include <string>

#include "updater/texts.h"
#include "win32_text.h"

namespace updater::win32 {

HWND createCentredWindow(DWORD exStyle, const wchar_t* className, DWORD style, int clientWidth,
                         int clientHeight, HINSTANCE instance, void* createParam) {
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  const std::wstring title = utf8ToWide(kProgramTitle);
  return CreateWindowExW(exStyle, className, title.c_str(), style, x, y, width, height, nullptr, nullptr,
                         instance, createParam);
}

}  // namespace updater::win32
