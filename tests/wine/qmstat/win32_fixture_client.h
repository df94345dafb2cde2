// The test programs' side of the monitor fixture: finds the fixture module
// that a status DLL loaded and wraps its control exports.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fixture_monitor.h"

struct LoggedCall {
  std::wstring port;
  uint32_t code = 0;
  const void* input = nullptr;
  uint32_t outputSize = 0;
  std::string bytes;
};

class FixtureClient {
 public:
  // False when the module is not loaded or lacks a control export.
  bool bind(const char* moduleName) {
    HMODULE module = GetModuleHandleA(moduleName);
    if (module == nullptr) return false;
    return find(module, "FixtureReset", reset_) && find(module, "FixtureScript", script_) &&
           find(module, "FixtureCallCount", count_) && find(module, "FixtureCallInfo", info_) &&
           find(module, "FixtureCallBytes", bytes_);
  }

  void reset() const { reset_(); }
  void answer(int32_t result, const std::string& reply = {}) const {
    script_(result, reply.data(), static_cast<uint32_t>(reply.size()));
  }
  // A reply frame: eight-digit length, then the payload.
  void reply(const std::string& payload) const {
    char field[16];
    std::snprintf(field, sizeof field, "%08u", static_cast<unsigned>(payload.size()));
    answer(1, std::string(field) + payload);
  }
  int count() const { return count_(); }

  std::vector<LoggedCall> calls() const {
    std::vector<LoggedCall> out;
    for (int i = 0; i < count_(); ++i) {
      FixtureCall raw{};
      if (info_(i, &raw) == 0) break;
      LoggedCall call;
      for (uint16_t unit : raw.port) {
        if (unit == 0) break;
        call.port += static_cast<wchar_t>(unit);
      }
      call.code = raw.code;
      call.input = raw.input;
      call.outputSize = raw.outputSize;
      call.bytes.resize(raw.inputSize);
      if (raw.inputSize != 0) bytes_(i, call.bytes.data(), raw.inputSize);
      out.push_back(std::move(call));
    }
    return out;
  }

 private:
  template <class Fn>
  static bool find(HMODULE module, const char* name, Fn& fn) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    return fn != nullptr;
  }

  FixtureResetFn reset_ = nullptr;
  FixtureScriptFn script_ = nullptr;
  FixtureCallCountFn count_ = nullptr;
  FixtureCallInfoFn info_ = nullptr;
  FixtureCallBytesFn bytes_ = nullptr;
};

constexpr uint32_t kSend = 0x220038;
constexpr uint32_t kExchange = 0x22003C;

// Resolves an export by name into a typed function pointer (null when absent).
template <class Fn>
Fn exportOf(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
