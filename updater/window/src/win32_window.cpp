#include "win32_window.h"

#include <algorithm>
#include <string>

#include "window/dpi_scale.h"
#include "updater/texts.h"
#include "win32_dpi.h"
#include "win32_icon.h"
#include "win32_text.h"

namespace updater::win32 {

bool registerTopLevelClass(HINSTANCE instance, const wchar_t* className, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = programClassIcon(instance, false);
  wc.hIconSm = programClassIcon(instance, true);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = className;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
namespace {

constexpr UINT kMoveOnly = SWP_NOZORDER | SWP_NOACTIVATE;

SIZE sizeAtDpi(HWND window, int clientWidth, int clientHeight, int dpi) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  return windowSizeForClient(style, exStyle, scaleToDpi(clientWidth, dpi), scaleToDpi(clientHeight, dpi), dpi);
}

}  // namespace

HWND createCentredWindow(DWORD exStyle, const wchar_t* className, DWORD style, int clientWidth,
                         int clientHeight, HINSTANCE instance, void* createParam) {
  // Made at its 96-dpi size in the middle of the primary screen, so that it
  // starts on that monitor, then sized for that monitor's dpi.
  const SIZE first = windowSizeForClient(style, exStyle, clientWidth, clientHeight, kBaseDpi);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - first.cx) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - first.cy) / 2;
  const std::wstring title = utf8ToWide(kProgramTitle);
  HWND window = CreateWindowExW(exStyle, className, title.c_str(), style, x, y, first.cx, first.cy, nullptr,
                                nullptr, instance, createParam);
  if (window == nullptr) return nullptr;

  const SIZE size = sizeAtDpi(window, clientWidth, clientHeight, windowDpi(window));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    SetRect(&monitor.rcWork, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  }
  const RECT& work = monitor.rcWork;
  // The caption stays on the screen when the window is larger than it.
  const int left = std::max(work.left, work.left + (work.right - work.left - size.cx) / 2);
  const int top = std::max(work.top, work.top + (work.bottom - work.top - size.cy) / 2);
  SetWindowPos(window, nullptr, left, top, size.cx, size.cy, kMoveOnly);
  return window;
}

LRESULT answerScaledSize(HWND window, WPARAM wParam, LPARAM lParam, int clientWidth, int clientHeight) {
  *reinterpret_cast<SIZE*>(lParam) = sizeAtDpi(window, clientWidth, clientHeight, static_cast<int>(wParam));
  return TRUE;
}

int moveForNewDpi(HWND window, WPARAM wParam, LPARAM lParam, int clientWidth, int clientHeight) {
  const int dpi = HIWORD(wParam);
  const auto* suggested = reinterpret_cast<const RECT*>(lParam);
  const SIZE size = sizeAtDpi(window, clientWidth, clientHeight, dpi);
  SetWindowPos(window, nullptr, suggested->left, suggested->top, size.cx, size.cy, kMoveOnly);
  return dpi;
}

}  // namespace updater::win32
