#include "window/form_layout.h"

namespace updater {
namespace {

using E = Element;
using K = ControlKind;

// Heights leave room for fonts with a tall line (ascent plus descent near
// 1.45 em), and widths for bold step labels in a wider or simulated-bold face.
constexpr int kStepTop = 280;
constexpr int kStepPitch = 28;
constexpr int stepRow(int step) { return kStepTop + (step - 1) * kStepPitch; }
constexpr PixelRect marker(int top) { return {24, top, kMarkerSize, kMarkerSize}; }
constexpr PixelRect stepLabel(int step) { return {44, stepRow(step), 360, 21}; }
constexpr PixelRect stepMarker(int step) { return marker(stepRow(step) + 4); }

constexpr std::array<Form1Control, kElementCount> kForm1{{
    {E::Label3, K::LargeLabel, {12, 6, 120, 50}, kBlue},
    {E::Text5, K::TextField, {12, 60, 496, 25}, kBlue},
    {E::Label10, K::Label, {24, 110, 136, 21}},
    {E::Text2, K::TextField, {162, 108, 334, 25}},
    {E::Label4, K::Label, {44, 138, 452, 21}, kDarkGreen},
    {E::Label7, K::Label, {24, 166, 136, 21}},
    {E::Text1, K::TextField, {162, 164, 334, 25}},
    {E::Label5, K::Label, {44, 194, 200, 21}, kDarkGreen},
    {E::Label6, K::Label, {250, 194, 120, 21}, kDarkGreen},
    {E::Label21, K::Label, {24, 222, 136, 21}},
    {E::Text3, K::TextField, {162, 220, 130, 25}},
    {E::Label20, K::Label, {300, 222, 96, 21}},
    {E::Text4, K::TextField, {398, 220, 98, 25}},
    {E::Label12, K::Label, stepLabel(1)},
    {E::Label13, K::Label, stepLabel(2)},
    {E::Label14, K::Label, stepLabel(3)},
    {E::Label15, K::Label, stepLabel(4)},
    {E::Label16, K::Label, stepLabel(5)},
    {E::Picture1, K::Marker, marker(142)},
    {E::Picture2, K::Marker, marker(142)},
    {E::Picture3, K::Marker, marker(198)},
    {E::Picture4, K::Marker, marker(198)},
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
    {E::Command1, K::Button, {412, 280, 84, 30}},
    {E::Command2, K::Button, {412, 318, 84, 30}},
    // Takes the focus during a run; never seen.
    {E::Command3, K::Button, {-100, -100, 10, 10}},
    {E::ProgressBar1, K::Progress, {24, 424, 472, 22}},
}};

constexpr std::array<Form1Group, 2> kGroups{{
    {kForm1Frame2Id, {12, 92, 496, 163}},
    {kForm1Frame1Id, {12, 264, 496, 194}},
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
    // Wider than the English option: the check box and the text must fit.
    {kDialogJapaneseId, DialogControlKind::Radio, u"Japanese",
     twipsRect(kFrame2Left + 180, kFrame2Top + 660, 1215, 315), false},
    {kDialogEnglishId, DialogControlKind::Radio, u"English",
     twipsRect(kFrame2Left + 180, kFrame2Top + 300, 1095, 315), false},
    {kDialogCancelId, DialogControlKind::Button, u"Cancel", twipsRect(1680, 1620, 1275, 435), false},
}};

}  // namespace

std::span<const Form1Control, kElementCount> form1Controls() { return kForm1; }
std::span<const Form1Group, 2> form1Groups() { return kGroups; }
std::span<const DialogControl, 7> portDialogControls() { return kDialog; }

}  // namespace updater
