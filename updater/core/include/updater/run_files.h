// The files a run needs, read from the program's folder and checked before
// the printer gets its first command: a bad file found after the flash write
// would leave the printer half updated.
#pragma once
#include <cstdint>
#include <vector>

#include "QmStat.h"
#include "updater/firmware_image.h"
#include "updater/services.h"
#include "updater/state_writer.h"
#include "updater/run_recorder.h"
#include "updater/transfers.h"

namespace updater {

inline constexpr size_t kColorFileLimit = 60'000;
// Shorter files can't fill the 60 tables even after the zero padding; the
// library would refuse them after the version text had been stored.
inline constexpr size_t kColorFileMinimum = QMSTAT_COLOR_IMAGE_SIZE - 3;

struct RunFiles {
  FirmwareImage firmware;
  std::vector<uint8_t> colorData;  // zero-padded to a multiple of 4; empty when not due
  std::vector<RunFileDigest> digests;  // of each file read, as read
};

// True when the run writes the colour control data table after the firmware.
constexpr bool colorDataDue(const UpdateState& state) {
  return state.family == Family::Qm && !state.colorDataCurrent;
}

// Builds the family's firmware image and, when due, reads the QMD file. A bad
// file gives its notice with step 1 open at progress 10 and gives Failed;
// nothing is sent to the printer either way.
Transfer readRunFiles(const Services& services, StateWriter& out, RunFiles& files);

// The first release file the program's record holds whose bytes, as the
// files beside the program hold them, differ from the recorded ones; none
// when every recorded file is intact or missing (a missing file is reported
// when a run needs it). Reads each file; sends nothing.
std::optional<RefusedFile> changedReleaseFile(ProgramFiles& files, const ReleaseRecord& record);

// Opens step 1 as the images are taken up: progress 5, then 10, yielding
// after each.
void showTransmissionData(const Services& services, StateWriter& out);

}  // namespace updater
