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

struct DecodedState {
  std::map<std::u16string, PrinterState> printers;
  std::vector<std::string> notes;  // what was left out and why, one trace line each
};

std::string encodeState(const PortStates& ports);
// Takes only what encodeState gives back unchanged: a section with a line it
// cannot read, and every section of a port named twice, are left out.
DecodedState decodeState(std::string_view text);

}  // namespace printer_sim
