#include "updater/startup_check.h"

#include "updater/color_data_view.h"
#include "updater/status_codes.h"
#include "updater/step_list.h"
#include "updater/text_query.h"
#include "updater/texts.h"

namespace updater {
namespace {

// How each family sets the window up: the release it is compared with, and
// whether it has colour control data (its row and the last step).
struct FamilyView {
  Family family;
  const Release* release;  // null: nothing to compare with
  bool colorData;
};
constexpr FamilyView kFamilyViews[] = {
    {Family::None, nullptr, true},
    {Family::Qm, &kQmRelease, true},
    {Family::Qn, &kQnRelease, false},
};

// The order in which the libraries are asked whether the printer is theirs.
constexpr Family kProbeOrder[] = {Family::Qm, Family::Qn};

const FamilyView& viewOf(Family family) {
  for (const FamilyView& v : kFamilyViews) {
    if (v.family == family) return v;
  }
  return kFamilyViews[0];
}

void resetWindow(Window& w) {
  showDone(w, kFirmwareMarker, false);
  showDone(w, kColorDataMarker, false);
  for (const UpdateStep& step : kUpdateSteps) {
    showDone(w, step.marker, false);
    w.setEnabled(step.label, false);
  }
  for (Element e : {Element::Text1, Element::Text2, Element::Text3, Element::Text4}) {
    w.setText(e, "");
  }
}

void collectPrinters(const Services& s, UpdaterState& state) {
  state.printerNames.clear();
  for (const std::string& name : s.printers.installedPrinters()) {
    if (!s.printers.printerPort(name).empty()) state.printerNames.push_back(name);
  }
}

void choosePrinter(const Services& s, UpdaterState& state) {
  state.portDialogCancelled = false;
  const PortChoice choice = s.portDialog.show(state.printerNames);
  switch (choice.end) {
    case PortChoice::End::Ok:
      // Only a filled entry is taken; otherwise the first printer stays chosen.
      if (choice.listIndex >= 0 && static_cast<size_t>(choice.listIndex) < state.printerNames.size()) {
        state.selectedPrinterIndex = choice.listIndex;
      }
      state.useJapanese = choice.japanese;
      break;
    case PortChoice::End::Cancel:
      state.portDialogCancelled = true;
      break;
    case PortChoice::End::Closed:
      break;
  }
}

// The first library that answers a status query owns the printer; the
// handle of the last one asked stays when none does.
uint32_t probeFamily(const Services& s, UpdaterState& state, const std::u16string& port) {
  uint32_t status = kStatusNone;
  state.family = Family::None;
  for (Family family : kProbeOrder) {
    StatusBinding& lib = s.library(family);
    state.portHandle = lib.initialize(port.c_str());
    status = lib.getStatus(state.portHandle);
    if (status != kStatusNone) {
      state.family = family;
      break;
    }
  }
  return status;
}

void setCaptions(Window& w, bool japanese) {
  struct Caption {
    Element element;
    TextId text;
  };
  static constexpr Caption kCaptions[] = {
      {Element::Label10, TextId::PrinterNameCaption}, {Element::Label7, TextId::FirmwareVerCaption},
      {Element::Label21, TextId::ColorDataCaption},   {Element::Label20, TextId::CheckSumCaption},
  };
  static constexpr Caption kButtons[] = {
      {Element::Command1, TextId::StartButton},
      {Element::Command2, TextId::CloseButton},
  };
  for (const Caption& c : kCaptions) w.setText(c.element, text(c.text, japanese));
  for (const UpdateStep& step : kUpdateSteps) w.setText(step.label, text(step.caption, japanese));
  for (const Caption& c : kButtons) w.setText(c.element, text(c.text, japanese));
}

void setUpFamily(Window& w, Family family) {
  const FamilyView& view = viewOf(family);
  const Release* r = view.release;
  if (r) w.setText(Element::Label3, r->familyCode);
  w.setText(Element::Label4, r ? r->firmwareVersion : "");
  w.setText(Element::Label5, r ? r->colorDataFile : "");
  w.setText(Element::Label6, r ? r->colorDataChecksum : "");
  if (!view.colorData) {
    const UpdateStep& last = kUpdateSteps.back();
    for (Element e : {kColorDataMarker.box, kColorDataMarker.check, last.label, last.marker.box,
                      last.marker.check}) {
      w.setVisible(e, false);
    }
  }
  w.setEnabled(Element::Command1, false);
  w.setEnabled(Element::Command2, true);
}

// Shows the printer's firmware version; true when it is not the release's.
bool firmwareDiffers(const Services& s, const UpdaterState& state, uint32_t status) {
  Window& w = s.window;
  QueryBuffer buffer;
  const int32_t count = s.library(state.family).getFirmwVersion(state.portHandle, buffer.bytes);
  w.setText(Element::Text1, replyText(buffer, count, s.codePage));
  if (count >= 0 && sameRelease(w.text(Element::Label4), w.text(Element::Text1))) {
    showDone(w, kFirmwareMarker, true);
    return false;
  }
  if (status == kFlashRewriteMode) {
    w.setText(Element::Text1, text(TextId::FirmwareUpdateMode, state.useJapanese));
  }
  w.setTextColour(Element::Text1, kRed);
  return true;
}

// Shows the printer's colour control data; true when a QM printer's differs
// from the release's. In rewrite mode nothing is read: the table is written
// after the firmware anyway.
bool colorDataDiffers(const Services& s, UpdaterState& state, uint32_t status) {
  Window& w = s.window;
  if (status == kFlashRewriteMode) {
    state.colorDataCurrent = false;
    return false;
  }
  showPrinterColorData(s, state);
  if (state.family != Family::Qm) {
    state.colorDataCurrent = true;
    return false;
  }
  if (w.text(Element::Text3) == w.text(Element::Label5) &&
      w.text(Element::Text4) == w.text(Element::Label6)) {
    showDone(w, kColorDataMarker, true);
    state.colorDataCurrent = true;
    return false;
  }
  w.setTextColour(Element::Text3, kRed);
  w.setTextColour(Element::Text4, kRed);
  state.colorDataCurrent = false;
  return true;
}

}  // namespace

StartupEnd runStartupCheck(const Services& s, UpdaterState& state) {
  Window& w = s.window;
  resetWindow(w);

  collectPrinters(s, state);
  if (state.printerNames.empty()) {
    s.messages.show(text(TextId::NoUsablePrinter, state.useJapanese));
    return StartupEnd::NoPrinter;
  }
  choosePrinter(s, state);
  if (state.portDialogCancelled) return StartupEnd::Cancelled;

  const std::string& chosen = state.printerNames[static_cast<size_t>(state.selectedPrinterIndex)];
  const std::u16string port = s.printers.printerPort(chosen);
  // Two updaters on one printer would both flash it; the second one stops
  // before its first printer command.
  if (!s.printers.claimPort(port)) {
    s.messages.show(text(TextId::PortInUse, state.useJapanese));
    return StartupEnd::PortInUse;
  }
  uint32_t status = probeFamily(s, state, port);
  w.setText(Element::Text2, chosen);
  if (state.portHandle < 0) {
    s.messages.show(kBadHandleMessage);
    return StartupEnd::BadHandle;
  }

  setCaptions(w, state.useJapanese);
  setUpFamily(w, state.family);
  if (state.family != Family::None) status = s.library(state.family).getStatus(state.portHandle);

  if (!isReadyStatus(status)) {
    w.setText(Element::Label3, "--");
    w.setTextColour(Element::Text5, kRed);
    const bool none = status == kStatusNone;
    w.setText(Element::Text5, text(none ? TextId::NotQmQn : TextId::PrinterError, state.useJapanese));
    return none ? StartupEnd::NotQmQn : StartupEnd::PrinterError;
  }

  const bool firmwareDue = firmwareDiffers(s, state, status);
  const bool colorDataDue = colorDataDiffers(s, state, status);
  const bool updateDue = firmwareDue || colorDataDue;
  w.setTextColour(Element::Text5, kBlue);
  w.setText(Element::Text5, text(updateDue ? TextId::UpdateDue : TextId::UpToDate, state.useJapanese));
  w.setEnabled(Element::Command1, updateDue);
  return updateDue ? StartupEnd::UpdateDue : StartupEnd::UpToDate;
}

}  // namespace updater
