#include "updater/firmware_image.h"

#include <cstring>

namespace updater {
namespace {

enum : uint8_t { kPlain = 0, kStop = 1, kLead = 2 };
using ByteClass = std::array<uint8_t, 256>;

ByteClass classify(const LeadBytes& leadBytes, bool quoted) {
  ByteClass table{};
  for (size_t b = 0; b < table.size(); ++b) table[b] = leadBytes[b] ? kLead : kPlain;
  if (quoted) {
    table['"'] = kStop;
  } else {
    table[','] = kStop;
    table['\r'] = kStop;
    table['\n'] = kStop;
  }
  return table;
}

class Builder {
 public:
  Builder(std::span<const uint8_t> file, const LeadBytes& leadBytes, BuildPacer* pacer)
      : p_(file.data()),
        n_(file.size()),
        unquoted_(classify(leadBytes, false)),
        quoted_(classify(leadBytes, true)),
        pacer_(pacer) {}

  FirmwareImage run() {
    FirmwareImage image;
    // Only what the image uses is written; zeroing all 10 MB costs more than a
    // typical file's whole build.
    image.bytes = std::make_unique_for_overwrite<uint8_t[]>(kFirmwareImageCapacity);
    out_ = image.bytes.get();
    image.result = records();
    if (image.result == ImageResult::Built) {
      if (!zeroFill() || !zeroFill()) image.result = ImageResult::TooLarge;
    }
    image.length = length_;
    return image;
  }

 private:
  ImageResult records() {
    bool another = n_ > 0;
    size_t nextPace = kYieldEveryBytes;
    while (another) {
      while (pos_ < n_ && p_[pos_] == ' ') ++pos_;
      const ImageResult record = (pos_ < n_ && p_[pos_] == '"') ? quotedRecord() : plainRecord();
      if (record != ImageResult::Built) return record;
      static constexpr uint8_t kCrLf[2] = {0x0D, 0x0A};
      if (!append(kCrLf, 2)) return ImageResult::TooLarge;
      another = delimiter();
      if (pacer_ && pos_ >= nextPace) {
        pacer_->pace();
        nextPace = pos_ + kYieldEveryBytes;
      }
    }
    return ImageResult::Built;
  }

  ImageResult plainRecord() {
    const size_t start = pos_;
    while (pos_ < n_ && unquoted_[p_[pos_]] == kPlain) ++pos_;
    if (pos_ < n_ && unquoted_[p_[pos_]] == kLead) return ImageResult::DoubleByte;
    return append(p_ + start, pos_ - start) ? ImageResult::Built : ImageResult::TooLarge;
  }

  ImageResult quotedRecord() {
    const size_t start = ++pos_;
    while (pos_ < n_ && quoted_[p_[pos_]] == kPlain) ++pos_;
    if (pos_ >= n_) return ImageResult::UnclosedQuote;
    if (quoted_[p_[pos_]] == kLead) return ImageResult::DoubleByte;
    if (!append(p_ + start, pos_ - start)) return ImageResult::TooLarge;
    ++pos_;
    while (pos_ < n_ && unquoted_[p_[pos_]] != kStop) ++pos_;
    return ImageResult::Built;
  }

  // Consumes the record's end; true when another record follows.
  bool delimiter() {
    if (pos_ >= n_) return false;
    const uint8_t end = p_[pos_++];
    if (end == ',') return true;
    if (end == '\r' && pos_ < n_ && p_[pos_] == '\n') ++pos_;
    return pos_ < n_;
  }

  bool append(const uint8_t* bytes, size_t count) {
    if (count > kFirmwareImageCapacity - length_) return false;
    if (count > 0) std::memcpy(out_ + length_, bytes, count);
    length_ += count;
    return true;
  }

  bool zeroFill() {
    const size_t count = zeroFillCount(length_);
    if (count > kFirmwareImageCapacity - length_) return false;
    std::memset(out_ + length_, 0, count);
    length_ += count;
    return true;
  }

  const uint8_t* p_;
  size_t n_;
  size_t pos_ = 0;
  ByteClass unquoted_;
  ByteClass quoted_;
  BuildPacer* pacer_;
  uint8_t* out_ = nullptr;
  size_t length_ = 0;
};

}  // namespace

FirmwareImage buildFirmwareImage(std::span<const uint8_t> file, const LeadBytes& leadBytes,
                                 BuildPacer* pacer) {
  return Builder(file, leadBytes, pacer).run();
}

}  // namespace updater
