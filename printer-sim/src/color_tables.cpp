#include "color_tables.h"

namespace printer_sim {
namespace {

constexpr std::array<TableLayout, kTableCount> makeTables() {
  constexpr std::string_view names[] = {
      "HeadTemp_Y",    "HeadTemp_M",    "HeadTemp_C",    "HeadTemp_OP",
      "MediaTemp_Y",   "MediaTemp_M",   "MediaTemp_C",   "MediaTemp_OP",
      "TempCoef_Y",    "TempCoef_M",    "TempCoef_C",    "TempCoef_OP",
      "STB_Gamma_Y",   "STB_Gamma_M",   "STB_Gamma_C",   "STB_Gamma_OP",
      "E_Gamma_Y",     "E_Gamma_M",     "E_Gamma_C",     "E_Gamma_OP",
      "E_Epsilon_Y",   "E_Epsilon_M",   "E_Epsilon_C",   "E_Epsilon_OP",
      "C_Gamma_Y",     "C_Gamma_M",     "C_Gamma_C",     "C_Gamma_OP",
      "C_Theta_Y",     "C_Theta_M",     "C_Theta_C",     "C_Theta_OP",
      "C_Epsilon_Y",   "C_Epsilon_M",   "C_Epsilon_C",   "C_Epsilon_OP",
      "G_Gamma_Y",     "G_Gamma_M",     "G_Gamma_C",     "G_Gamma_OP",
      "G_Theta_Y",     "G_Theta_M",     "G_Theta_C",     "G_Theta_OP",
      "G_Epsilon_Y",   "G_Epsilon_M",   "G_Epsilon_C",   "G_Epsilon_OP",
      "E_Gamma_Y_SE",  "E_Gamma_M_SE",  "E_Gamma_C_SE",  "E_Gamma_OP_SE",
      "C_Sigma_Y",     "C_Sigma_M",     "C_Sigma_C",     "C_Sigma_OP",
      "G_Sigma_Y",     "G_Sigma_M",     "G_Sigma_C",     "G_Sigma_OP",
  };
  std::array<TableLayout, kTableCount> tables{};
  for (std::size_t i = 0; i < kTableCount; ++i) {
    std::size_t size = i < 48 ? 512 : i < 52 ? 4 : 16;
    tables[i] = TableLayout{names[i], size};
  }
  return tables;
}

constexpr std::array<TableLayout, kTableCount> kTables = makeTables();

}  // namespace

const std::array<TableLayout, kTableCount>& colorTables() { return kTables; }

std::size_t colorTableSize(std::string_view name) {
  for (const auto& t : kTables)
    if (t.name == name) return t.size;
  return 0;
}

std::map<std::string, std::vector<uint8_t>> clearedTables() {
  std::map<std::string, std::vector<uint8_t>> tables;
  for (const auto& t : kTables) tables.emplace(std::string(t.name), std::vector<uint8_t>(t.size, 0));
  return tables;
}

std::map<std::string, std::vector<uint8_t>> tablesFromImage(const std::vector<uint8_t>& image) {
  constexpr std::size_t kImageSize = 24632;
  // Position of each curve family (in table order) among the image's curves.
  constexpr std::size_t kCurveSlot[12] = {0, 1, 2, 3, 4, 11, 5, 6, 7, 8, 9, 10};
  constexpr std::size_t kCurves = 16, kSigma = 24592;
  std::map<std::string, std::vector<uint8_t>> tables;
  if (image.size() < kImageSize) return tables;
  auto value = [&](std::vector<uint8_t>& out, std::size_t at) {
    out.push_back(image[at + 1]);
    out.push_back(image[at]);
  };
  for (std::size_t i = 0; i < kTableCount; ++i) {
    const TableLayout& t = kTables[i];
    const std::size_t c = i % 4;
    std::vector<uint8_t> bytes;
    if (i < 48) {
      std::size_t start = kCurves + 512 * (4 * kCurveSlot[i / 4] + c);
      for (std::size_t v = 0; v < 256; ++v) value(bytes, start + 2 * v);
    } else if (i < 52) {  // E_Gamma_*_SE: two values
      value(bytes, 2 * c);
      value(bytes, 8 + 2 * c);
    } else if (i < 56) {  // C_Sigma: three values
      for (std::size_t k = 0; k < 3; ++k) value(bytes, kSigma + 8 * k + 2 * c);
    } else {  // G_Sigma: two values
      for (std::size_t k = 3; k < 5; ++k) value(bytes, kSigma + 8 * k + 2 * c);
    }
    bytes.resize(t.size, 0);
    tables.emplace(std::string(t.name), std::move(bytes));
  }
  return tables;
}

}  // namespace printer_sim
