#include "updater/step_list.h"

namespace updater {
namespace {

Element offset(Element first, int by) {
  return static_cast<Element>(static_cast<int>(first) + by);
}

}  // namespace

Element stepLabel(int step) { return offset(Element::Label12, step - 1); }
Element stepBox(int step) { return offset(Element::Picture5, 2 * (step - 1)); }
Element stepCheck(int step) { return offset(Element::Picture6, 2 * (step - 1)); }

void openStep(Window& window, int step) {
  window.setEnabled(stepLabel(step), true);
  window.setBold(stepLabel(step), true);
}

void closeStep(Window& window, int step) {
  window.setVisible(stepBox(step), false);
  window.setVisible(stepCheck(step), true);
  window.setBold(stepLabel(step), false);
}

}  // namespace updater
