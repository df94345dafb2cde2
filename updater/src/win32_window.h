// Top-level windows of the updater: both carry the program title and open
// centred on the screen with a client area of the given size.
#pragma once
#include <windows.h>

namespace updater::win32 {

HWND createCentredWindow(DWORD exStyle, const wchar_t* className, DWORD style, int clientWidth,
                         int clientHeight, HINSTANCE instance, void* createParam);

}  // namespace updater::win32
