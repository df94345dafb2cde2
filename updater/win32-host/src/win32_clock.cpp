#include "win32_host.h"

namespace updater::win32 {

PumpingClock::PumpingClock(Dispatch dispatch) : dispatch_(std::move(dispatch)) {
  QueryPerformanceFrequency(&frequency_);
}

void PumpingClock::sleep(uint32_t ms) {
  // A window that stops answering for seconds is marked "Not responding",
  // and a technician may then end it in the middle of an update.
  const uint64_t deadline = nowMs() + ms;
  for (;;) {
    const uint64_t now = nowMs();
    if (now >= deadline) return;
    const auto left = static_cast<DWORD>(deadline - now);
    if (MsgWaitForMultipleObjectsEx(0, nullptr, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0) {
      yield();
    }
  }
}

uint64_t PumpingClock::nowMs() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  if (frequency_.QuadPart <= 0) return GetTickCount64();
  const auto ticks = static_cast<uint64_t>(now.QuadPart);
  const auto perSecond = static_cast<uint64_t>(frequency_.QuadPart);
  return ticks / perSecond * 1000 + ticks % perSecond * 1000 / perSecond;
}

void PumpingClock::yield() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    // The message loop after the run ends the program.
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (dispatch_) {
      dispatch_(msg);
    } else {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

}  // namespace updater::win32
