// Top-level windows of the updater: both carry the program title and open
// centred on their monitor, with a client area of the layout table's size
// (pixels at 96 dpi) scaled to the monitor's dpi; both follow a change of dpi.
#pragma once
#include <windows.h>

namespace updater::win32 {

// The class of a top-level window: the program icon, an arrow, the dialog
// face colour. True when it is registered, also by an earlier call.
bool registerTopLevelClass(HINSTANCE instance, const wchar_t* className, WNDPROC proc);

// Created hidden.
HWND createCentredWindow(DWORD exStyle, const wchar_t* className, DWORD style, int clientWidth,
                         int clientHeight, HINSTANCE instance, void* createParam);

// WM_GETDPISCALEDSIZE: the window's size at the coming dpi.
LRESULT answerScaledSize(HWND window, WPARAM wParam, LPARAM lParam, int clientWidth, int clientHeight);
// WM_DPICHANGED: moves the window to the suggested place at its size for the
// new dpi, and returns that dpi.
int moveForNewDpi(HWND window, WPARAM wParam, LPARAM lParam, int clientWidth, int clientHeight);

}  // namespace updater::win32
