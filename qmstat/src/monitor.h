// The printer driver's language monitor, as the status library calls it.
#pragma once
#include <cstdint>

namespace qmstat {

inline constexpr uint32_t kSendCode = 0x220038;      // pass the input bytes to the printer
inline constexpr uint32_t kExchangeCode = 0x22003C;  // pass them and return the reply frame

class Monitor {
 public:
  // MonitorIoControl: port name, control code, input, input size, output,
  // output size, bytes returned. Non-zero on success, 0 on failure.
  virtual int32_t ioControl(const char16_t* port, uint32_t code, const void* in, uint32_t inSize,
                            void* out, uint32_t outSize, uint32_t* returned) = 0;

 protected:
  ~Monitor() = default;
};

}  // namespace qmstat
