#include "win32_dpi.h"

#include <memory>
#include <type_traits>

namespace updater::win32 {
namespace {

template <class Function>
Function lookUp(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

template <class Function>
Function user32(const char* name) {
  return lookUp<Function>(GetModuleHandleW(L"user32.dll"), name);
}

struct LibraryDeleter {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Library = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryDeleter>;

int systemDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 96;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// Windows 8.1: the monitor's dpi; 0 where shcore.dll is missing.
int monitorDpi(HWND window) {
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  constexpr DWORD kSearchSystem32 = 0x800;  // LOAD_LIBRARY_SEARCH_SYSTEM32, not in every SDK at Windows 7
  const Library shcore(LoadLibraryExW(L"shcore.dll", nullptr, kSearchSystem32));
  const auto getDpiForMonitor = lookUp<GetDpiForMonitorFn>(shcore.get(), "GetDpiForMonitor");
  if (getDpiForMonitor == nullptr) return 0;
  UINT x = 0, y = 0;
  constexpr int kEffectiveDpi = 0;
  if (FAILED(getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), kEffectiveDpi, &x, &y))) {
    return 0;
  }
  return static_cast<int>(y);
}

}  // namespace

int windowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  if (const auto getDpiForWindow = user32<GetDpiForWindowFn>("GetDpiForWindow")) {
    if (const UINT dpi = getDpiForWindow(window); dpi != 0) return static_cast<int>(dpi);
  }
  if (const int dpi = monitorDpi(window); dpi != 0) return dpi;
  return systemDpi();
}

int systemMetricForDpi(int index, int dpi) {
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  if (const auto forDpi = user32<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi")) {
    return forDpi(index, static_cast<UINT>(dpi));
  }
  return MulDiv(GetSystemMetrics(index), dpi, systemDpi());
}

SIZE windowSizeForClient(DWORD style, DWORD exStyle, int clientWidth, int clientHeight, int dpi) {
  using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  RECT frame{0, 0, clientWidth, clientHeight};
  const auto adjustForDpi = user32<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  if (adjustForDpi == nullptr || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void enableNonClientScaling(HWND window) {
  using EnableFn = BOOL(WINAPI*)(HWND);
  if (const auto enable = user32<EnableFn>("EnableNonClientDpiScaling")) enable(window);
}

}  // namespace updater::win32
