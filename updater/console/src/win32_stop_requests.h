// Ctrl+C, Ctrl+Break and the console's close, logoff and shutdown events
// during an update: none ends the process in the middle of a printer. The
// handler only records the request; the update stops at the next safe point.
#pragma once
#include "console/tool_host.h"

namespace qmqn::win32 {

class StopRequests final : public StopSignal {
 public:
  // Installs the handler when asked (one per process: the system's handler
  // list is the process's); otherwise Ctrl+C ends the program as usual.
  explicit StopRequests(bool install);
  ~StopRequests();
  StopRequests(const StopRequests&) = delete;
  StopRequests& operator=(const StopRequests&) = delete;

  bool requested() override;
  // While busy, a close, logoff or shutdown event is held in the handler
  // until the command is done, for as long as the system waits.
  void setBusy(bool busy);

 private:
  bool installed_;
};

}  // namespace qmqn::win32
