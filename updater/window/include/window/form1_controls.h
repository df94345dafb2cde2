// Form1's controls as the window front end drives them: named by kind and
// number, with the markers and update steps as data. The Win32 Form1 is one
// implementation; tests record the calls.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace updater {

enum class Element {
  Label3,   // family code
  Text5,    // status message
  Label10,  // "Printer Name "
  Text2,    // chosen device name
  Label4,   // expected firmware version
  Label7,
  Text1,  // firmware version read from the printer
  Label5,   // expected colour control data version
  Label6,   // expected checksum
  Label21,
  Text3,
  Label20,
  Text4,
  Label12,  // step labels 1..5
  Label13,
  Label14,
  Label15,
  Label16,
  Picture1,  // firmware row: box / check mark
  Picture2,
  Picture3,  // colour control data row: box / check mark
  Picture4,
  Picture5,  // step markers, box / check mark per step
  Picture6,
  Picture7,
  Picture8,
  Picture9,
  Picture10,
  Picture11,
  Picture12,
  Picture13,
  Picture14,
  Command1,  // Start
  Command2,  // Close
  Command3,  // focus holder during a run
  ProgressBar1,
};
inline constexpr int kElementCount = static_cast<int>(Element::ProgressBar1) + 1;

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kDarkGreen{0, 128, 0};
inline constexpr Rgb kBlack{0, 0, 0};

// Texts are UTF-8. Progress is the bar's value, 0 to 100, single precision.
class Form1Controls {
 public:
  virtual void setText(Element element, std::string_view text) = 0;
  virtual void setTextColour(Element element, Rgb colour) = 0;
  virtual void setEnabled(Element element, bool enabled) = 0;
  virtual void setVisible(Element element, bool visible) = 0;
  virtual void setBold(Element element, bool bold) = 0;
  virtual void setProgress(float value) = 0;
  virtual void setFocus(Element element) = 0;

 protected:
  ~Form1Controls() = default;
};

// A box and, on the same spot, the check mark that replaces it when done.
struct MarkerPair {
  Element box;
  Element check;
};

inline constexpr MarkerPair kFirmwareMarker{Element::Picture1, Element::Picture2};
inline constexpr MarkerPair kColorDataMarker{Element::Picture3, Element::Picture4};

struct StepRow {
  Element label;
  MarkerPair marker;
};
inline constexpr std::array<StepRow, 5> kStepRows{{
    {Element::Label12, {Element::Picture5, Element::Picture6}},
    {Element::Label13, {Element::Picture7, Element::Picture8}},
    {Element::Label14, {Element::Picture9, Element::Picture10}},
    {Element::Label15, {Element::Picture11, Element::Picture12}},
    {Element::Label16, {Element::Picture13, Element::Picture14}},
}};

// Steps are numbered from 1, as the window shows them.
constexpr const StepRow& stepRow(int step) { return kStepRows[static_cast<size_t>(step - 1)]; }
constexpr Element stepLabel(int step) { return stepRow(step).label; }
constexpr Element stepBox(int step) { return stepRow(step).marker.box; }
constexpr Element stepCheck(int step) { return stepRow(step).marker.check; }

// Every box and check mark of the window.
bool isMarker(Element element);
bool isCheckMark(Element element);

}  // namespace updater
