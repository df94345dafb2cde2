#include "updater/step_list.h"

namespace updater {
namespace {

template <typename Found>
bool anyMarker(Found found) {
  if (found(kFirmwareMarker) || found(kColorDataMarker)) return true;
  for (const UpdateStep& s : kUpdateSteps) {
    if (found(s.marker)) return true;
  }
  return false;
}

}  // namespace

bool isMarker(Element e) {
  return anyMarker([e](MarkerPair m) { return m.box == e || m.check == e; });
}

bool isCheckMark(Element e) {
  return anyMarker([e](MarkerPair m) { return m.check == e; });
}

void openStep(Window& window, int step) {
  window.setEnabled(stepLabel(step), true);
  window.setBold(stepLabel(step), true);
}

void closeStep(Window& window, int step) {
  showDone(window, updateStep(step).marker, true);
  window.setBold(stepLabel(step), false);
}

void showDone(Window& window, MarkerPair marker, bool done) {
  window.setVisible(marker.box, !done);
  window.setVisible(marker.check, done);
}

}  // namespace updater
