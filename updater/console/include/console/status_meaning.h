// What a status code says: the printer's answer behind it (the libraries'
// status tables) and how the updater reads it.
#pragma once
#include <cstdint>
#include <string>

namespace qmqn {

// "answer 1100, ready", "answer FU1, firmware update mode",
// "answer 2300, printer error", "no status (not a QM/QN printer)".
std::string statusMeaning(uint32_t status);
// 0x10008 as "0x10008".
std::string statusHex(uint32_t status);

}  // namespace qmqn
