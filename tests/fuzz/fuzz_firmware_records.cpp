// The updater's firmware record reader and image builder on arbitrary file
// bytes. The first input byte picks the code page (bit 0: DBCS lead bytes as
// in the Japanese code page); the rest is the file. With bit 1 the file is
// instead the input from its fourth byte on, repeated to 64 KiB plus
// (byte 1 mod 16) KiB, and the build's pacer stops it at call (byte 2 mod 4),
// 0 meaning never.
//
// Checked against a plain model of the record rules, and against the
// simulator's host-side image rule where the two rules coincide: the
// simulator takes a lone CR as record content and a comma at the very end as
// the end of the file, so inputs with either are left out of that comparison.
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "printer_sim/sample_data.h"
#include "updater/firmware_image.h"

namespace {

void check(bool ok) {
  if (!ok) __builtin_trap();
}

using updater::ImageResult;

struct Model {
  ImageResult result = ImageResult::Built;
  std::vector<uint8_t> text;  // records, each with CR LF, before zero fill
};

// The rules of firmware_image.h, written for reading rather than speed.
Model model(std::string_view f, const updater::LeadBytes& lead) {
  Model m;
  size_t i = 0;
  bool another = !f.empty();
  auto isLead = [&](size_t k) { return lead[static_cast<uint8_t>(f[k])]; };
  auto isEnd = [&](size_t k) { return f[k] == ',' || f[k] == '\r' || f[k] == '\n'; };
  while (another) {
    while (i < f.size() && f[i] == ' ') ++i;
    if (i < f.size() && f[i] == '"') {
      size_t close = ++i;
      while (close < f.size() && f[close] != '"' && !isLead(close)) ++close;
      if (close == f.size()) return {ImageResult::UnclosedQuote, {}};
      if (f[close] != '"') return {ImageResult::DoubleByte, {}};
      m.text.insert(m.text.end(), f.begin() + i, f.begin() + close);
      i = close + 1;
      while (i < f.size() && !isEnd(i)) ++i;
    } else {
      const size_t start = i;
      while (i < f.size() && !isEnd(i)) {
        if (isLead(i)) return {ImageResult::DoubleByte, {}};
        ++i;
      }
      m.text.insert(m.text.end(), f.begin() + start, f.begin() + i);
    }
    m.text.push_back('\r');
    m.text.push_back('\n');
    if (i >= f.size()) break;
    const char end = f[i++];
    if (end == ',') continue;
    if (end == '\r' && i < f.size() && f[i] == '\n') ++i;
    another = i < f.size();
  }
  return m;
}

class CountingPacer final : public updater::BuildPacer {
 public:
  void pace() override { ++calls; }
  int calls = 0;
};

bool simulatorRuleCoincides(std::string_view f) {
  if (!f.empty() && f.back() == ',') return false;
  for (size_t k = 0; k < f.size(); ++k) {
    if (f[k] == '\r' && (k + 1 == f.size() || f[k + 1] != '\n')) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 16 * 1024) return 0;
  updater::LeadBytes lead{};
  if (data[0] & 1) {
    for (int b = 0x81; b <= 0x9F; ++b) lead[b] = true;
    for (int b = 0xE0; b <= 0xFC; ++b) lead[b] = true;
  }
  std::vector<uint8_t> repeated;
  std::span<const uint8_t> bytes(data + 1, size - 1);
  if ((data[0] & 2) && size > 3) {
    repeated.resize(updater::kYieldEveryBytes + size_t{data[1] % 16u} * 1024);
    for (size_t i = 0; i < repeated.size(); ++i) repeated[i] = data[3 + i % (size - 3)];
    bytes = repeated;
  }
  const std::string_view file(reinterpret_cast<const char*>(bytes.data()), bytes.size());

  CountingPacer pacer;
  const updater::FirmwareImage image = updater::buildFirmwareImage(bytes, lead, &pacer);
  const Model expected = model(file, lead);
  check(pacer.calls <= static_cast<int>(bytes.size() / updater::kYieldEveryBytes));
  check(image.result == expected.result);
  check(image.length <= updater::kFirmwareImageCapacity);
  check(image.bytes != nullptr);
  if (image.result != ImageResult::Built) return 0;

  // Records with their CR LF, then exactly the two zero-fill passes.
  const size_t t = expected.text.size();
  const size_t once = t + updater::zeroFillCount(t);
  check(image.length == once + updater::zeroFillCount(once));
  check(t == 0 || std::memcmp(image.bytes.get(), expected.text.data(), t) == 0);
  for (size_t k = t; k < image.length; ++k) {
    check(image.bytes[k] == 0);
  }
  check(t == 0 || (image.bytes[t - 2] == '\r' && image.bytes[t - 1] == '\n'));

  if (simulatorRuleCoincides(file)) {
    const std::vector<uint8_t> host = printer_sim::firmwareImageFromText(file);
    check(host.size() == image.length);
    check(std::memcmp(host.data(), image.bytes.get(), host.size()) == 0);
  }
  return 0;
}
