// The printer a command names, found and found usable, or the outcome that
// ends the command, said on standard error.
#pragma once
#include <optional>
#include <string>

#include "console/commands.h"
#include "console/exit_codes.h"

namespace qmqn {

struct ChosenPrinter {
  std::string name;
  std::string port;
  std::optional<Outcome> refused;  // set: not found or not usable
};

ChosenPrinter findPrinter(const Target& target, Tool& tool);

}  // namespace qmqn
