// What a run's record hears of the printer: each status library call (its
// export name, its printer-facing arguments in short, its result and how
// long it took) and each wait of half a second or more. Outside a run, and
// with no record, they pass straight through.
#pragma once
#include "updater/export_binding.h"
#include "updater/host.h"
#include "updater/run_recorder.h"
#include "updater/status_binding.h"

namespace updater {

// The recorder of the run in progress, or null.
class RecorderSlot {
 public:
  RunRecorder* recorder = nullptr;
};

class TracingBinding final : public StatusBinding {
 public:
  TracingBinding(StatusBinding& inner, ExportSet set, Clock& clock, const RecorderSlot& slot)
      : inner_(inner), names_(exportNames(set)), clock_(clock), slot_(slot) {}

  int32_t initialize(const char16_t* portName) override;
  uint32_t getStatus(int32_t handle) override;
  int32_t getFirmwVersion(int32_t handle, char* text) override;
  int32_t setFirmwUpdateMode(int32_t handle) override;
  int32_t setFirmwDataWrite(int32_t handle, const void* image, uint32_t length) override;
  int32_t getColorDataVersion(int32_t handle, char* text) override;
  int32_t getColorDataChecksum(int32_t handle, char* text) override;
  int32_t setColorDataVersion(int32_t handle, const char* text, int32_t length) override;
  int32_t setColorDataWrite(int32_t handle, const void* image, uint32_t size) override;

 private:
  using TextQuery = int32_t (StatusBinding::*)(int32_t, char*);
  template <typename Call>
  auto traced(const char* name, const std::string& args, Call call);
  int32_t textQuery(const char* name, int32_t handle, char* text, TextQuery query);

  StatusBinding& inner_;
  const ExportNames& names_;
  Clock& clock_;
  const RecorderSlot& slot_;
};

class TracingClock final : public Clock {
 public:
  TracingClock(Clock& inner, const RecorderSlot& slot) : inner_(inner), slot_(slot) {}
  void sleep(uint32_t ms) override;
  uint64_t nowMs() override { return inner_.nowMs(); }
  void yield() override { inner_.yield(); }

 private:
  Clock& inner_;
  const RecorderSlot& slot_;
};

}  // namespace updater
