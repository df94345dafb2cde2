// Asks a window every 100 ms from a thread of its own whether it still
// answers (WM_NULL, as the system does to find hung windows) and keeps the
// longest time one of those messages waited for its answer.
#pragma once
#include <windows.h>

#include <atomic>
#include <thread>

namespace gui {

class ResponsivenessProbe {
 public:
  explicit ResponsivenessProbe(HWND window);
  ~ResponsivenessProbe();
  ResponsivenessProbe(const ResponsivenessProbe&) = delete;
  ResponsivenessProbe& operator=(const ResponsivenessProbe&) = delete;

  // Stops asking; the figure stays.
  void stop();
  unsigned long longestUnansweredMs() const { return longest_.load(); }

 private:
  void run(HWND window);

  std::atomic<bool> stop_{false};
  std::atomic<unsigned long> longest_{0};
  std::thread thread_;
};

}  // namespace gui
