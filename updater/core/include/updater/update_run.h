// The update run behind the Start button.
#pragma once
#include "updater/services.h"
#include "updater/updater_state.h"

namespace updater {

enum class RunEnd {
  BadFile,  // a firmware or QMD file failed its check; the printer was not touched
  StatusNotReady,
  FirmwareFailed,
  ColorDataFailed,
  Complete,
  Ignored,  // a run was already in progress
};

RunEnd runUpdate(const Services& services, const UpdaterState& state);

}  // namespace updater
