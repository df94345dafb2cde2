// The windows' automation contract: how Form1 and the port dialog are found
// and read from outside (our GUI tests, a technician's automation tools).
// Each control publishes what the system can't tell: its text colour, the
// weight of its font and the progress bar's exact value, as window
// properties; Form1 also publishes what the run guard was granted.
#pragma once
#include <cstdint>

#include "window/form1_controls.h"

namespace updater {

inline constexpr const wchar_t* kForm1Class = L"QMQN_Form1";
inline constexpr const wchar_t* kPortDialogClass = L"QMQN_frmPortSetting";

// Form1's controls: 100 plus the element's index; its two frames.
constexpr int controlId(Element element) { return 100 + static_cast<int>(element); }
inline constexpr int kForm1Frame1Id = 200;
inline constexpr int kForm1Frame2Id = 201;

// The port dialog's controls.
inline constexpr int kDialogOkId = 1;
inline constexpr int kDialogCancelId = 2;
inline constexpr int kDialogComboId = 301;
inline constexpr int kDialogEnglishId = 302;
inline constexpr int kDialogJapaneseId = 303;
inline constexpr int kDialogFrame1Id = 304;
inline constexpr int kDialogFrame2Id = 305;

// On each control: the text colour as a COLORREF with kColourSet added, so
// that black is not 0.
inline constexpr const wchar_t* kColourProperty = L"QMQN.Colour";
inline constexpr uint32_t kColourSet = 0x01000000u;
// On each control: kBoldOn or kBoldOff.
inline constexpr const wchar_t* kBoldProperty = L"QMQN.Bold";
inline constexpr uint32_t kBoldOn = 1;
inline constexpr uint32_t kBoldOff = 2;
// On the progress bar: its value times 1000, rounded, plus 1.
inline constexpr const wchar_t* kProgressProperty = L"QMQN.Progress";
// On Form1: kRunGuardReported, plus 1 while the system is kept awake and 2
// while a shutdown is held off with a reason.
inline constexpr const wchar_t* kRunGuardProperty = L"QMQN.RunGuard";
inline constexpr uint32_t kRunGuardReported = 0x100;

// The font of every text: Form1's and the dialog's at 9.75 pt, the dialog's
// list and OK button at 9 pt, the family code at 24 pt (hundredths of a
// point, at the window's dpi). The Shift-JIS charset lets the font mapper
// fall back to a face that shows Japanese when this one is missing.
inline constexpr const wchar_t* kUiFontFace = L"MS PGothic";
inline constexpr unsigned char kUiFontCharset = 128;
inline constexpr int kTextPoints = 975;
inline constexpr int kSmallPoints = 900;
inline constexpr int kFamilyCodePoints = 2400;

}  // namespace updater
