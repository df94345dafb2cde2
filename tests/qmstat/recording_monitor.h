// A language monitor for tests: records every call and answers from a script.
#pragma once
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "monitor.h"

namespace qmstat::testing {

struct MonitorCall {
  std::u16string port;
  uint32_t code = 0;
  std::string input;           // the bytes handed in
  const void* inputPointer = nullptr;
  uint32_t outputSize = 0;
};

struct ScriptedAnswer {
  int32_t result = 1;
  std::string output;  // written to the output area (a whole reply frame)
  bool overrideCount = false;
  uint32_t count = 0;  // reported byte count when overrideCount
};

// A reply frame: eight decimal digits of length, then the payload.
inline std::string replyFrame(const std::string& payload) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%08zu", payload.size());
  return digits + payload;
}

class RecordingMonitor : public Monitor {
 public:
  // Answers queue up in call order; with none queued, sends succeed and
  // exchanges reply with an empty payload.
  void answer(ScriptedAnswer a) { script_.push_back(std::move(a)); }
  void reply(const std::string& payload) { answer({1, replyFrame(payload)}); }
  void fail() { answer({0, {}}); }
  void failFromCall(size_t callIndex) { failFrom_ = callIndex; }

  int32_t ioControl(const char16_t* port, uint32_t code, const void* in, uint32_t inSize, void* out,
                    uint32_t outSize, uint32_t* returned) override {
    MonitorCall call;
    call.port = port;
    call.code = code;
    if (inSize != 0) call.input.assign(static_cast<const char*>(in), inSize);
    call.inputPointer = in;
    call.outputSize = outSize;
    calls.push_back(std::move(call));

    ScriptedAnswer a;
    if (!script_.empty()) {
      a = std::move(script_.front());
      script_.pop_front();
    } else if (code == kExchangeCode) {
      a.output = replyFrame("");
    }
    if (calls.size() > failFrom_) a = {0, {}};
    const size_t n = std::min<size_t>(a.output.size(), outSize);
    if (n != 0) std::memcpy(out, a.output.data(), n);
    *returned = a.overrideCount ? a.count : static_cast<uint32_t>(n);
    return a.result;
  }

  std::string sentBytes() const {  // every send concatenated, as the printer sees them
    std::string all;
    for (const MonitorCall& c : calls) {
      if (c.code == kSendCode) all += c.input;
    }
    return all;
  }

  std::vector<MonitorCall> calls;

 private:
  std::deque<ScriptedAnswer> script_;
  size_t failFrom_ = SIZE_MAX;
};

}  // namespace qmstat::testing
