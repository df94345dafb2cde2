#include "window/form1_view.h"

#include "updater/status_codes.h"
#include "updater/texts.h"

namespace updater {
namespace {

struct Caption {
  Element element;
  TextId text;
};
constexpr Caption kCaptions[] = {
    {Element::Label10, TextId::PrinterNameCaption}, {Element::Label7, TextId::FirmwareVerCaption},
    {Element::Label21, TextId::ColorDataCaption},   {Element::Label20, TextId::CheckSumCaption},
    {Element::Command1, TextId::StartButton},       {Element::Command2, TextId::CloseButton},
};

}  // namespace

void Form1View::showDone(MarkerPair marker, bool done) {
  c_.setVisible(marker.box, !done);
  c_.setVisible(marker.check, done);
}

void Form1View::showMessage(Rgb colour, std::string_view text) {
  c_.setTextColour(Element::Text5, colour);
  c_.setText(Element::Text5, text);
}

// Red where the value differs, black where it matches; a value not compared
// keeps its colour.
void Form1View::showValue(Element box, const ReadValue& value) {
  if (value.text) c_.setText(box, *value.text);
  if (value.verdict != Verdict::NotCompared) c_.setTextColour(box, value.verdict == Verdict::Same ? kBlack : kRed);
}

void Form1View::checkStarted(std::string_view printer, bool japanese) {
  japanese_ = japanese;
  family_ = Family::None;
  firmwareDiffers_ = false;
  showDone(kFirmwareMarker, false);
  showDone(kColorDataMarker, false);
  for (const StepRow& row : kStepRows) {
    showDone(row.marker, false);
    c_.setEnabled(row.label, false);
  }
  for (Element e : {Element::Text1, Element::Text2, Element::Text3, Element::Text4}) c_.setText(e, "");
  c_.setText(Element::Text2, printer);
  for (const Caption& caption : kCaptions) c_.setText(caption.element, text(caption.text, japanese));
  for (int step = 1; step <= kStepCount; ++step) c_.setText(stepLabel(step), text(stepCaption(step), japanese));
}

void Form1View::familyFound(Family family, const Release* release) {
  family_ = family;
  if (release) c_.setText(Element::Label3, release->familyCode);
  c_.setText(Element::Label4, release ? release->firmwareVersion : "");
  c_.setText(Element::Label5, release ? release->colorDataFile : "");
  c_.setText(Element::Label6, release ? release->colorDataChecksum : "");
  // QN has no colour control data row and no last step.
  if (family == Family::Qn) {
    const StepRow& last = kStepRows.back();
    for (Element e : {kColorDataMarker.box, kColorDataMarker.check, last.label, last.marker.box, last.marker.check}) {
      c_.setVisible(e, false);
    }
  }
}

void Form1View::firmwareRead(const ReadValue& version) {
  showValue(Element::Text1, version);
  firmwareDiffers_ = version.verdict == Verdict::Differs;
  if (version.verdict == Verdict::Same) showDone(kFirmwareMarker, true);
}

void Form1View::colorDataRead(const ReadValue& version, const ReadValue& checksum) {
  showValue(Element::Text3, version);
  showValue(Element::Text4, checksum);
  if (version.verdict == Verdict::Same && checksum.verdict == Verdict::Same) showDone(kColorDataMarker, true);
}

void Form1View::checkEnded(CheckEnd end, uint32_t status) {
  switch (end) {
    case CheckEnd::PortInUse:
    case CheckEnd::BadHandle:
      return;
    case CheckEnd::NotQmQn:
    case CheckEnd::PrinterError:
      c_.setText(Element::Label3, "--");
      showMessage(kRed, text(end == CheckEnd::NotQmQn ? TextId::NotQmQn : TextId::PrinterError, japanese_));
      return;
    case CheckEnd::UpdateDue:
    case CheckEnd::UpToDate:
      // In rewrite mode the box says so instead of a version.
      if (status == kFlashRewriteMode && firmwareDiffers_) {
        c_.setText(Element::Text1, text(TextId::FirmwareUpdateMode, japanese_));
      }
      showMessage(kBlue, text(end == CheckEnd::UpdateDue ? TextId::UpdateDue : TextId::UpToDate, japanese_));
      return;
  }
}

void Form1View::runStarted() {
  c_.setText(Element::Text1, "");
  if (family_ == Family::Qm) {
    c_.setText(Element::Text3, "");
    c_.setText(Element::Text4, "");
  }
  c_.setText(Element::Text5, "");
  showDone(kFirmwareMarker, false);
  c_.setVisible(kColorDataMarker.box, family_ == Family::Qm);
  c_.setVisible(kColorDataMarker.check, false);
  c_.setFocus(Element::Command3);
}

void Form1View::stepOpened(int step) {
  c_.setEnabled(stepLabel(step), true);
  c_.setBold(stepLabel(step), true);
}

void Form1View::stepClosed(int step) {
  showDone(stepRow(step).marker, true);
  c_.setBold(stepLabel(step), false);
}

void Form1View::progressed(float value) { c_.setProgress(value); }

void Form1View::runEnded(RunEnd end) {
  switch (end) {
    case RunEnd::Ignored:
      return;
    case RunEnd::Complete:
      if (family_ == Family::Qm) showDone(kColorDataMarker, true);
      showMessage(kBlue, text(TextId::Complete, japanese_));
      c_.setFocus(Element::Command2);
      return;
    case RunEnd::StatusNotReady:
      showMessage(kRed, text(TextId::PrinterError, japanese_));
      return;
    case RunEnd::BadFile:
    case RunEnd::FirmwareFailed:
    case RunEnd::ColorDataFailed:
      showMessage(kRed, text(TextId::PrinterError, japanese_));
      c_.setFocus(Element::Command2);
      // The bar stays greyed where the firmware step stopped, also through a
      // later run's progress.
      if (end != RunEnd::ColorDataFailed) c_.setEnabled(Element::ProgressBar1, false);
      return;
  }
}

void Form1View::allowed(bool start, bool close) {
  c_.setEnabled(Element::Command1, start);
  c_.setEnabled(Element::Command2, close);
}

void Form1View::notice(std::string_view text) { boxes_.show(text); }

}  // namespace updater
