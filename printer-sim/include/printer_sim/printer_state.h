// What a simulated printer holds: the part that persists across restarts of
// the host and the counters that tests inspect.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "printer_sim/config.h"

namespace printer_sim {

enum class Mode {
  Ready,        // answers its status answer
  Switching,    // FLASH_REWRITE received, answers "1100" until rewrite mode
  Rewrite,      // flash rewrite mode, answers "FU1"
  Programming,  // writing the accepted image, answers "FU2"
  Restarting,   // every call on the port fails
};

std::string_view modeName(Mode mode);

struct PrinterState {
  Family family = Family::QM;
  Mode mode = Mode::Ready;
  uint64_t modeUntilMs = 0;    // end of Switching, Programming or Restarting
  std::string firmware;        // version text reported by FVER
  std::string nextFirmware;    // version that programming installs
  bool busyAfterProgram = false;
  uint32_t counterLife = 0;
  uint32_t counterA = 0;
  uint32_t counterB = 0;
  uint32_t cutterMode = 0;
  std::vector<uint8_t> versionTable;                    // as written, zero-padded
  std::map<std::string, std::vector<uint8_t>> tables;   // QM: the 60 named tables
  std::vector<uint8_t> qnBlock;                         // QN: CTRLD_UPDATE_QN
  // Not persisted: what happened since the simulator started.
  uint32_t imagesAccepted = 0;
  uint32_t imagesRejected = 0;
  std::string lastImageError;
  uint32_t framesDropped = 0;
};

}  // namespace printer_sim
