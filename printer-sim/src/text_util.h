// Small text helpers shared by the configuration, state and trace formats.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace printer_sim {

std::string_view trim(std::string_view text);
std::optional<uint64_t> parseUnsigned(std::string_view text);
std::string toHex(const uint8_t* data, std::size_t size);
std::optional<std::vector<uint8_t>> fromHex(std::string_view text);
// Port names: UTF-16 inside, UTF-8 in files (Basic Multilingual Plane only).
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);
// Control characters as \xNN, so that a text from outside stays on one trace line.
std::string escapeControls(std::string_view text);

}  // namespace printer_sim
