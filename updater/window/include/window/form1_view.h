// The window front end: what the core tells it, shown on Form1's controls
// (the expected values dark green, what differs red, status messages blue or
// red, a check mark for each step done) and in message boxes.
#pragma once
#include "updater/front_end.h"
#include "window/dialogs.h"
#include "window/form1_controls.h"

namespace updater {

class Form1View final : public FrontEnd {
 public:
  Form1View(Form1Controls& controls, MessageBoxes& boxes) : c_(controls), boxes_(boxes) {}

  void checkStarted(std::string_view printer, bool japanese) override;
  void familyFound(Family family, const Release* release) override;
  void firmwareRead(const ReadValue& version) override;
  void colorDataRead(const ReadValue& version, const ReadValue& checksum) override;
  void checkEnded(CheckEnd end, uint32_t status) override;
  void runStarted() override;
  void stepOpened(int step) override;
  void stepClosed(int step) override;
  void progressed(float value) override;
  void runEnded(RunEnd end) override;
  void allowed(bool start, bool close) override;
  void notice(std::string_view text) override;

 private:
  void showValue(Element box, const ReadValue& value);
  void showDone(MarkerPair marker, bool done);
  void showMessage(Rgb colour, std::string_view text);

  Form1Controls& c_;
  MessageBoxes& boxes_;
  bool japanese_ = false;
  Family family_ = Family::None;
  bool firmwareDiffers_ = false;
};

}  // namespace updater
