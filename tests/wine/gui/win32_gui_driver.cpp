// Drives the updater's windows from inside Wine (or Windows):
//   gui_driver <scenario> <package dir> <screenshot dir> [printer the dialog lists...]
// Exit code 0 when every check passed, 1 otherwise, 2 on bad arguments.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "win32_gui_probe.h"
#include "win32_gui_scenarios.h"

namespace {

// A Linux path given by the test script names the same place on drive Z:.
std::wstring windowsPath(const wchar_t* arg) {
  std::wstring path = arg;
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
  for (auto& c : path) {
    if (c == L'/') c = L'\\';
  }
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

}  // namespace

int main() {
  // Window rectangles and screenshots in the pixels the updater lays out in,
  // whatever the dpi.
  SetProcessDPIAware();
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 4) {
    std::printf("usage: gui_driver <scenario> <package dir> <screenshot dir> [listed printer...]\nscenarios:\n");
    gui::listScenarios();
    return 2;
  }
  const std::string name = gui::utf8(argv[1]);
  const gui::Scenario* scenario = gui::findScenario(name.c_str());
  if (scenario == nullptr) {
    std::printf("unknown scenario %s\n", name.c_str());
    gui::listScenarios();
    return 2;
  }
  int failures = 0;
  {
    gui::Session session(windowsPath(argv[2]), windowsPath(argv[3]));
    std::vector<std::wstring> listed;
    for (int i = 4; i < argc; ++i) listed.emplace_back(argv[i]);
    session.setListedPrinters(std::move(listed));
    scenario->run(session);
    if (session.failures() != 0) session.screenshot("at-failure");
    failures = session.failures();
  }
  LocalFree(argv);
  std::printf("%s: %s (%d failed checks)\n", name.c_str(), failures == 0 ? "passed" : "FAILED", failures);
  std::fflush(stdout);
  return failures == 0 ? 0 : 1;
}
