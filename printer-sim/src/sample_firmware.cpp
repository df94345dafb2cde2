#include "printer_sim/sample_data.h"
#include "srecord.h"

namespace printer_sim {
namespace {

constexpr std::size_t kRecordData = 32;

struct FirmwareLayout {
  std::size_t records;
  uint32_t seed;
};

FirmwareLayout layoutOf(Family family) {
  return family == Family::QM ? FirmwareLayout{4096, 0x51D0500u} : FirmwareLayout{3072, 0x5E0200u};
}

uint32_t xorshift(uint32_t& s) {
  s ^= s << 13;
  s ^= s >> 17;
  s ^= s << 5;
  return s;
}

}  // namespace

std::string firmwareFileName(Family family) {
  return family == Family::QM ? "QM_M0500S0500.S" : "QN_M0200S0200.S";
}

std::string makeSampleFirmware(Family family) {
  const FirmwareLayout layout = layoutOf(family);
  const std::string version = releaseFirmware(family);
  std::string text;
  auto line = [&](const Record& r) { text += encodeRecord(r) + "\r\n"; };
  line(Record{'0', 0, std::vector<uint8_t>(version.begin(), version.end())});
  uint32_t state = layout.seed;
  for (std::size_t i = 0; i < layout.records; ++i) {
    Record r{'3', static_cast<uint32_t>(i * kRecordData), std::vector<uint8_t>(kRecordData)};
    for (auto& b : r.data) b = static_cast<uint8_t>(xorshift(state) >> 24);
    line(r);
  }
  line(Record{'7', 0, {}});
  return text;
}

}  // namespace printer_sim
