#include "win32_host.h"

namespace updater::win32 {
namespace {
constexpr wchar_t kShutdownReason[] = L"Updating printer firmware - do not switch off";
constexpr uintptr_t kReported = 0x100;
}  // namespace

void PowerRunGuard::runStarted() {
  HWND hwnd = window_ ? window_() : nullptr;
  uintptr_t held = 0;
  if (SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) != 0) held |= 1;
  if (hwnd && ShutdownBlockReasonCreate(hwnd, kShutdownReason)) held |= 2;
  if (hwnd && reportProperty_) SetPropW(hwnd, reportProperty_, reinterpret_cast<HANDLE>(held | kReported));
}

void PowerRunGuard::runEnded() {
  HWND hwnd = window_ ? window_() : nullptr;
  if (hwnd) ShutdownBlockReasonDestroy(hwnd);
  SetThreadExecutionState(ES_CONTINUOUS);
  if (hwnd && reportProperty_) SetPropW(hwnd, reportProperty_, reinterpret_cast<HANDLE>(kReported));
}

}  // namespace updater::win32
