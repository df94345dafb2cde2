#include <algorithm>
#include <cstring>

#include "frames.h"
#include "number_parse.h"
#include "status_library.h"

namespace qmstat {

int32_t StatusLibrary::setCommand(int32_t handle, const void* data, uint32_t length) {
  const char16_t* port = portOf(handle);
  if (port == nullptr || monitor_ == nullptr || (data == nullptr && length != 0)) return 0;
  uint32_t scratch = 0;
  return monitor_->ioControl(port, kSendCode, data, length, nullptr, 0, &scratch);
}

int32_t StatusLibrary::getCommand(int32_t handle, const void* command, uint32_t commandLength,
                                  void* reply, uint32_t capacity, uint32_t* received) {
  uint32_t scratch = 0;
  uint32_t* count = received != nullptr ? received : &scratch;
  *count = 0;
  auto* area = static_cast<uint8_t*>(reply);
  if (area != nullptr) area[0] = 0;

  const char16_t* port = portOf(handle);
  if (port == nullptr || monitor_ == nullptr || area == nullptr ||
      (command == nullptr && commandLength != 0)) {
    return 0;
  }
  int32_t result = monitor_->ioControl(port, kExchangeCode, command, commandLength, area, capacity, count);
  // A monitor that reports more than the area holds must not move the terminator past it.
  *count = std::min(*count, capacity);
  area[*count] = 0;
  return result;
}

int32_t StatusLibrary::getCommandEx(int32_t handle, const void* command, uint32_t commandLength,
                                    void* dest, uint32_t capacity) {
  uint32_t received = 0;
  if (getCommand(handle, command, commandLength, receive_, kBufferSize, &received) == 0) return -1;

  const size_t headerBytes = std::min<size_t>(received, kReplyHeaderSize);
  const int32_t announced = parseLong(receive_, headerBytes).value_or(0);
  const size_t payloadBytes = received > kReplyHeaderSize ? received - kReplyHeaderSize : 0;
  // A length that is negative, or more than arrived or than dest holds, is a broken exchange.
  if (announced < 0 || static_cast<size_t>(announced) > payloadBytes || static_cast<uint32_t>(announced) > capacity)
    return -1;
  if (announced > 0) {
    if (dest == nullptr) return -1;
    std::memcpy(dest, receive_ + kReplyHeaderSize, static_cast<size_t>(announced));
  }
  return announced;
}

int32_t StatusLibrary::exchangeIntoReply(int32_t handle, std::string_view frame) {
  std::memcpy(command_, frame.data(), frame.size());
  return getCommandEx(handle, command_, static_cast<uint32_t>(frame.size()), reply_, kBufferSize);
}

int32_t StatusLibrary::sendFrame(int32_t handle, std::string_view frame) {
  std::memcpy(command_, frame.data(), frame.size());
  return setCommand(handle, command_, static_cast<uint32_t>(frame.size()));
}

}  // namespace qmstat
