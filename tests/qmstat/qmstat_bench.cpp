// Library time of the two large writes against a monitor that returns at
// once: the 60-table colour control data write and a 10 MB firmware image.
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "status_library.h"

namespace {

class InstantMonitor : public qmstat::Monitor {
 public:
  int32_t ioControl(const char16_t*, uint32_t, const void* in, uint32_t inSize, void*, uint32_t,
                    uint32_t* returned) override {
    ++calls;
    bytes += inSize;
    lastInput = in;
    *returned = 0;
    return 1;
  }
  uint64_t calls = 0;
  uint64_t bytes = 0;
  const void* lastInput = nullptr;
};

template <typename F>
double microsecondsPerCall(int rounds, F&& f) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) f();
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / rounds;
}

}  // namespace

int main() {
  InstantMonitor monitor;
  auto lib = std::make_unique<qmstat::StatusLibrary>();
  lib->attach(&monitor);
  const int32_t handle = lib->initialize(u"USB001");

  std::vector<uint8_t> table(qmstat::kColorImageSize, 0x11);
  const double tableUs = microsecondsPerCall(2000, [&] { lib->setColorDataWrite(handle, table.data(), 24632); });
  std::printf("colour control data write (60 tables, 240 sends): %.2f us per call\n", tableUs);

  std::vector<uint8_t> image(10'000'000, 0x22);
  monitor.bytes = 0;
  const double fwUs = microsecondsPerCall(2000, [&] { lib->setFirmwDataWrite(handle, image.data(), 10'000'000); });
  std::printf("firmware data write (10 MB image): %.3f us per call, image copies: %s\n", fwUs,
              monitor.lastInput == image.data() ? "0 (the monitor sees the caller's pointer)" : "COPIED");
  return monitor.lastInput == image.data() ? 0 : 1;
}
