// The start-up check: the host's usable printers, and on the chosen one the
// family probe, the version and colour control data comparison.
#pragma once
#include <string>
#include <vector>

#include "updater/services.h"
#include "updater/state_writer.h"

namespace updater {

// Device names of the installed printers whose port a status library can use
// (online, bidirectional, a port name it holds), in the host's order.
std::vector<std::string> usablePrinters(PrinterHost& printers);

struct FamilyProbe {
  Family family = Family::None;
  int32_t handle = 0;  // of the last library asked
  uint32_t status = kStatusNone;
};

// QmStat first; QnStat only when QmStat has no status. Any status but
// kStatusNone makes the printer that library's, error statuses included.
FamilyProbe probeFamily(StatusBinding& qm, StatusBinding& qn, const std::u16string& port);

// Claims the printer's port, probes the family, reads the versions and
// decides whether an update is due; leaves it all in the writer's state.
CheckEnd runStartupCheck(const Services& services, StateWriter& out, const std::string& printer, bool japanese);

}  // namespace updater
