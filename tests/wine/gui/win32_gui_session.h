// One run of the driver: the package under test, where screenshots go, the
// processes it has seen (ended at the end, whatever happened), and the checks.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "updater_ui_contract.h"

namespace gui {

inline constexpr DWORD kWindowWaitMs = 60000;  // a cold wineserver can be slow
inline constexpr DWORD kProcessEndMs = 30000;
inline constexpr DWORD kUpdateWaitMs = 150000;

class Session {
 public:
  Session(std::wstring packageDir, std::wstring shotsDir);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const std::wstring& packageDir() const { return packageDir_; }
  std::wstring launcherPath() const { return packageDir_ + L"\\QMQN_VerUpTool.exe"; }
  std::wstring updaterPath() const { return packageDir_ + L"\\tool\\QMQN_VerUpTool.exe"; }

  // Starts a program and remembers it; 0 (and a failed check) on failure.
  DWORD startProgram(const std::wstring& path);
  // The launcher, which must end by itself at once.
  void runLauncher();
  // The launcher only as the way to the updater, where the launcher is not
  // what is tested: false, and the launcher and what it started ended, when
  // it hangs (the caller may try again; a hang of the host's process start
  // is then told apart from one of the programs).
  bool openUpdaterOnce();
  void remember(DWORD processId);

  HWND waitPortDialog();
  HWND waitForm1();  // visible, with its status line filled in
  HWND waitMessageBox(DWORD processId);  // 0: any process, by the program's title

  void screenshot(const char* name);

  // Checks; each failure prints one line.
  bool check(bool ok, const char* what, int line);
  bool checkText(HWND window, const std::wstring& want, const char* what, int line);
  bool checkNumber(long long got, long long want, const char* what, int line);
  int failures() const { return failures_; }

  // The printers the port dialog must list, in order; empty: the scenario's own.
  const std::vector<std::wstring>& listedPrinters() const { return listedPrinters_; }
  void setListedPrinters(std::vector<std::wstring> names) { listedPrinters_ = std::move(names); }

 private:
  std::wstring packageDir_;
  std::wstring shotsDir_;
  std::vector<DWORD> processes_;
  std::vector<std::wstring> listedPrinters_;
  int failures_ = 0;
  int shots_ = 0;
};

// Form1 controls by element.
HWND element(HWND form1, updater::Element e);

}  // namespace gui

#define EXPECT(session, cond) (session).check((cond), #cond, __LINE__)
#define EXPECT_TEXT(session, window, want) (session).checkText((window), (want), #window, __LINE__)
#define EXPECT_NUMBER(session, got, want) (session).checkNumber((got), (want), #got, __LINE__)
