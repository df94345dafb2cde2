// Firmware image build from a 10 MB firmware text file: time, throughput and
// peak memory. Prints figures; not a pass/fail test.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "updater/firmware_image.h"

namespace {

long peakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Motorola-style records of 44 bytes with CR LF, about 10 MB in all.
std::vector<uint8_t> firmwareText(size_t target) {
  std::vector<uint8_t> file;
  file.reserve(target);
  const char* hex = "0123456789ABCDEF";
  unsigned address = 0;
  while (file.size() + 44 <= target) {
    std::string line = "S113";
    for (int shift = 12; shift >= 0; shift -= 4) line += hex[(address >> shift) & 0xF];
    for (int i = 0; i < 16; ++i) {
      line += hex[(address + static_cast<unsigned>(i)) & 0xF];
      line += hex[(i * 7) & 0xF];
    }
    line += "7F\r\n";
    file.insert(file.end(), line.begin(), line.end());
    address += 16;
  }
  return file;
}

}  // namespace

int main() {
  const std::vector<uint8_t> file = firmwareText(9'900'000);
  const updater::LeadBytes singleByte{};
  const long before = peakKiB();

  constexpr int kRuns = 20;
  double best = 1e9;
  double total = 0;
  size_t length = 0;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    updater::FirmwareImage image = updater::buildFirmwareImage(file, singleByte);
    const auto end = std::chrono::steady_clock::now();
    if (image.result != updater::ImageResult::Built) {
      std::printf("build failed\n");
      return 1;
    }
    length = image.length;
    const double seconds = std::chrono::duration<double>(end - start).count();
    best = seconds < best ? seconds : best;
    total += seconds;
  }
  const long after = peakKiB();
  const double mb = static_cast<double>(file.size()) / 1e6;
  std::printf("firmware image build: file %.2f MB, image %zu bytes, %d runs\n", mb, length, kRuns);
  std::printf("  best %.2f ms (%.0f MB/s), mean %.2f ms (%.0f MB/s)\n", best * 1e3, mb / best,
              total / kRuns * 1e3, mb * kRuns / total);
  std::printf("  peak RSS before build %ld KiB, after %ld KiB: +%ld KiB (image buffer %zu KiB)\n",
              before, after, after - before, updater::kFirmwareImageCapacity / 1024);
  return 0;
}
