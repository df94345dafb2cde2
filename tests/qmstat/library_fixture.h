// A status library bound to a recording monitor, with one port registered.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "recording_monitor.h"
#include "status_library.h"

namespace qmstat::testing {

inline constexpr char kEscStr[] = "\x1b";

class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lib->attach(&monitor);
    handle = lib->initialize(u"USB001");
    ASSERT_EQ(handle, 1);
  }
  std::string esc(const std::string& rest) const { return kEscStr + rest; }

  RecordingMonitor monitor;
  std::unique_ptr<StatusLibrary> lib = std::make_unique<StatusLibrary>();
  int32_t handle = 0;
};

}  // namespace qmstat::testing
