// Layout at the display's dpi, and at 96 dpi also after the windows are told
// of another one: every text a control can show fits it in both languages,
// no two controls overlap, and screenshots show both windows in both
// languages, before a run, during one and at an end state.
#pragma once
#include "win32_gui_session.h"

namespace gui {

void checkLayout(Session& s, int displayDpi);

template <int Dpi>
void layoutAt(Session& s) {
  checkLayout(s, Dpi);
}

}  // namespace gui
