// Which printer a command means, and whether it can be used.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "console/arguments.h"
#include "console/tool_host.h"
#include "updater/usable_port.h"

namespace qmqn {

using Usability = updater::PortUsability;

// The start-up check's rule, with the reason kept.
Usability usabilityOf(const updater::PortRecord& record);
std::string_view usabilityText(Usability usability);
// The port name from the record's field, up to its NUL.
std::string portText(const updater::PortRecord& record);

struct Choice {
  enum class End { Found, NoMatch, Ambiguous };
  End end = End::NoMatch;
  std::string deviceName;
  std::vector<std::string> candidates;  // with Ambiguous
};

// By name: exact, then a unique beginning in any case. By port: the printers
// whose port matches in any case, one of them. Case by the host's rules.
Choice choosePrinter(const Target& target, const std::vector<std::string>& names, updater::PrinterHost& printers,
                     const CaseRules& caseRules);

}  // namespace qmqn
