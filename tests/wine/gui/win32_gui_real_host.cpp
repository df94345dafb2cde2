#include "win32_gui_real_host.h"

#include <cstdio>
#include <string>
#include <vector>

#include "win32_gui_probe.h"
#include "win32_gui_responsiveness.h"
#include "win32_gui_steps.h"

namespace gui {
namespace {

using E = updater::Element;

constexpr const wchar_t* kFaultyPrinter = L"Faulty QM Printer";
constexpr const wchar_t* kOldQmVersion = L"QM_MASTER 4.10  QM_SLAVE  4.10";
constexpr const wchar_t* kPrinterError = L"Printer error.  Push [Close] botton.";
constexpr const wchar_t* kUpdateDue = L"Push [START] button.";
constexpr const wchar_t* kNotQmQn = L"Printer is not QM/QN.  Push [Close] botton.";
constexpr const wchar_t* kPortInUse =
    L"This printer is in use by another QM/QN Version Up Tool.  Close that one first.";

std::wstring toolDir(const Session& s) { return s.packageDir() + L"\\tool"; }

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring ownDirectory() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n < MAX_PATH ? n : 0);
  return p.substr(0, p.find_last_of(L'\\'));
}

long long fileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Starts the updater through the port dialog: the printer chosen, OK, Form1.
HWND openForm1(Session& s, DWORD& processId, const wchar_t* printer, const std::wstring& directory = L"",
               const std::wstring& pathFirst = L"") {
  processId = directory.empty() ? s.startProgram(s.updaterPath()) : startIn(s.updaterPath(), directory, pathFirst);
  s.remember(processId);
  HWND dialog = waitTopLevel(kPortDialogClass, nullptr, processId, kWindowWaitMs);
  if (!EXPECT(s, dialog != nullptr)) return nullptr;
  choosePrinter(s, dialog, printer);
  pressAndWaitGone(s, dialog, port_dialog::kOk);
  HWND form = nullptr;
  const bool shown = waitFor(
      [&] {
        form = findTopLevel(kForm1Class, nullptr, processId);
        std::wstring status;
        return form != nullptr && tryText(element(form, E::Text5), status) && !status.empty();
      },
      kWindowWaitMs);
  return EXPECT(s, shown) ? form : nullptr;
}

bool waitText(HWND control, const wchar_t* want, DWORD timeoutMs) {
  return waitFor(
      [&] {
        std::wstring got;
        return tryText(control, got) && got == want;
      },
      timeoutMs);
}

long long queryEndSession(HWND form) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(form, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer)) return -1;
  return static_cast<long long>(answer);
}

// --- The files are checked before the printer is touched ------------------

void filesCheckedFirst(Session& s) {
  const std::wstring tool = toolDir(s);
  EXPECT(s, DeleteFileW((tool + L"\\QM0210.QMD").c_str()) != FALSE);
  DWORD updater = 0;
  HWND form = openForm1(s, updater, kQmPrinter);
  if (form == nullptr) return;
  EXPECT_TEXT(s, element(form, E::Text5), kUpdateDue);
  const long long traceBefore = fileSize(tool + L"\\ZAPQMLM.trace");

  click(element(form, E::Command1));
  HWND box = s.waitMessageBox(updater);
  if (box == nullptr) return;
  EXPECT_TEXT(s, control(box, kMessageBoxText), L"QM0210.QMD File Not Opend");
  s.screenshot("qmd-missing");
  click(control(box, kMessageBoxOk));
  EXPECT(s, waitText(element(form, E::Text5), kPrinterError, kWindowWaitMs));
  EXPECT_NUMBER(s, colour(form, E::Text5), kRedProperty);
  EXPECT(s, enabled(form, E::Command2));
  EXPECT_NUMBER(s, property(element(form, E::Label12), kBoldProperty), kBoldOn);
  EXPECT_NUMBER(s, property(element(form, E::ProgressBar1), kProgressProperty), 10001);
  // Not one monitor call since Start: the printer was not touched.
  EXPECT_NUMBER(s, fileSize(tool + L"\\ZAPQMLM.trace"), traceBefore);
  s.screenshot("printer-untouched");
  closeForm1(s, form, false);

  form = openForm1(s, updater, kQmPrinter);
  if (form == nullptr) return;
  EXPECT_TEXT(s, element(form, E::Text1), kOldQmVersion);
  closeForm1(s, form, false);
}

std::string readBytes(const std::wstring& path) {
  std::string bytes;
  if (FILE* f = _wfopen(path.c_str(), L"rb")) {
    char buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    fclose(f);
  }
  return bytes;
}

bool writeBytes(const std::wstring& path, const std::string& bytes) {
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (f == nullptr) return false;
  const bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return fclose(f) == 0 && ok;
}

// Release files that are not the package's, however slightly: Start refuses
// them as files it can't open, and the printer gets no command.
void damagedFiles(Session& s) {
  struct Damage {
    const wchar_t* file;
    const char* what;
    std::string (*change)(std::string);
  };
  const Damage damages[] = {
      {L"QM_M0500S0500.S", "firmware-cut", [](std::string b) { return b.substr(0, b.find('\n') + 1); }},
      {L"QM_M0500S0500.S", "firmware-garbled", [](std::string b) { b[40] = static_cast<char>(b[40] ^ 1); return b; }},
      {L"QM0210.QMD", "qmd-short", [](std::string b) { return b.substr(0, b.size() - 3); }},
  };
  const std::wstring tool = toolDir(s);
  for (const Damage& d : damages) {
    const std::wstring path = tool + L"\\" + d.file;
    const std::string intact = readBytes(path);
    if (!EXPECT(s, intact.size() > 64 && writeBytes(path, d.change(intact)))) return;
    DWORD updater = 0;
    HWND form = openForm1(s, updater, kQmPrinter);
    if (form != nullptr) {
      EXPECT_TEXT(s, element(form, E::Text5), kUpdateDue);
      const long long traceBefore = fileSize(tool + L"\\ZAPQMLM.trace");
      click(element(form, E::Command1));
      if (HWND box = s.waitMessageBox(updater)) {
        const std::wstring message = std::wstring(d.file) + L" File Changed";
        EXPECT_TEXT(s, control(box, kMessageBoxText), message.c_str());
        s.screenshot(d.what);
        click(control(box, kMessageBoxOk));
      }
      EXPECT(s, waitText(element(form, E::Text5), kPrinterError, kWindowWaitMs));
      EXPECT_NUMBER(s, fileSize(tool + L"\\ZAPQMLM.trace"), traceBefore);
      closeForm1(s, form, false);
    }
    EXPECT(s, writeBytes(path, intact));
  }
}

// --- A run can't freeze, be closed, put to sleep or shut down silently ------

struct HardRun {
  const char* fault;       // the simulated printer's fault
  E waitingStep;           // the step label that stays open while it waits
  DWORD stepTimeoutMs;     // until that step opens
};

void hardRun(Session& s, const HardRun& run) {
  const std::string fault = std::string(run.fault) + " = yes\r\n";
  EXPECT(s, addSimulatedPrinter(s, "USB009", fault.c_str()));
  DWORD updater = 0;
  HWND form = openForm1(s, updater, kFaultyPrinter);
  if (form == nullptr) return;
  EXPECT_NUMBER(s, queryEndSession(form), TRUE);
  EXPECT_NUMBER(s, property(form, kRunGuardProperty), 0);

  ResponsivenessProbe probe(form);
  click(element(form, E::Command1));
  EXPECT(s, waitFor([&] { return hasProperty(element(form, run.waitingStep), kBoldProperty, kBoldOn); },
                    run.stepTimeoutMs));
  Sleep(1500);  // well inside the wait
  EXPECT(s, !enabled(form, E::Command2));
  EXPECT_NUMBER(s, queryEndSession(form), FALSE);
  const auto guard = static_cast<unsigned long>(property(form, kRunGuardProperty));
  std::printf("run guard during the run: 0x%lx (1: kept awake, 2: shutdown reason)\n", guard);
  EXPECT(s, (guard & 1) != 0);
  // The close box and Alt+F4 both arrive as these.
  PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
  PostMessageW(form, WM_CLOSE, 0, 0);
  Sleep(1000);
  EXPECT(s, !waitProcessEnd(updater, 0));
  EXPECT(s, IsWindow(form));
  s.screenshot("close-refused");

  EXPECT(s, waitText(element(form, E::Text5), kPrinterError, 150000));
  probe.stop();
  std::printf("longest unanswered stretch (%s): %lu ms\n", run.fault, probe.longestUnansweredMs());
  EXPECT(s, enabled(form, E::Command2));
  EXPECT_NUMBER(s, queryEndSession(form), TRUE);
  EXPECT_NUMBER(s, property(form, kRunGuardProperty), kRunGuardReported);
  s.screenshot("run-ended");
  closeForm1(s, form, true);
}

void neverRewriteMode(Session& s) { hardRun(s, {"never_rewrite", E::Label13, 20000}); }
void neverReadyAgain(Session& s) { hardRun(s, {"stay_busy", E::Label15, 90000}); }

// --- DLLs are loaded from the program's folder and the system folder only --

// Every planted copy, and whether any left its marker.
struct Planted {
  std::vector<std::wstring> dlls;
  bool anyLoaded() const {
    for (const std::wstring& dll : dlls) {
      if (fileExists(dll + L".loaded")) return true;
    }
    return false;
  }
};

Planted plant(Session& s, const std::vector<std::wstring>& folders, std::initializer_list<const wchar_t*> names) {
  Planted planted;
  const std::wstring canary = ownDirectory() + L"\\planted_canary.dll";
  for (const std::wstring& folder : folders) {
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* name : names) {
      const std::wstring to = folder + L"\\" + name;
      EXPECT(s, CopyFileW(canary.c_str(), to.c_str(), FALSE) != FALSE);
      planted.dlls.push_back(to);
    }
  }
  return planted;
}

void expectNotQmQnWithout(Session& s, const std::wstring& cwd, const std::wstring& onPath, const Planted& planted,
                          const char* shot) {
  DWORD updater = 0;
  HWND form = openForm1(s, updater, kQmPrinter, cwd, onPath);
  if (form == nullptr) return;
  EXPECT_TEXT(s, element(form, E::Text5), kNotQmQn);
  EXPECT(s, !planted.anyLoaded());
  s.screenshot(shot);
  closeForm1(s, form, false);
}

void dllSearch(Session& s) {
  const std::wstring tool = toolDir(s);
  const std::wstring held = s.packageDir() + L"\\held";
  const std::wstring cwd = s.packageDir() + L"\\cwd";
  const std::wstring onPath = s.packageDir() + L"\\on-path";
  CreateDirectoryW(held.c_str(), nullptr);
  for (const wchar_t* file : {L"ZAPQMLM.DLL", L"ZAPQMLM.ini", L"ZAPQNLM.DLL", L"ZAPQNLM.ini"}) {
    EXPECT(s, MoveFileW((tool + L"\\" + file).c_str(), (held + L"\\" + file).c_str()) != FALSE);
  }

  // No monitor installed: monitors planted in the current directory and on
  // PATH stay where they are.
  const Planted monitors = plant(s, {cwd, onPath}, {L"ZAPQMLM.DLL", L"ZAPQNLM.DLL"});
  expectNotQmQnWithout(s, cwd, onPath, monitors, "planted-monitors");

  // No status library beside the updater: planted ones aren't taken either.
  const Planted libraries = plant(s, {cwd, onPath}, {L"QmStat.dll", L"QnStat.dll"});
  for (const wchar_t* dll : {L"QmStat.dll", L"QnStat.dll"}) {
    EXPECT(s, MoveFileW((tool + L"\\" + dll).c_str(), (held + L"\\" + dll).c_str()) != FALSE);
  }
  expectNotQmQnWithout(s, cwd, onPath, libraries, "planted-libraries");
  EXPECT(s, !monitors.anyLoaded());
  for (const wchar_t* dll : {L"QmStat.dll", L"QnStat.dll"}) {
    EXPECT(s, MoveFileW((held + L"\\" + dll).c_str(), (tool + L"\\" + dll).c_str()) != FALSE);
  }

  // Where a printer driver installs it: the system folder.
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring sys = system;
  for (const wchar_t* file : {L"ZAPQMLM.DLL", L"ZAPQMLM.ini"}) {
    EXPECT(s, CopyFileW((held + L"\\" + file).c_str(), (sys + L"\\" + file).c_str(), FALSE) != FALSE);
  }
  DWORD updater = 0;
  HWND form = openForm1(s, updater, kQmPrinter, cwd, onPath);
  if (form != nullptr) {
    EXPECT_TEXT(s, element(form, E::Label3), L"QM");
    EXPECT_TEXT(s, element(form, E::Text5), kUpdateDue);
    EXPECT(s, !monitors.anyLoaded());
    s.screenshot("monitor-in-system-folder");
    closeForm1(s, form, false);
  }
  for (const wchar_t* file : {L"ZAPQMLM.DLL", L"ZAPQMLM.ini", L"ZAPQMLM.state", L"ZAPQMLM.trace"}) {
    DeleteFileW((sys + L"\\" + file).c_str());
  }
  EXPECT(s, !fileExists(sys + L"\\ZAPQMLM.DLL"));
}

// --- One updater per printer ----------------------------------------------

void portLock(Session& s) {
  DWORD first = 0;
  HWND form = openForm1(s, first, kQmPrinter);
  if (form == nullptr) return;
  EXPECT_TEXT(s, element(form, E::Text5), kUpdateDue);

  // A second updater on the same printer stops with a message.
  const DWORD second = s.startProgram(s.updaterPath());
  HWND dialog = waitTopLevel(kPortDialogClass, nullptr, second, kWindowWaitMs);
  if (!EXPECT(s, dialog != nullptr)) return;
  choosePrinter(s, dialog, kQmPrinter);
  pressAndWaitGone(s, dialog, port_dialog::kOk);
  HWND box = s.waitMessageBox(second);
  if (box == nullptr) return;
  EXPECT_TEXT(s, control(box, kMessageBoxText), kPortInUse);
  s.screenshot("port-in-use");
  click(control(box, kMessageBoxOk));
  EXPECT(s, waitProcessEnd(second, kProcessEndMs));
  EXPECT(s, findTopLevel(kForm1Class, nullptr, second) == nullptr);

  // Another printer on another port is not blocked.
  DWORD third = 0;
  HWND other = openForm1(s, third, kQnPrinter);
  if (other != nullptr) {
    EXPECT_TEXT(s, element(other, E::Label3), L"QN");
    closeForm1(s, other, false);
  }

  // The system releases the lock of a process that dies.
  terminate(first);
  EXPECT(s, waitProcessEnd(first, kProcessEndMs));
  DWORD fourth = 0;
  form = openForm1(s, fourth, kQmPrinter);
  if (form != nullptr) {
    EXPECT_TEXT(s, element(form, E::Text5), kUpdateDue);
    closeForm1(s, form, false);
  }
}

// --- Every usable printer is listed ---------------------------------------

// As the test script registers them, in the spooler's order; the printer
// with a port name of 21 units is left out.
const wchar_t* const kManyPrinters[] = {
    L"P01", L"P02", L"P03", L"P04", L"P05", L"P06", L"P07", L"P08", L"P09", L"P10",
    L"Printer \U0001F5A8", L"\u041F\u0440\u0438\u043D\u0442\u0435\u0440 QM",
};

void everyPrinterListed(Session& s) {
  std::printf("ANSI code page: %u\n", GetACP());
  const DWORD updater = s.startProgram(s.updaterPath());
  HWND dialog = waitTopLevel(kPortDialogClass, nullptr, updater, kWindowWaitMs);
  if (!EXPECT(s, dialog != nullptr)) return;
  HWND list = control(dialog, port_dialog::kPrinterList);
  EXPECT_NUMBER(s, sendValue(list, CB_GETCOUNT), static_cast<long long>(std::size(kManyPrinters)));
  int index = 0;
  for (const wchar_t* name : kManyPrinters) {
    const std::wstring got = listEntry(list, index++);
    if (!EXPECT(s, got == name)) std::printf("  entry %d is \"%s\"\n", index - 1, utf8(got).c_str());
  }
  const wchar_t* cyrillic = kManyPrinters[std::size(kManyPrinters) - 1];
  choosePrinter(s, dialog, cyrillic);
  s.screenshot("many-printers");
  pressAndWaitGone(s, dialog, port_dialog::kOk);
  HWND form = s.waitForm1();
  if (form == nullptr) return;
  EXPECT_TEXT(s, element(form, E::Text2), cyrillic);
  EXPECT_TEXT(s, element(form, E::Label3), L"QM");
  EXPECT_TEXT(s, element(form, E::Text5), kUpdateDue);
  s.screenshot("cyrillic-printer");
  closeForm1(s, form, false);
}

}  // namespace

const Scenario kRealHostScenarios[kRealHostScenarioCount] = {
    {"files-checked-first", filesCheckedFirst}, {"damaged-files", damagedFiles},
    {"never-rewrite-mode", neverRewriteMode},
    {"never-ready-again", neverReadyAgain},     {"dll-search", dllSearch},
    {"port-lock", portLock},                    {"every-printer-listed", everyPrinterListed},
};

}  // namespace gui
