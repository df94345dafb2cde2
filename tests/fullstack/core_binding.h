// Adapters that put the status library core behind the updater's binding and
// the printer simulator behind the library's monitor, as the DLLs do.
#pragma once
#include <vector>

#include "fakes.h"
#include "printer_sim/simulator.h"
#include "status_library.h"
#include "updater/status_binding.h"

namespace updater::testing {

// The simulator reads the test's virtual clock.
class SimulatorClock final : public printer_sim::Clock {
 public:
  explicit SimulatorClock(const VirtualClock& clock) : clock_(clock) {}
  uint64_t nowMs() override { return clock_.now; }

 private:
  const VirtualClock& clock_;
};

class SimulatorMonitor final : public qmstat::Monitor {
 public:
  explicit SimulatorMonitor(printer_sim::Simulator& sim, std::vector<uint32_t>* codes = nullptr)
      : sim_(sim), codes_(codes) {}
  int32_t ioControl(const char16_t* port, uint32_t code, const void* in, uint32_t inSize, void* out,
                    uint32_t outSize, uint32_t* returned) override {
    if (codes_ != nullptr) codes_->push_back(code);
    return sim_.ioControl(port, code, in, inSize, out, outSize, returned);
  }

 private:
  printer_sim::Simulator& sim_;
  std::vector<uint32_t>* codes_;
};

// The calls the updater makes: QmStat's Qm names and QnStat's plain names
// reach the same core operations.
class CoreBinding final : public StatusBinding {
 public:
  explicit CoreBinding(qmstat::StatusLibrary& lib) : lib_(lib) {}

  int32_t initialize(const char16_t* port) override { return lib_.initialize(port); }
  uint32_t getStatus(int32_t h) override { return lib_.getStatus(h, qmstat::FuTable::Standard); }
  int32_t getFirmwVersion(int32_t h, char* text) override {
    return lib_.textQuery(h, qmstat::TextQuery::Version, text);
  }
  int32_t setFirmwUpdateMode(int32_t h) override { return lib_.setFirmwUpdateMode(h); }
  int32_t setFirmwDataWrite(int32_t h, const void* image, uint32_t length) override {
    return lib_.setFirmwDataWrite(h, image, length);
  }
  int32_t getColorDataVersion(int32_t h, char* text) override {
    return lib_.textQuery(h, qmstat::TextQuery::ColorDataVersion, text);
  }
  int32_t getColorDataChecksum(int32_t h, char* text) override {
    return lib_.textQuery(h, qmstat::TextQuery::ColorDataChecksum, text);
  }
  int32_t setColorDataVersion(int32_t h, const char* text, int32_t length) override {
    return lib_.setColorDataVersion(h, text, length);
  }
  int32_t setColorDataWrite(int32_t h, const void* image, uint32_t size) override {
    return lib_.setColorDataWrite(h, image, size);
  }

 private:
  qmstat::StatusLibrary& lib_;
};

}  // namespace updater::testing
