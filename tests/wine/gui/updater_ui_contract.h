// How the updater's windows can be found and read from outside: window
// classes, control IDs and the properties the window publishes.
#pragma once
#include <updater/window.h>

namespace gui {

inline constexpr const wchar_t* kTitle = L"QM/QN Version Up Tool";
inline constexpr const wchar_t* kForm1Class = L"QMQN_Form1";
inline constexpr const wchar_t* kPortDialogClass = L"QMQN_frmPortSetting";
inline constexpr const wchar_t* kMessageBoxClass = L"#32770";
inline constexpr int kMessageBoxText = 65535;
inline constexpr int kMessageBoxOk = 1;

constexpr int controlId(updater::Element element) { return 100 + static_cast<int>(element); }
inline constexpr int kForm1Frame1 = 200;
inline constexpr int kForm1Frame2 = 201;

namespace port_dialog {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kPrinterList = 301;
inline constexpr int kEnglish = 302;
inline constexpr int kJapanese = 303;
inline constexpr int kPrinterFrame = 304;
inline constexpr int kLanguageFrame = 305;
}  // namespace port_dialog

inline constexpr const wchar_t* kColourProperty = L"QMQN.Colour";
inline constexpr const wchar_t* kBoldProperty = L"QMQN.Bold";
inline constexpr const wchar_t* kProgressProperty = L"QMQN.Progress";

// "QMQN.Colour" holds the COLORREF with this bit set, so that black is not 0.
constexpr unsigned long colourProperty(unsigned red, unsigned green, unsigned blue) {
  return 0x01000000ul | red | (green << 8) | (blue << 16);
}
inline constexpr unsigned long kRedProperty = colourProperty(255, 0, 0);
inline constexpr unsigned long kBlueProperty = colourProperty(0, 0, 255);
inline constexpr unsigned long kBlackProperty = colourProperty(0, 0, 0);
inline constexpr unsigned long kDarkGreenProperty = colourProperty(0, 128, 0);
inline constexpr unsigned long kBoldOn = 1;
inline constexpr unsigned long kBoldOff = 2;

// The font every text is drawn in, as the updater asks for it (sizes in
// hundredths of a point, at the window's dpi): Form1's texts and the dialog's
// at 9.75 pt, the dialog's list and OK button at 9 pt, the family code (Label3)
// at 24 pt; step labels are bold while their step runs.
inline constexpr const wchar_t* kUiFontFace = L"MS PGothic";
inline constexpr unsigned char kUiFontCharset = 128;  // SHIFTJIS_CHARSET
inline constexpr int kTextPoints = 975;
inline constexpr int kSmallPoints = 900;
inline constexpr int kFamilyCodePoints = 2400;

}  // namespace gui
