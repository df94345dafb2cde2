#include "firmware_image.h"

#include <algorithm>
#include <string_view>

#include "printer_sim/sample_data.h"
#include "srecord.h"

namespace printer_sim {
namespace {

constexpr std::size_t kMaxVersion = 64;

ImageCheck reject(std::string why) {
  ImageCheck check;
  check.error = std::move(why);
  return check;
}

bool printable(const std::vector<uint8_t>& text) {
  return std::all_of(text.begin(), text.end(), [](uint8_t c) { return c >= 0x20 && c < 0x7F; });
}

}  // namespace

ImageCheck checkFirmwareImage(const std::vector<uint8_t>& image) {
  const char* bytes = reinterpret_cast<const char*>(image.data());
  std::string_view all(bytes, image.size());
  std::size_t pos = 0;
  std::size_t recordNo = 0;
  bool sawEnd = false;
  uint32_t nextAddress = 0;
  ImageCheck result;
  while (pos < all.size() && all[pos] != '\0') {
    std::size_t end = all.find("\r\n", pos);
    if (end == std::string_view::npos) return reject("record without CR LF at byte " + std::to_string(pos));
    std::string_view line = all.substr(pos, end - pos);
    pos = end + 2;
    if (line.empty()) continue;
    ++recordNo;
    std::string where = "record " + std::to_string(recordNo);
    if (sawEnd) return reject(where + " after the end record");
    auto record = decodeRecord(line);
    if (!record) return reject(where + " malformed or checksum wrong");
    if (recordNo == 1) {
      if (record->type != '0') return reject("first record is not the header");
      if (record->data.empty() || record->data.size() > kMaxVersion || !printable(record->data))
        return reject("header record carries no version");
      result.version.assign(record->data.begin(), record->data.end());
      continue;
    }
    if (record->type == '3') {
      if (record->address != nextAddress || record->data.empty()) return reject(where + " out of sequence");
      nextAddress += static_cast<uint32_t>(record->data.size());
    } else if (record->type == '7') {
      sawEnd = true;
    } else {
      return reject(where + " of unexpected type");
    }
  }
  if (recordNo == 0) return reject("no records");
  if (!sawEnd) return reject("end record missing");
  if (nextAddress == 0) return reject("no data records");
  if (!std::all_of(all.begin() + static_cast<std::ptrdiff_t>(pos), all.end(), [](char c) { return c == '\0'; }))
    return reject("junk after the zero fill");
  if (image.size() != zeroFilledLength(pos)) return reject("zero fill of wrong length");
  result.ok = true;
  return result;
}

}  // namespace printer_sim
