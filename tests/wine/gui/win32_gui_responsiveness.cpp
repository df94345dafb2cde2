#include "win32_gui_responsiveness.h"

namespace gui {

ResponsivenessProbe::ResponsivenessProbe(HWND window) : thread_([this, window] { run(window); }) {}

ResponsivenessProbe::~ResponsivenessProbe() { stop(); }

void ResponsivenessProbe::stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void ResponsivenessProbe::run(HWND window) {
  while (!stop_ && IsWindow(window)) {
    const ULONGLONG sent = GetTickCount64();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 300000, &ignored);
    const auto waited = static_cast<unsigned long>(GetTickCount64() - sent);
    if (waited > longest_) longest_ = waited;
    if (waited < 100) Sleep(100 - waited);
  }
}

}  // namespace gui
