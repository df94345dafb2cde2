#include "updater/update_run.h"

#include "updater/printer_values.h"
#include "updater/run_files.h"
#include "updater/status_codes.h"
#include "updater/transfers.h"

namespace updater {
namespace {

// The values the run reads again are forgotten: the firmware version, and a
// QM printer's colour control data.
void forgetValues(UpdateState& state) {
  state.firmware = {};
  if (state.family == Family::Qm) {
    state.colorDataVersion = {};
    state.colorDataChecksum = {};
  }
}

// Shows the printer's present colour control data; a value whose query
// fails keeps what it showed. Nothing is compared.
void showPresentColorData(const Services& s, StateWriter& out) {
  PrinterColorData shown = readShownColorData(s, out.state());
  out.colorDataRead({std::move(shown.version), Verdict::NotCompared},
                    {std::move(shown.checksum), Verdict::NotCompared});
}

RunEnd ended(StateWriter& out, RunEnd end) {
  out.state().runEnd = end;
  if (RunRecorder* recorder = out.recorder()) recorder->end(out.state(), end);
  out.allow(false, true);
  out.frontEnd().runEnded(end);
  return end;
}

}  // namespace

RunEnd runUpdate(const Services& s, StateWriter& out) {
  UpdateState& state = out.state();
  state.runEnd.reset();
  state.refusedFile.reset();
  out.allow(false, false);
  const PrinterValues before{state.firmware, state.colorDataVersion, state.colorDataChecksum};
  forgetValues(state);
  s.frontEnd.runStarted();
  s.clock.yield();

  // Every file is read and checked before the first printer command.
  RunFiles files;
  const Transfer read = readRunFiles(s, out, files);
  // The record begins before the printer's first command, with the files as read.
  if (RunRecorder* recorder = out.recorder()) recorder->begin(state, before, files.digests);
  if (read == Transfer::Failed) return ended(out, RunEnd::BadFile);

  if (!isReadyStatus(s.library(state.family).getStatus(state.portHandle))) {
    const RunEnd end = ended(out, RunEnd::StatusNotReady);
    s.clock.yield();
    return end;
  }
  if (transferFirmware(s, out, std::move(files.firmware)) == Transfer::Failed) {
    return ended(out, RunEnd::FirmwareFailed);
  }
  if (colorDataDue(state)) {
    if (transferColorData(s, out, files.colorData) == Transfer::Failed) return ended(out, RunEnd::ColorDataFailed);
  } else {
    showPresentColorData(s, out);
  }

  out.progress(95.0f);
  if (state.family == Family::Qm) out.closeStep(5);
  out.progress(100.0f);
  const RunEnd end = ended(out, RunEnd::Complete);
  s.clock.yield();
  return end;
}

}  // namespace updater
