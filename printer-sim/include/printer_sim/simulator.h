// A stand-in for the printer driver's language monitor: MonitorIoControl's
// contract in front of one simulated printer per configured port.
//
//   0x220038 send:     the input bytes go to the printer; frames may span
//                      several sends and are reassembled per port.
//   0x22003C exchange: the input must hold whole frames; the reply of the last
//                      one comes back as 8 decimal digits of length + payload.
//   Result 0 (failure): unknown port, injected fault, printer restarting,
//   exchange without a reply, or an output area too small for the reply
//   (then nothing is written and *returned is 0).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "printer_sim/config.h"
#include "printer_sim/printer_state.h"

namespace printer_sim {

inline constexpr uint32_t kSendCode = 0x220038;
inline constexpr uint32_t kExchangeCode = 0x22003C;

class Clock {
public:
  virtual ~Clock() = default;
  virtual uint64_t nowMs() = 0;
};

// A clock that only moves when told to; for tests.
class ManualClock final : public Clock {
public:
  uint64_t nowMs() override { return now_; }
  void advance(uint64_t ms) { now_ += ms; }
  void set(uint64_t ms) { now_ = ms; }

private:
  uint64_t now_ = 0;
};

// Where the printers' state lives between runs. save() replaces it whole;
// update() replaces it with change(what it holds), and a store shared by
// several processes does that under a lock of its own.
class StateStore {
public:
  virtual ~StateStore() = default;
  virtual std::optional<std::string> load() = 0;
  virtual bool save(std::string_view text) = 0;
  virtual bool update(const std::function<std::string(std::optional<std::string>)>& change) {
    return save(change(load()));
  }
};

class MemoryStateStore final : public StateStore {
public:
  std::optional<std::string> load() override { return text_; }
  bool save(std::string_view text) override {
    text_ = std::string(text);
    ++saves_;
    return true;
  }
  uint32_t saves() const { return saves_; }

private:
  std::optional<std::string> text_;
  uint32_t saves_ = 0;
};

// One line per monitor call, without line end.
class TraceSink {
public:
  virtual ~TraceSink() = default;
  virtual void write(std::string_view line) = 0;
};

class Simulator {
public:
  Simulator(Config config, Clock& clock, StateStore* store = nullptr, TraceSink* trace = nullptr);
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // MonitorIoControl. Returns 1 on success, 0 on failure.
  int32_t ioControl(const char16_t* port, uint32_t code, const void* in, uint32_t inSize,
                    void* out, uint32_t outSize, uint32_t* returned);

  // Inspection and control for tests; time is brought up to date first.
  // nullptr / false for an unknown port.
  const PrinterState* printer(std::u16string_view port);
  bool setStatusAnswer(std::u16string_view port, std::string answer);
  bool setPrinterFaults(std::u16string_view port, PrinterFaults faults);
  std::string checksumText(std::u16string_view port);  // as the printer reports it, without CR

  void setCallFaults(const CallFaults& faults);
  void clearCallFaults();
  uint64_t callCount() const;

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace printer_sim
