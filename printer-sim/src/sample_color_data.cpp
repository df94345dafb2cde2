// Plausible colour control data: monotone 16-bit curves per channel, tuned
// so that the byte sum gives the release checksum.
#include "printer_sim/sample_data.h"

namespace printer_sim {
namespace {

constexpr uint16_t kReleaseSum = 0xFF32;
constexpr std::size_t kCurveBase = 16;
constexpr std::size_t kSigmaBase = 24592;
constexpr std::size_t kSigmaValues = 20;
constexpr std::size_t kCurves = 48;
constexpr uint32_t kSigmaRoom = 128;  // growth that keeps each sigma value below 256

void put16(std::vector<uint8_t>& image, std::size_t offset, uint32_t value) {
  image[offset] = static_cast<uint8_t>(value & 0xFF);
  image[offset + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

// Curve k of kCurves (image order: 12 families of Y, M, C, OP).
void writeCurve(std::vector<uint8_t>& image, std::size_t k, uint32_t lift) {
  const uint32_t family = static_cast<uint32_t>(k / 4);
  const uint32_t channel = static_cast<uint32_t>(k % 4);
  const uint64_t start = 256u * (family + 1) + 64u * channel + lift;
  const uint64_t span = 40000u + 1500u * family - 3000u * channel;
  const uint64_t blend = 64u + 10u * family + 8u * channel;  // share of the linear part, of 256
  const bool falling = family < 2;  // head and media temperature compensation
  for (uint64_t i = 0; i < 256; ++i) {
    uint64_t shape = span * (blend * i * 255 + (256 - blend) * i * i) / (255u * 255u * 256u);
    uint64_t value = falling ? start + span - shape : start + shape;
    put16(image, kCurveBase + 512 * k + 2 * i, static_cast<uint32_t>(value));
  }
}

void writeScalars(std::vector<uint8_t>& image) {
  for (uint32_t c = 0; c < 4; ++c) {
    put16(image, 2 * c, 0x0800 + 0x40 * c);      // E_Gamma_SE first value
    put16(image, 8 + 2 * c, 0x0C00 + 0x40 * c);  // E_Gamma_SE second value
  }
  for (std::size_t v = 0; v < kSigmaValues; ++v) put16(image, kSigmaBase + 2 * v, 0x30 + 4 * static_cast<uint32_t>(v));
}

uint16_t missingSum(const std::vector<uint8_t>& image) {
  return static_cast<uint16_t>(kReleaseSum - byteSum16(image.data(), image.size()));
}

}  // namespace

// Lifting every value of a curve by 256 adds exactly 256 to the byte sum, so
// whole multiples of 256 come from lifting curves, the rest from the sigmas.
std::vector<uint8_t> makeSampleColorData() {
  std::vector<uint8_t> image(kColorDataSize, 0);
  writeScalars(image);
  for (std::size_t k = 0; k < kCurves; ++k) writeCurve(image, k, 0);
  const uint32_t steps = missingSum(image) / 256u;
  for (std::size_t k = 0; k < kCurves; ++k)
    writeCurve(image, k, 256u * (steps / kCurves + (k < steps % kCurves ? 1u : 0u)));
  const uint32_t missing = missingSum(image);
  if (missing > kSigmaRoom * kSigmaValues) return {};
  for (std::size_t v = 0; v < kSigmaValues; ++v) {
    uint32_t share = missing / kSigmaValues + (v < missing % kSigmaValues ? 1 : 0);
    std::size_t at = kSigmaBase + 2 * v;
    put16(image, at, image[at] + share);
  }
  return image;
}

}  // namespace printer_sim
