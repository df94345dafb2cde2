// The dpi of a window and what depends on it. The functions that came with
// Windows 8.1 and 10 are looked up at run time, so the program still starts
// on Windows 7, where the system dpi applies to every window.
#pragma once
#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

namespace updater::win32 {

int windowDpi(HWND window);
// GetSystemMetrics at a dpi.
int systemMetricForDpi(int index, int dpi);
// The outer size of a window with this client size (pixels at dpi).
SIZE windowSizeForClient(DWORD style, DWORD exStyle, int clientWidth, int clientHeight, int dpi);
// Call on WM_NCCREATE: Windows 10 1607 scales the caption of a per-monitor
// (v1) window only when asked; later versions ignore it.
void enableNonClientScaling(HWND window);

}  // namespace updater::win32
