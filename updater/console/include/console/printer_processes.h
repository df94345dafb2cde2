// The printer processes of a parallel update, as the parent sees them: each
// a qmqn started with arguments, whose standard output comes back in pieces,
// that ends with an exit code, and that can be asked to stop.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qmqn {

class PrinterProcesses {
 public:
  // Starts this program with the arguments (UTF-8); its id, or none when it
  // could not be started.
  virtual std::optional<int> start(const std::vector<std::string>& arguments) = 0;

  struct Event {
    enum class Kind { None, Output, Ended };
    Kind kind = Kind::None;
    int id = 0;
    std::string bytes;  // with Output
    int exitCode = 0;   // with Ended: its output has all come before
  };
  // The next thing a running process did, waiting up to timeoutMs; None when
  // nothing happened in that time.
  virtual Event next(uint32_t timeoutMs) = 0;
  // Asks the process to stop once its printer is safe.
  virtual void requestStop(int id) = 0;

 protected:
  ~PrinterProcesses() = default;
};

}  // namespace qmqn
