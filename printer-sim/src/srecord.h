// Firmware text records: 'S', type digit, 2 hex digits of count (address +
// data + checksum bytes), address, data, checksum = ones' complement of the
// low byte of the sum of count, address and data bytes. Hex is upper case.
// S0: 2-byte address 0, data = version text. S3: 4-byte address, data.
// S7: 4-byte start address, no data.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace printer_sim {

struct Record {
  char type = 0;
  uint32_t address = 0;
  std::vector<uint8_t> data;
};

std::string encodeRecord(const Record& record);
// nullopt for a malformed line or a wrong checksum.
std::optional<Record> decodeRecord(std::string_view line);

}  // namespace printer_sim
