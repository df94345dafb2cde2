// The window's markers and its five update steps, as data: each step has a
// label, a box that a check mark replaces on the same spot when the step is
// done, and its caption.
#pragma once
#include <array>

#include "updater/texts.h"
#include "updater/window.h"

namespace updater {

struct MarkerPair {
  Element box;
  Element check;
};

struct UpdateStep {
  Element label;
  MarkerPair marker;
  TextId caption;
};

inline constexpr MarkerPair kFirmwareMarker{Element::Picture1, Element::Picture2};
inline constexpr MarkerPair kColorDataMarker{Element::Picture3, Element::Picture4};

inline constexpr int kStepCount = 5;
inline constexpr std::array<UpdateStep, kStepCount> kUpdateSteps{{
    {Element::Label12, {Element::Picture5, Element::Picture6}, TextId::Step1},
    {Element::Label13, {Element::Picture7, Element::Picture8}, TextId::Step2},
    {Element::Label14, {Element::Picture9, Element::Picture10}, TextId::Step3},
    {Element::Label15, {Element::Picture11, Element::Picture12}, TextId::Step4},
    {Element::Label16, {Element::Picture13, Element::Picture14}, TextId::Step5},
}};

// Steps are numbered 1 to kStepCount, as the window shows them.
constexpr const UpdateStep& updateStep(int step) { return kUpdateSteps[static_cast<size_t>(step - 1)]; }
constexpr Element stepLabel(int step) { return updateStep(step).label; }
constexpr Element stepBox(int step) { return updateStep(step).marker.box; }
constexpr Element stepCheck(int step) { return updateStep(step).marker.check; }

// Every box and check mark of the window.
bool isMarker(Element element);
bool isCheckMark(Element element);

// Enables the step's label and sets it bold.
void openStep(Window& window, int step);
// Hides the box, shows the check mark, normal weight; the label stays enabled.
void closeStep(Window& window, int step);
// A marker pair at rest (box shown) or done (check mark shown).
void showDone(Window& window, MarkerPair marker, bool done);

}  // namespace updater
