#include "srecord.h"

namespace printer_sim {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

int addressSize(char type) {
  switch (type) {
    case '0': return 2;
    case '3': case '7': return 4;
    default: return 0;
  }
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void putByte(std::string& out, uint8_t b) {
  out.push_back(kHex[b >> 4]);
  out.push_back(kHex[b & 15]);
}

}  // namespace

std::string encodeRecord(const Record& record) {
  int addrSize = addressSize(record.type);
  std::vector<uint8_t> bytes;
  bytes.push_back(static_cast<uint8_t>(addrSize + record.data.size() + 1));
  for (int i = addrSize - 1; i >= 0; --i) bytes.push_back(static_cast<uint8_t>(record.address >> (8 * i)));
  bytes.insert(bytes.end(), record.data.begin(), record.data.end());
  uint8_t sum = 0;
  for (uint8_t b : bytes) sum = static_cast<uint8_t>(sum + b);
  bytes.push_back(static_cast<uint8_t>(~sum));
  std::string line{'S', record.type};
  for (uint8_t b : bytes) putByte(line, b);
  return line;
}

std::optional<Record> decodeRecord(std::string_view line) {
  if (line.size() < 4 || line[0] != 'S') return std::nullopt;
  Record record;
  record.type = line[1];
  int addrSize = addressSize(record.type);
  if (addrSize == 0 || (line.size() % 2) != 0) return std::nullopt;
  // A count byte of at most 255 bounds a record: count, then up to 255 bytes.
  uint8_t bytes[256];
  const std::size_t n = (line.size() - 2) / 2;
  if (n > sizeof bytes) return std::nullopt;
  for (std::size_t i = 0; i < n; ++i) {
    int hi = hexValue(line[2 + 2 * i]), lo = hexValue(line[3 + 2 * i]);
    if (hi < 0 || lo < 0) return std::nullopt;
    bytes[i] = static_cast<uint8_t>(hi * 16 + lo);
  }
  std::size_t count = bytes[0];
  if (count != n - 1 || count < static_cast<std::size_t>(addrSize) + 1) return std::nullopt;
  uint8_t sum = 0;
  for (std::size_t i = 0; i + 1 < n; ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
  if (static_cast<uint8_t>(~sum) != bytes[n - 1]) return std::nullopt;
  for (int i = 0; i < addrSize; ++i) record.address = (record.address << 8) | bytes[1 + i];
  record.data.assign(bytes + 1 + addrSize, bytes + n - 1);
  return record;
}

}  // namespace printer_sim
