// Stand-in release data and the rules that tie it to the simulated printer.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "printer_sim/config.h"

namespace printer_sim {

inline constexpr std::size_t kColorDataSize = 24632;

// Firmware text file: S-records, CR LF line ends, version in the S0 record.
std::string makeSampleFirmware(Family family);
std::string firmwareFileName(Family family);  // "QM_M0500S0500.S" / "QN_M0200S0200.S"

// QMD image of 24,632 bytes (values low byte first) whose checksum is "FF32".
std::vector<uint8_t> makeSampleColorData();
inline constexpr std::string_view kColorDataFileName = "QM0210.QMD";

// The 60 tables a host cuts from a QMD image of at least 24,632 bytes (values
// stored low byte first, sent high byte first), by name, as the printer stores
// them; empty when the image is short.
std::map<std::string, std::vector<uint8_t>> tablesFromImage(const std::vector<uint8_t>& image);

// The printer's checksum rule: 16-bit sum of the bytes, four upper-case hex digits.
uint16_t byteSum16(const uint8_t* data, std::size_t size);
std::string checksumHex(uint16_t sum);

// The image a host builds from a firmware text file: each record (ended by
// CR LF or a comma, leading spaces skipped, a quoted record runs to the
// closing quote) plus CR LF, then two zero-fill passes.
std::vector<uint8_t> firmwareImageFromText(std::string_view text);
std::size_t zeroFilledLength(std::size_t textLength);

}  // namespace printer_sim
