// The five update steps of the window: label and box / check-mark pair.
#pragma once
#include "updater/window.h"

namespace updater {

// Enables the step's label and sets it bold.
void openStep(Window& window, int step);
// Hides the box, shows the check mark, normal weight; the label stays enabled.
void closeStep(Window& window, int step);

Element stepLabel(int step);
Element stepBox(int step);
Element stepCheck(int step);

}  // namespace updater
