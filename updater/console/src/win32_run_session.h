// What guards a run of the console program: a hidden top-level window that
// asks a shutdown or logoff to wait (with the reason the window program
// shows), the system kept awake, and the console window's close box greyed.
#pragma once
#include <windows.h>

#include "updater/host.h"
#include "win32_host.h"

namespace qmqn::win32 {

class RunSession final : public updater::RunGuard {
 public:
  RunSession();
  ~RunSession();
  RunSession(const RunSession&) = delete;
  RunSession& operator=(const RunSession&) = delete;

  void runStarted() override;
  void runEnded() override;

 private:
  HWND window_ = nullptr;
  updater::win32::PowerRunGuard power_;
};

}  // namespace qmqn::win32
