// The firmware image built from a firmware text file: each record's bytes
// followed by CR LF, then two zero-fill passes that each append (length mod
// 32) zero bytes, or one when that is 0.
//
// Records: a record ends at a comma, CR LF, a lone CR or a lone LF; blanks in
// front of it are skipped, blanks at its end are kept; a record that begins
// with a double quote runs to the closing quote (line ends and commas
// included), and whatever follows the closing quote up to the next comma or
// line end is dropped. A line end at the end of the file starts no further
// record; a comma does. An empty file has no records.
//
// Refused: an image (zero fill included) over kFirmwareImageCapacity bytes, a
// DBCS lead byte inside a record (not one character per byte), a quote that
// is never closed.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace updater {

inline constexpr size_t kFirmwareImageCapacity = 10'000'001;
inline constexpr size_t kYieldEveryBytes = 64 * 1024;

using LeadBytes = std::array<bool, 256>;

enum class ImageResult { Built, TooLarge, DoubleByte, UnclosedQuote };

struct FirmwareImage {
  ImageResult result = ImageResult::Built;
  std::unique_ptr<uint8_t[]> bytes;  // kFirmwareImageCapacity; only length bytes are set
  size_t length = 0;                 // L, zero fill included
};

// Zero-fill pass: the number of zero bytes appended to an image of length n.
constexpr size_t zeroFillCount(size_t n) {
  return n % 32 == 0 ? 1 : n % 32;
}

// Paces the build: called after about every kYieldEveryBytes of input, at a
// record boundary, so that a front end keeps answering during a long build.
class BuildPacer {
 public:
  virtual void pace() = 0;

 protected:
  ~BuildPacer() = default;
};

FirmwareImage buildFirmwareImage(std::span<const uint8_t> file, const LeadBytes& leadBytes,
                                 BuildPacer* pacer = nullptr);

}  // namespace updater
