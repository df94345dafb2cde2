#include "win32_stop_requests.h"

#include <windows.h>

#include <atomic>

namespace qmqn::win32 {
namespace {

// The handler runs on a thread the system starts; this is all it shares.
std::atomic<bool> g_stopRequested{false};
std::atomic<bool> g_busy{false};

BOOL WINAPI onConsoleEvent(DWORD event) {
  g_stopRequested = true;
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
  // Close, logoff, shutdown: the process ends when this returns, or when the
  // system stops waiting for it (5 s after a close). Until then the run goes
  // on; the close box is greyed during a run so that it rarely comes to this.
  while (g_busy) Sleep(50);
  return TRUE;
}

}  // namespace

StopRequests::StopRequests(bool install) : installed_(install) {
  if (installed_) SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

StopRequests::~StopRequests() {
  if (installed_) SetConsoleCtrlHandler(onConsoleEvent, FALSE);
}

bool StopRequests::requested() { return g_stopRequested; }

void StopRequests::setBusy(bool busy) { g_busy = busy; }

}  // namespace qmqn::win32
