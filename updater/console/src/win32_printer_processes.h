// Printer processes as children of this qmqn: standard input and output on
// pipes (the parent's ends not inherited), standard error on the output
// pipe, each in a process group of its own so that Ctrl+C reaches them only
// as the parent's "stop" line.
#pragma once
#include <windows.h>

#include <map>

#include "console/printer_processes.h"

namespace qmqn::win32 {

class ChildProcesses final : public PrinterProcesses {
 public:
  ChildProcesses() = default;
  // Closing their input asks processes still running to stop.
  ~ChildProcesses();
  ChildProcesses(const ChildProcesses&) = delete;
  ChildProcesses& operator=(const ChildProcesses&) = delete;

  std::optional<int> start(const std::vector<std::string>& arguments) override;
  Event next(uint32_t timeoutMs) override;
  void requestStop(int id) override;

 private:
  struct Child {
    HANDLE process = nullptr;
    HANDLE input = nullptr;   // its standard input, written here
    HANDLE output = nullptr;  // its standard output and error, read here
  };
  static void close(Child& child);
  std::map<int, Child> children_;
  int nextId_ = 1;
};

// The printer process's side: a "stop" line on standard input, or its end.
bool stopAskedOnInput();

}  // namespace qmqn::win32
