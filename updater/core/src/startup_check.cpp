#include "updater/startup_check.h"

#include "updater/status_codes.h"
#include "updater/step_list.h"
#include "updater/text_query.h"
#include "updater/texts.h"

namespace updater {
namespace {

constexpr size_t kChecksumShown = 4;

void resetWindow(Window& w) {
  w.setVisible(Element::Picture1, true);
  w.setVisible(Element::Picture2, false);
  w.setVisible(Element::Picture3, true);
  w.setVisible(Element::Picture4, false);
  for (int step = 1; step <= 5; ++step) {
    w.setVisible(stepBox(step), true);
    w.setVisible(stepCheck(step), false);
    w.setEnabled(stepLabel(step), false);
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

uint32_t probeFamily(const Services& s, UpdaterState& state, const std::u16string& port) {
  state.portHandle = s.qm.initialize(port.c_str());
  uint32_t status = s.qm.getStatus(state.portHandle);
  if (status != kStatusNone) {
    state.family = Family::Qm;
    return status;
  }
  state.portHandle = s.qn.initialize(port.c_str());
  status = s.qn.getStatus(state.portHandle);
  state.family = status != kStatusNone ? Family::Qn : Family::None;
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
      {Element::Label12, TextId::Step1},              {Element::Label13, TextId::Step2},
      {Element::Label14, TextId::Step3},              {Element::Label15, TextId::Step4},
      {Element::Label16, TextId::Step5},              {Element::Command1, TextId::StartButton},
      {Element::Command2, TextId::CloseButton},
  };
  for (const Caption& c : kCaptions) w.setText(c.element, text(c.text, japanese));
}

void setUpFamily(Window& w, Family family) {
  if (family != Family::None) w.setText(Element::Label3, releaseOf(family).familyCode);
  w.setText(Element::Label4, family == Family::None ? "" : releaseOf(family).firmwareVersion);
  w.setText(Element::Label5, family == Family::Qm ? kQmRelease.colorDataFile : "");
  w.setText(Element::Label6, family == Family::Qm ? kQmRelease.colorDataChecksum : "");
  if (family == Family::Qn) {
    for (Element e : {Element::Picture3, Element::Picture4, Element::Label16, Element::Picture13,
                      Element::Picture14}) {
      w.setVisible(e, false);
    }
  }
  w.setEnabled(Element::Command1, false);
  w.setEnabled(Element::Command2, true);
}

// Step 12: true when the firmware differs from the release.
bool firmwareDiffers(const Services& s, const UpdaterState& state, uint32_t status) {
  Window& w = s.window;
  QueryBuffer buffer;
  const int32_t count = s.library(state.family).getFirmwVersion(state.portHandle, buffer.bytes);
  w.setText(Element::Text1, replyText(buffer, count, s.codePage));
  if (count >= 0 && sameRelease(w.text(Element::Label4), w.text(Element::Text1))) {
    w.setVisible(Element::Picture1, false);
    w.setVisible(Element::Picture2, true);
    return false;
  }
  if (status == kFlashRewriteMode) {
    w.setText(Element::Text1, text(TextId::FirmwareUpdateMode, state.useJapanese));
  }
  w.setTextColour(Element::Text1, kRed);
  return true;
}

// Step 13: true when the colour control data must be rewritten.
bool colorDataDiffers(const Services& s, UpdaterState& state, uint32_t status) {
  Window& w = s.window;
  if (status == kFlashRewriteMode) {
    state.colorDataCurrent = false;
    return false;
  }
  StatusBinding& lib = s.library(state.family);
  QueryBuffer versionBuffer;
  const int32_t versionCount = lib.getColorDataVersion(state.portHandle, versionBuffer.bytes);
  if (versionCount > 0) {
    w.setText(Element::Text3,
              upperCase(trimBlanks(replyText(versionBuffer, versionCount, s.codePage))));
  }
  QueryBuffer checksumBuffer;
  const int32_t checksumCount = lib.getColorDataChecksum(state.portHandle, checksumBuffer.bytes);
  if (checksumCount > 0) {
    w.setText(Element::Text4,
              upperCase(trimBlanks(replyText(checksumBuffer, kChecksumShown, s.codePage))));
  }
  if (state.family != Family::Qm) {
    state.colorDataCurrent = true;
    return false;
  }
  if (w.text(Element::Text3) == w.text(Element::Label5) &&
      w.text(Element::Text4) == w.text(Element::Label6)) {
    w.setVisible(Element::Picture3, false);
    w.setVisible(Element::Picture4, true);
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
