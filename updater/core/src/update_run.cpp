#include "updater/update_run.h"

#include "updater/color_data_view.h"
#include "updater/run_files.h"
#include "updater/status_codes.h"
#include "updater/step_list.h"
#include "updater/text_query.h"
#include "updater/texts.h"
#include "updater/transfers.h"

namespace updater {
namespace {

void showPrinterError(Window& w, bool japanese) {
  w.setTextColour(Element::Text5, kRed);
  w.setText(Element::Text5, text(TextId::PrinterError, japanese));
}

void prepareWindow(Window& w, Family family) {
  w.setEnabled(Element::Command1, false);
  w.setEnabled(Element::Command2, false);
  w.setText(Element::Text1, "");
  if (family == Family::Qm) {
    w.setText(Element::Text3, "");
    w.setText(Element::Text4, "");
  }
  w.setText(Element::Text5, "");
  showDone(w, kFirmwareMarker, false);
  // A QN printer has no colour control data row.
  w.setVisible(kColorDataMarker.box, family == Family::Qm);
  w.setVisible(kColorDataMarker.check, false);
  w.setFocus(Element::Command3);
}

// Printer error, Close focused, the bar greyed where the firmware step stopped.
void showFirmwareFailure(Window& w, bool japanese) {
  showPrinterError(w, japanese);
  w.setEnabled(Element::Command2, true);
  w.setFocus(Element::Command2);
  w.setEnabled(Element::ProgressBar1, false);
}

}  // namespace

RunEnd runUpdate(const Services& s, const UpdaterState& state) {
  Window& w = s.window;
  prepareWindow(w, state.family);
  s.clock.yield();

  // Every file is read and checked before the first printer command.
  RunFiles files;
  const Transfer read = readRunFiles(s, state, files);
  if (read == Transfer::Failed) {
    showFirmwareFailure(w, state.useJapanese);
    return RunEnd::BadFile;
  }

  if (!isReadyStatus(s.library(state.family).getStatus(state.portHandle))) {
    showPrinterError(w, state.useJapanese);
    w.setEnabled(Element::Command2, true);
    s.clock.yield();
    return RunEnd::StatusNotReady;
  }

  const Transfer firmware =
      transferFirmware(s, state, std::move(files.firmware), w.text(Element::Label4));
  if (firmware == Transfer::Failed) {
    showFirmwareFailure(w, state.useJapanese);
    return RunEnd::FirmwareFailed;
  }

  if (colorDataDue(state)) {
    const Transfer color = transferColorData(s, state, files.colorData, kQmRelease.colorDataFile,
                                             Element::Label5, Element::Label6);
    if (color == Transfer::Failed) {
      showPrinterError(w, state.useJapanese);
      w.setEnabled(Element::Command2, true);
      w.setFocus(Element::Command2);
      return RunEnd::ColorDataFailed;
    }
  } else {
    showPrinterColorData(s, state);
  }

  w.setProgress(95.0f);
  if (state.family == Family::Qm) {
    showDone(w, kColorDataMarker, true);
    closeStep(w, 5);
  }
  w.setProgress(100.0f);
  w.setTextColour(Element::Text5, kBlue);
  w.setText(Element::Text5, text(TextId::Complete, state.useJapanese));
  w.setEnabled(Element::Command2, true);
  w.setFocus(Element::Command2);
  s.clock.yield();
  return RunEnd::Complete;
}

}  // namespace updater
