// The colour control data tables a QM printer stores, with their sizes.
#pragma once

#include "printer_sim/sample_data.h"

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace printer_sim {

inline constexpr std::size_t kTableCount = 60;
inline constexpr std::string_view kVersionTable = "Version";
inline constexpr std::string_view kQnBlockName = "CTRLD_UPDATE_QN";
inline constexpr std::size_t kMaxVersionTable = 256;
inline constexpr std::size_t kMaxQnBlock = 1024 * 1024;

struct TableLayout {
  std::string_view name;
  std::size_t size;
};

const std::array<TableLayout, kTableCount>& colorTables();
// 0 for a name that is not one of the 60 tables.
std::size_t colorTableSize(std::string_view name);

// Every table present and zero-filled.
std::map<std::string, std::vector<uint8_t>> clearedTables();


}  // namespace printer_sim
