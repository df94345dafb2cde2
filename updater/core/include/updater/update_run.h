// The update run behind Start.
#pragma once
#include "updater/services.h"
#include "updater/state_writer.h"

namespace updater {

RunEnd runUpdate(const Services& services, StateWriter& out);

}  // namespace updater
