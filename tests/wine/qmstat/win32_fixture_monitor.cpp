#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <vector>

#include "fixture_monitor.h"

namespace {

struct Answer {
  int32_t result;
  std::vector<uint8_t> reply;
};

struct LoggedCall {
  FixtureCall call;
  std::vector<uint8_t> bytes;
};

struct FixtureState {
  std::deque<Answer> script;
  std::vector<LoggedCall> log;
};

FixtureState& state() {
  static FixtureState s;
  return s;
}

}  // namespace

extern "C" {

BOOL WINAPI MonitorIoControl(LPCWSTR port, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                             LPDWORD returned) {
  LoggedCall logged{};
  for (size_t i = 0; port != nullptr && i + 1 < std::size(logged.call.port) && port[i] != 0; ++i)
    logged.call.port[i] = static_cast<uint16_t>(port[i]);
  logged.call.code = code;
  logged.call.input = in;
  logged.call.inputSize = inSize;
  logged.call.outputSize = outSize;
  if (in != nullptr) logged.bytes.assign(static_cast<const uint8_t*>(in), static_cast<const uint8_t*>(in) + inSize);
  state().log.push_back(std::move(logged));

  Answer answer{1, {}};
  if (!state().script.empty()) {
    answer = std::move(state().script.front());
    state().script.pop_front();
  }
  DWORD written = 0;
  if (out != nullptr) {
    written = static_cast<DWORD>(std::min<size_t>(answer.reply.size(), outSize));
    if (written != 0) std::memcpy(out, answer.reply.data(), written);
  }
  if (returned != nullptr) *returned = written;
  return answer.result;
}

void WINAPI FixtureReset() {
  state().script.clear();
  state().log.clear();
}

void WINAPI FixtureScript(int32_t result, const void* reply, uint32_t length) {
  Answer answer{result, {}};
  if (reply != nullptr)
    answer.reply.assign(static_cast<const uint8_t*>(reply), static_cast<const uint8_t*>(reply) + length);
  state().script.push_back(std::move(answer));
}

int32_t WINAPI FixtureCallCount() { return static_cast<int32_t>(state().log.size()); }

int32_t WINAPI FixtureCallInfo(int32_t index, FixtureCall* call) {
  if (index < 0 || static_cast<size_t>(index) >= state().log.size() || call == nullptr) return 0;
  *call = state().log[static_cast<size_t>(index)].call;
  return 1;
}

int32_t WINAPI FixtureCallBytes(int32_t index, void* dest, uint32_t capacity) {
  if (index < 0 || static_cast<size_t>(index) >= state().log.size()) return -1;
  const auto& bytes = state().log[static_cast<size_t>(index)].bytes;
  const size_t n = std::min<size_t>(bytes.size(), capacity);
  if (n != 0 && dest != nullptr) std::memcpy(dest, bytes.data(), n);
  return static_cast<int32_t>(n);
}

}  // extern "C"
