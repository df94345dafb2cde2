#include "updater/form_layout.h"

namespace updater {
namespace {

using E = Element;
using K = ControlKind;

constexpr int kStepTop = 248;
constexpr int kStepPitch = 28;
constexpr int stepRow(int step) { return kStepTop + (step - 1) * kStepPitch; }
constexpr PixelRect marker(int top) { return {24, top, kMarkerSize, kMarkerSize}; }
constexpr PixelRect stepLabel(int step) { return {44, stepRow(step) + 1, 330, 18}; }
constexpr PixelRect stepMarker(int step) { return marker(stepRow(step) + 3); }

constexpr std::array<Form1Control, kElementCount> kForm1{{
    {E::Label3, K::LargeLabel, {12, 6, 120, 40}, kBlue},
    {E::Text5, K::TextField, {12, 50, 496, 22}, kBlue},
    {E::Label10, K::Label, {24, 95, 124, 18}},
    {E::Text2, K::TextField, {150, 92, 346, 22}},
    {E::Label4, K::Label, {44, 122, 452, 18}, kDarkGreen},
    {E::Label7, K::Label, {24, 149, 124, 18}},
    {E::Text1, K::TextField, {150, 146, 346, 22}},
    {E::Label5, K::Label, {44, 176, 200, 18}, kDarkGreen},
    {E::Label6, K::Label, {250, 176, 120, 18}, kDarkGreen},
    {E::Label21, K::Label, {24, 201, 124, 18}},
    {E::Text3, K::TextField, {150, 198, 150, 22}},
    {E::Label20, K::Label, {308, 201, 90, 18}},
    {E::Text4, K::TextField, {400, 198, 96, 22}},
    {E::Label12, K::Label, stepLabel(1)},
    {E::Label13, K::Label, stepLabel(2)},
    {E::Label14, K::Label, stepLabel(3)},
    {E::Label15, K::Label, stepLabel(4)},
    {E::Label16, K::Label, stepLabel(5)},
    {E::Picture1, K::Marker, marker(124)},
    {E::Picture2, K::Marker, marker(124)},
    {E::Picture3, K::Marker, marker(178)},
    {E::Picture4, K::Marker, marker(178)},
    {E::Picture5, K::Marker, stepMarker(1)},
    {E::Picture6, K::Marker, stepMarker(1)},
    {E::Picture7, K::Marker, stepMarker(2)},
    {E::Picture8, K::Marker, stepMarker(2)},
    {E::Picture9, K::Marker, stepMarker(3)},
    {E::Picture10, K::Marker, stepMarker(3)},
    {E::Picture11, K::Marker, stepMarker(4)},
    {E::Picture12, K::Marker, stepMarker(4)},
    {E::Picture13, K::Marker, stepMarker(5)},
    {E::Picture14, K::Marker, stepMarker(5)},
    {E::Command1, K::Button, {392, 248, 104, 30}},
    {E::Command2, K::Button, {392, 286, 104, 30}},
    // Takes the focus during a run; never seen.
    {E::Command3, K::Button, {-100, -100, 10, 10}},
    {E::ProgressBar1, K::Progress, {24, 404, 472, 22}},
}};

constexpr std::array<Form1Group, 2> kGroups{{
    {kForm1Frame2Id, {12, 78, 496, 146}},
    {kForm1Frame1Id, {12, 232, 496, 208}},
}};

// Positions inside a frame are the frame's plus the control's, in twips.
constexpr int kFrame1Left = 120, kFrame1Top = 120;
constexpr int kFrame2Left = 120, kFrame2Top = 1020;

constexpr std::array<DialogControl, 7> kDialog{{
    {kDialogOkId, DialogControlKind::Button, u"OK", twipsRect(1680, 1080, 1275, 435), true},
    {kDialogFrame1Id, DialogControlKind::Group, u"Printer", twipsRect(120, 120, 2835, 795), false},
    {kDialogComboId, DialogControlKind::DropDownList, u"",
     twipsRect(kFrame1Left + 120, kFrame1Top + 360, 2595, 300), true},
    {kDialogFrame2Id, DialogControlKind::Group, u"Language", twipsRect(120, 1020, 1455, 1035), false},
    {kDialogJapaneseId, DialogControlKind::Radio, u"Japanese",
     twipsRect(kFrame2Left + 180, kFrame2Top + 660, 1155, 315), false},
    {kDialogEnglishId, DialogControlKind::Radio, u"English",
     twipsRect(kFrame2Left + 180, kFrame2Top + 300, 1095, 315), false},
    {kDialogCancelId, DialogControlKind::Button, u"Cancel", twipsRect(1680, 1620, 1275, 435), false},
}};

}  // namespace

std::span<const Form1Control, kElementCount> form1Controls() { return kForm1; }
std::span<const Form1Group, 2> form1Groups() { return kGroups; }
std::span<const DialogControl, 7> portDialogControls() { return kDialog; }

}  // namespace updater
