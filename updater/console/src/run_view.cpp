#include "console/run_view.h"

#include "updater/step_list.h"

namespace qmqn {

void RunView::setBold(updater::Element e, bool bold) {
  State& s = at(e);
  const bool changed = s.bold != bold;
  s.bold = bold;
  if (!changed || listener_ == nullptr) return;
  for (int step = 1; step <= 5; ++step) {
    if (updater::stepLabel(step) != e) continue;
    if (bold) {
      listener_->stepOpened(step, s.text);
    } else {
      listener_->stepClosed(step, s.text);
    }
  }
}

void RunView::setProgress(float value) {
  progress_ = value;
  if (listener_ != nullptr) listener_->progressed(value);
}

}  // namespace qmqn
