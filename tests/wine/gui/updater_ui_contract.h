// The updater's windows as the driver finds and reads them: the windows'
// own automation contract, plus what the system gives every program.
#pragma once
#include <window/automation.h>

namespace gui {

using updater::controlId;
using updater::kColourProperty;
using updater::kBoldProperty;
using updater::kProgressProperty;
using updater::kRunGuardProperty;
using updater::kForm1Class;
using updater::kPortDialogClass;
using updater::kUiFontFace;
using updater::kUiFontCharset;
using updater::kTextPoints;
using updater::kSmallPoints;
using updater::kFamilyCodePoints;

inline constexpr const wchar_t* kTitle = L"QM/QN Version Up Tool";
inline constexpr const wchar_t* kMessageBoxClass = L"#32770";
inline constexpr int kMessageBoxText = 65535;
inline constexpr int kMessageBoxOk = 1;

inline constexpr int kForm1Frame1 = updater::kForm1Frame1Id;
inline constexpr int kForm1Frame2 = updater::kForm1Frame2Id;

namespace port_dialog {
inline constexpr int kOk = updater::kDialogOkId;
inline constexpr int kCancel = updater::kDialogCancelId;
inline constexpr int kPrinterList = updater::kDialogComboId;
inline constexpr int kEnglish = updater::kDialogEnglishId;
inline constexpr int kJapanese = updater::kDialogJapaneseId;
inline constexpr int kPrinterFrame = updater::kDialogFrame1Id;
inline constexpr int kLanguageFrame = updater::kDialogFrame2Id;
}  // namespace port_dialog

constexpr unsigned long colourProperty(unsigned red, unsigned green, unsigned blue) {
  return updater::kColourSet | red | (green << 8) | (blue << 16);
}
inline constexpr unsigned long kRedProperty = colourProperty(255, 0, 0);
inline constexpr unsigned long kBlueProperty = colourProperty(0, 0, 255);
inline constexpr unsigned long kBlackProperty = colourProperty(0, 0, 0);
inline constexpr unsigned long kDarkGreenProperty = colourProperty(0, 128, 0);
inline constexpr unsigned long kBoldOn = updater::kBoldOn;
inline constexpr unsigned long kBoldOff = updater::kBoldOff;
inline constexpr unsigned long kRunGuardReported = updater::kRunGuardReported;

}  // namespace gui
