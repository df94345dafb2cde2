// Text form of the printers' persistent state (the state file).
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "printer_sim/printer_state.h"

namespace printer_sim {

using PortStates = std::vector<std::pair<std::u16string, const PrinterState*>>;

std::string encodeState(const PortStates& ports);
// Printers whose section is damaged are left out.
std::map<std::u16string, PrinterState> decodeState(std::string_view text);

}  // namespace printer_sim
