// Everything a status library reads of one printer, through its exports
// found by name (a table per family) in the printer's turn. Read-only: no
// export that changes the printer is ever looked up.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/printer_turn.h"
#include "updater/host.h"

namespace qmqn {

struct InfoValue {
  std::string_view key;    // JSON key
  std::string_view label;  // shown
  std::optional<std::string> value;  // empty: the query failed or the export is missing
  bool number = false;  // value holds a decimal number
};

// handle: the port's handle in the turn's library of that family.
std::vector<InfoValue> readPrinterInfo(PrinterTurn& turn, updater::Family family, int32_t handle,
                                       const updater::CodePage& codePage);

}  // namespace qmqn
