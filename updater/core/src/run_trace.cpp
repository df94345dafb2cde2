#include "updater/run_trace.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>

namespace updater {
namespace {

std::string handleArg(int32_t handle) { return "handle=" + std::to_string(handle); }

std::string hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
  return text;
}

// The reply's first characters, for the record: enough to recognise it.
std::string shortReply(const char* text, int32_t count) {
  if (text == nullptr || count <= 0) return {};
  return std::string(text, strnlen(text, static_cast<size_t>(count < 64 ? count : 64)));
}

}  // namespace

template <typename Call>
auto TracingBinding::traced(const char* name, const std::string& args, Call call) {
  RunRecorder* recorder = slot_.recorder;
  const uint64_t start = clock_.nowMs();
  const auto result = call();
  if (recorder != nullptr && name != nullptr) {
    if constexpr (std::is_same_v<std::remove_const_t<decltype(result)>, uint32_t>) {
      recorder->call(name, args, hex(result), clock_.nowMs() - start);
    } else {
      recorder->call(name, args, std::to_string(result), clock_.nowMs() - start);
    }
  }
  return result;
}

int32_t TracingBinding::textQuery(const char* name, int32_t handle, char* text, TextQuery query) {
  RunRecorder* recorder = slot_.recorder;
  const uint64_t start = clock_.nowMs();
  const int32_t count = (inner_.*query)(handle, text);
  if (recorder != nullptr && name != nullptr) {
    recorder->call(name, handleArg(handle), std::to_string(count), clock_.nowMs() - start, shortReply(text, count));
  }
  return count;
}

int32_t TracingBinding::initialize(const char16_t* portName) {
  return traced(names_.initialize, "", [&] { return inner_.initialize(portName); });
}

uint32_t TracingBinding::getStatus(int32_t handle) {
  return traced(names_.getStatus, handleArg(handle), [&] { return inner_.getStatus(handle); });
}

int32_t TracingBinding::getFirmwVersion(int32_t handle, char* text) {
  return textQuery(names_.getFirmwVersion, handle, text, &StatusBinding::getFirmwVersion);
}

int32_t TracingBinding::setFirmwUpdateMode(int32_t handle) {
  return traced(names_.setFirmwUpdateMode, handleArg(handle), [&] { return inner_.setFirmwUpdateMode(handle); });
}

int32_t TracingBinding::setFirmwDataWrite(int32_t handle, const void* image, uint32_t length) {
  return traced(names_.setFirmwDataWrite, handleArg(handle) + " length=" + std::to_string(length),
                [&] { return inner_.setFirmwDataWrite(handle, image, length); });
}

int32_t TracingBinding::getColorDataVersion(int32_t handle, char* text) {
  return textQuery(names_.getColorDataVersion, handle, text, &StatusBinding::getColorDataVersion);
}

int32_t TracingBinding::getColorDataChecksum(int32_t handle, char* text) {
  return textQuery(names_.getColorDataChecksum, handle, text, &StatusBinding::getColorDataChecksum);
}

int32_t TracingBinding::setColorDataVersion(int32_t handle, const char* text, int32_t length) {
  const std::string version = text && length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string();
  return traced(names_.setColorDataVersion, handleArg(handle) + " text=" + version,
                [&] { return inner_.setColorDataVersion(handle, text, length); });
}

int32_t TracingBinding::setColorDataWrite(int32_t handle, const void* image, uint32_t size) {
  return traced(names_.setColorDataWrite, handleArg(handle) + " size=" + std::to_string(size),
                [&] { return inner_.setColorDataWrite(handle, image, size); });
}

void TracingClock::sleep(uint32_t ms) {
  if (slot_.recorder != nullptr && ms >= 500) slot_.recorder->wait(ms);
  inner_.sleep(ms);
}

}  // namespace updater
