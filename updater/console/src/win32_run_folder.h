// The runs folder as qmqn reads it: every run file, whether its process
// still holds it, and whether a cut-off run was already reported.
#pragma once
#include "console/run_history.h"

namespace qmqn::win32 {

// Larger files are not run records and are not read.
inline constexpr unsigned kMaxRunFileBytes = 4u << 20;

class HostRunFolder final : public RunFolder {
 public:
  std::vector<File> files() override;
  void markNoticed(const std::string& name) override;
};

}  // namespace qmqn::win32
