// Scenarios of a real host: files checked before the printer is touched, a
// run that can't freeze or be cut off, DLLs from safe folders only, one
// updater per printer, every usable printer listed.
#pragma once
#include <cstddef>

#include "win32_gui_scenarios.h"

namespace gui {

inline constexpr size_t kRealHostScenarioCount = 7;
extern const Scenario kRealHostScenarios[kRealHostScenarioCount];

}  // namespace gui
