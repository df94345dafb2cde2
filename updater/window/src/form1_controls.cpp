#include "window/form1_controls.h"

namespace updater {
namespace {

template <typename Found>
bool anyMarker(Found found) {
  if (found(kFirmwareMarker) || found(kColorDataMarker)) return true;
  for (const StepRow& row : kStepRows) {
    if (found(row.marker)) return true;
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

}  // namespace updater
