#include "win32_gui_session.h"

#include <cstdio>

#include "win32_gui_probe.h"
#include "win32_screenshot.h"

namespace gui {

Session::Session(std::wstring packageDir, std::wstring shotsDir)
    : packageDir_(std::move(packageDir)), shotsDir_(std::move(shotsDir)) {}

// Nothing started here may outlive the driver, or the next test inherits it.
Session::~Session() {
  for (DWORD id : processes_) {
    if (!waitProcessEnd(id, 0)) {
      std::printf("note: process %lu still running, ended\n", static_cast<unsigned long>(id));
      terminate(id);
    }
  }
}

DWORD Session::startProgram(const std::wstring& path) {
  const DWORD id = start(path);
  check(id != 0, ("start " + utf8(path)).c_str(), __LINE__);
  remember(id);
  return id;
}

namespace {

// What is on screen when a program does not end: a message box, or nothing
// (then the process never got as far as a window).
BOOL CALLBACK printWindow(HWND w, LPARAM) {
  if (!IsWindowVisible(w)) return TRUE;
  wchar_t cls[64] = {}, title[128] = {};
  GetClassNameW(w, cls, 64);
  GetWindowTextW(w, title, 128);
  std::printf("  window of process %lu: [%s] \"%s\"\n", static_cast<unsigned long>(processOf(w)),
              utf8(cls).c_str(), utf8(title).c_str());
  return TRUE;
}

}  // namespace

void Session::runLauncher() {
  const DWORD id = startProgram(launcherPath());
  if (id != 0 && !check(waitProcessEnd(id, kProcessEndMs), "launcher ends by itself", __LINE__)) {
    std::printf("  launcher is process %lu\n", static_cast<unsigned long>(id));
    EnumWindows(printWindow, 0);
  }
}

bool Session::openUpdaterOnce() {
  const DWORD id = startProgram(launcherPath());
  if (id == 0 || waitProcessEnd(id, kProcessEndMs)) return id != 0;
  std::printf("note: launcher %lu did not end; the windows on screen:\n", static_cast<unsigned long>(id));
  EnumWindows(printWindow, 0);
  terminateTree(id);
  return false;
}

void Session::remember(DWORD processId) {
  if (processId == 0) return;
  for (DWORD id : processes_) {
    if (id == processId) return;
  }
  processes_.push_back(processId);
}

HWND Session::waitPortDialog() {
  HWND dialog = waitTopLevel(kPortDialogClass, nullptr, 0, kWindowWaitMs);
  if (check(dialog != nullptr, "port dialog shown", __LINE__)) remember(processOf(dialog));
  return dialog;
}

HWND Session::waitForm1() {
  HWND form = nullptr;
  const bool shown = waitFor(
      [&] {
        form = findTopLevel(kForm1Class);
        std::wstring status;
        return form != nullptr && tryText(element(form, updater::Element::Text5), status) && !status.empty();
      },
      kWindowWaitMs);
  if (check(shown, "Form1 shown with a status message", __LINE__)) remember(processOf(form));
  return shown ? form : nullptr;
}

HWND Session::waitMessageBox(DWORD processId) {
  HWND box = waitTopLevel(kMessageBoxClass, processId == 0 ? kTitle : nullptr, processId, kWindowWaitMs);
  if (check(box != nullptr, "message box shown", __LINE__)) remember(processOf(box));
  return box;
}

void Session::screenshot(const char* name) {
  wchar_t file[64];
  _snwprintf(file, sizeof file / sizeof file[0], L"\\%02d-%hs.bmp", ++shots_, name);
  file[sizeof file / sizeof file[0] - 1] = L'\0';
  const std::wstring path = shotsDir_ + file;
  // A missing screenshot is a note, not a failure: the checks decide.
  if (!saveScreenshot(path)) std::printf("note: screenshot %s not saved\n", name);
}

bool Session::check(bool ok, const char* what, int line) {
  if (!ok) {
    ++failures_;
    std::printf("FAILED line %d: %s\n", line, what);
  }
  return ok;
}

bool Session::checkText(HWND window, const std::wstring& want, const char* what, int line) {
  std::wstring got;
  const bool answered = window != nullptr && tryText(window, got);
  if (answered && got == want) return true;
  ++failures_;
  std::printf("FAILED line %d: text of %s:\n  got  \"%s\"\n  want \"%s\"\n", line, what,
              answered ? utf8(got).c_str() : "<no answer>", utf8(want).c_str());
  return false;
}

bool Session::checkNumber(long long got, long long want, const char* what, int line) {
  if (got == want) return true;
  ++failures_;
  std::printf("FAILED line %d: %s: got %lld (0x%llx), want %lld (0x%llx)\n", line, what, got,
              static_cast<unsigned long long>(got), want, static_cast<unsigned long long>(want));
  return false;
}

HWND element(HWND form1, updater::Element e) { return control(form1, controlId(e)); }

}  // namespace gui
