// Everything a status library reads of one printer, through its exports
// found by name (a table per family). Read-only: no export that changes the
// printer is ever looked up.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "updater/host.h"
#include "updater/library_loader.h"
#include "updater/updater_state.h"

namespace qmqn {

struct InfoValue {
  std::string_view key;    // JSON key
  std::string_view label;  // shown
  std::optional<std::string> value;  // empty: the query failed or the export is missing
  bool number = false;  // value holds a decimal number
};

class PrinterInfoReader {
 public:
  PrinterInfoReader(updater::LibraryLoader& loader, const updater::CodePage& codePage)
      : loader_(loader), codePage_(codePage) {}
  // handle: the port's handle in the family's library (its registry is shared
  // with the updater's binding of the same library).
  std::vector<InfoValue> read(updater::Family family, int32_t handle);

 private:
  updater::LibraryLoader& loader_;
  const updater::CodePage& codePage_;
};

}  // namespace qmqn
