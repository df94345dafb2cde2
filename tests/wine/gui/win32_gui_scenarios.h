// The scenarios the driver can play against a package directory.
#pragma once
#include "win32_gui_session.h"

namespace gui {

struct Scenario {
  const char* name;
  void (*run)(Session&);
};

// Null when there is no scenario of that name.
const Scenario* findScenario(const char* name);
void listScenarios();

}  // namespace gui
