#include "win32_run_session.h"

namespace qmqn::win32 {
namespace {

constexpr wchar_t kClassName[] = L"QMQN.SessionWindow";
// Set while a run is in progress: the window refuses to end the session.
constexpr wchar_t kRunningProp[] = L"QMQN.Running";

LRESULT CALLBACK sessionProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_QUERYENDSESSION) return GetPropW(hwnd, kRunningProp) ? FALSE : TRUE;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void enableConsoleClose(bool enable) {
  HWND console = GetConsoleWindow();
  if (console == nullptr) return;
  HMENU menu = GetSystemMenu(console, FALSE);
  if (menu != nullptr) EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

RunSession::RunSession() : power_([this] { return window_; }) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = sessionProc;
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
  // Top-level and never shown: a message-only window gets no session messages.
  window_ = CreateWindowExW(0, kClassName, L"QM/QN Version Up Tool", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                            instance, nullptr);
}

RunSession::~RunSession() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void RunSession::runStarted() {
  if (window_ != nullptr) SetPropW(window_, kRunningProp, reinterpret_cast<HANDLE>(uintptr_t{1}));
  power_.runStarted();
  enableConsoleClose(false);
}

void RunSession::runEnded() {
  enableConsoleClose(true);
  power_.runEnded();
  if (window_ != nullptr) RemovePropW(window_, kRunningProp);
}

}  // namespace qmqn::win32
