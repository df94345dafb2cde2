#include "win32_host.h"

namespace updater::win32 {
namespace {
constexpr wchar_t kShutdownReason[] = L"Updating printer firmware - do not switch off";
// What was granted, on the window, for the GUI tests to read.
constexpr wchar_t kRunGuardProp[] = L"QMQN.RunGuard";
}  // namespace

void PowerRunGuard::runStarted() {
  HWND hwnd = window_ ? window_() : nullptr;
  uintptr_t held = 0;
  if (SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) != 0) held |= 1;
  if (hwnd && ShutdownBlockReasonCreate(hwnd, kShutdownReason)) held |= 2;
  if (hwnd) SetPropW(hwnd, kRunGuardProp, reinterpret_cast<HANDLE>(held | 0x100));
}

void PowerRunGuard::runEnded() {
  HWND hwnd = window_ ? window_() : nullptr;
  if (hwnd) ShutdownBlockReasonDestroy(hwnd);
  SetThreadExecutionState(ES_CONTINUOUS);
  if (hwnd) SetPropW(hwnd, kRunGuardProp, reinterpret_cast<HANDLE>(uintptr_t{0x100}));
}

}  // namespace updater::win32
