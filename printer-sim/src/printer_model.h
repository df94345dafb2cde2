// One simulated printer: answers command frames and moves through the
// firmware update timeline on the injected clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "frame_assembler.h"
#include "printer_sim/config.h"
#include "printer_sim/printer_state.h"

namespace printer_sim {

struct Handled {
  bool known = false;    // a command this printer understands
  bool changed = false;  // persistent state changed
  std::optional<std::vector<uint8_t>> reply;  // payload, for an exchange
};

class PrinterModel {
public:
  PrinterModel(const PrinterConfig& config, const Timings& timings);

  // Applies the transitions due by `now`; true when the state changed.
  bool advance(uint64_t now);
  Handled handle(const Frame& frame, uint64_t now);
  bool restarting() const { return state_.mode == Mode::Restarting; }
  uint16_t checksum() const;

  PrinterState& state() { return state_; }
  const PrinterState& state() const { return state_; }
  std::string statusAnswer;
  std::string busyAnswer;
  PrinterFaults faults;

private:
  std::string currentStatus() const;
  Handled info(const std::string& name) const;
  Handled flashRewrite(uint64_t now);
  Handled flashProgram(const Frame& frame, uint64_t now);
  Handled tableWrite(const Frame& frame);
  Handled tableClear();

  PrinterState state_;
  Timings timings_;
  std::string serial_;
};

}  // namespace printer_sim
