#include "win32_gui_scenarios.h"

#include <commctrl.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <initializer_list>
#include <vector>

#include "win32_gui_layout.h"
#include "win32_gui_probe.h"
#include "win32_gui_real_host.h"
#include "win32_gui_steps.h"

namespace gui {
namespace {

using E = updater::Element;

constexpr const wchar_t* kQmRelease = L"QM_MASTER 5.00  QM_SLAVE  5.00";
constexpr const wchar_t* kQnRelease = L"QN_MASTER 2.00  QN_SLAVE  2.00";

void checkCompleteCommon(Session& s, HWND form, const wchar_t* release) {
  EXPECT_TEXT(s, element(form, E::Text1), release);
  EXPECT_NUMBER(s, colour(form, E::Text1), kBlackProperty);
  EXPECT_NUMBER(s, colour(form, E::Text5), kBlueProperty);
  EXPECT_NUMBER(s, progressPosition(element(form, E::ProgressBar1)), 100);
  EXPECT_NUMBER(s, property(element(form, E::ProgressBar1), kProgressProperty), 100001);
  EXPECT(s, !enabled(form, E::Command1));
  EXPECT(s, enabled(form, E::Command2));
  EXPECT(s, !visible(form, E::Picture1));
  EXPECT(s, visible(form, E::Picture2));
  for (E check : {E::Picture6, E::Picture8, E::Picture10, E::Picture12}) EXPECT(s, visible(form, check));
}

struct QmTexts {
  const wchar_t* pushStart;
  const wchar_t* complete;
  const wchar_t* upToDate;
  const wchar_t* printerName;
  const wchar_t* step1;
  const wchar_t* step5;
  const wchar_t* start;
  const wchar_t* close;
};

constexpr QmTexts kEnglish{L"Push [START] button.",
                           L"** Complete **  Push [Close] button.",
                           L"Firmware is already written.  Push [Close] botton.",
                           L"Printer Name ",
                           L"Transmission data is ready.",
                           L"Color control data is transmitted and written.",
                           L"Start",
                           L"Close"};
constexpr QmTexts kJapanese{L"[開始]ボタンをクリック。",
                            L"完了しました。  [終了]ボタンをクリック。",
                            L"アップデート済みです。 [終了]ボタンをクリック。",
                            L"プリンタ名 ",
                            L"送信データの読み込み",
                            L"色制御データの書込み",
                            L"開　始",
                            L"終　了"};

// The window's run is on record on the host, as qmqn lists it: the newest run.
void checkRunRecorded(Session& s, const char* before, const char* after) {
  const std::wstring qmqn = s.packageDir() + L"\\tool\\qmqn.exe";
  const std::string history = runForOutput(qmqn, L"history --json");
  const std::string newest = history.substr(0, history.find('\n'));
  for (const std::string& want :
       {std::string(R"("program":"QMQN_VerUpTool.exe")"), std::string(R"("state":"complete","outcome":"updated")"),
        std::string(R"("before":{"firmware":")") + before, std::string(R"("after":{"firmware":")") + after}) {
    EXPECT(s, newest.find(want) != std::string::npos);
  }
}

void updateQm(Session& s, const QmTexts& t) {
  const bool japanese = &t == &kJapanese;
  s.runLauncher();
  HWND dialog = s.waitPortDialog();
  if (dialog == nullptr) return;
  checkPortDialog(s, dialog, {kQmPrinter, kQnPrinter});
  if (japanese) chooseJapanese(s, dialog);
  s.screenshot("port-dialog");
  pressAndWaitGone(s, dialog, port_dialog::kOk);

  HWND form = s.waitForm1();
  if (form == nullptr) return;
  EXPECT_TEXT(s, form, kTitle);
  EXPECT_TEXT(s, element(form, E::Label3), L"QM");
  EXPECT_NUMBER(s, colour(form, E::Label3), kBlueProperty);
  EXPECT_TEXT(s, element(form, E::Text5), t.pushStart);
  EXPECT_NUMBER(s, colour(form, E::Text5), kBlueProperty);
  EXPECT_TEXT(s, element(form, E::Text2), kQmPrinter);
  EXPECT_TEXT(s, element(form, E::Label4), kQmRelease);
  EXPECT_NUMBER(s, colour(form, E::Label4), kDarkGreenProperty);
  EXPECT_TEXT(s, element(form, E::Label5), L"QM0210.QMD");
  EXPECT_TEXT(s, element(form, E::Label6), L"FF32");
  EXPECT_TEXT(s, element(form, E::Text1), L"QM_MASTER 4.10  QM_SLAVE  4.10");
  EXPECT_NUMBER(s, colour(form, E::Text1), kRedProperty);
  EXPECT_TEXT(s, element(form, E::Text3), L"QM0200.QMD");
  EXPECT_NUMBER(s, colour(form, E::Text3), kRedProperty);
  EXPECT_TEXT(s, element(form, E::Text4), L"0000");
  EXPECT_NUMBER(s, colour(form, E::Text4), kRedProperty);
  EXPECT_TEXT(s, element(form, E::Label10), t.printerName);
  EXPECT_TEXT(s, element(form, E::Label12), t.step1);
  EXPECT_TEXT(s, element(form, E::Label16), t.step5);
  EXPECT_TEXT(s, element(form, E::Command1), t.start);
  EXPECT_TEXT(s, element(form, E::Command2), t.close);
  EXPECT(s, enabled(form, E::Command1));
  EXPECT(s, enabled(form, E::Command2));
  EXPECT(s, !enabled(form, E::Label12));
  EXPECT(s, visible(form, E::Label16));
  EXPECT(s, visible(form, E::Picture13));
  s.screenshot("before-start");

  click(element(form, E::Command1));
  waitFlashWrite(s, form);
  EXPECT(s, !enabled(form, E::Command1));
  EXPECT(s, !enabled(form, E::Command2));
  s.screenshot("flash-write");

  waitComplete(s, form, t.complete);
  checkCompleteCommon(s, form, kQmRelease);
  EXPECT_TEXT(s, element(form, E::Text3), L"QM0210.QMD");
  EXPECT_TEXT(s, element(form, E::Text4), L"FF32");
  EXPECT(s, visible(form, E::Picture4));
  EXPECT(s, visible(form, E::Picture14));
  EXPECT_NUMBER(s, property(element(form, E::Label16), kBoldProperty), kBoldOff);
  s.screenshot("complete");
  closeForm1(s, form, false);
  checkRunRecorded(s, "QM_MASTER 4.10  QM_SLAVE  4.10", "QM_MASTER 5.00  QM_SLAVE  5.00");

  // A second start finds the printer up to date.
  s.runLauncher();
  dialog = s.waitPortDialog();
  if (dialog == nullptr) return;
  if (japanese) chooseJapanese(s, dialog);
  pressAndWaitGone(s, dialog, port_dialog::kOk);
  form = s.waitForm1();
  if (form == nullptr) return;
  EXPECT_TEXT(s, element(form, E::Text5), t.upToDate);
  EXPECT_NUMBER(s, colour(form, E::Text5), kBlueProperty);
  EXPECT_TEXT(s, element(form, E::Text1), kQmRelease);
  EXPECT(s, !enabled(form, E::Command1));
  EXPECT(s, enabled(form, E::Command2));
  EXPECT(s, visible(form, E::Picture2));
  EXPECT(s, visible(form, E::Picture4));
  s.screenshot("up-to-date");
  closeForm1(s, form, false);
}

// A freshly unpacked package finds the QM printer due for an update.
void smoke(Session& s) {
  s.runLauncher();
  HWND dialog = s.waitPortDialog();
  if (dialog == nullptr) return;
  pressAndWaitGone(s, dialog, port_dialog::kOk);
  HWND form = s.waitForm1();
  if (form == nullptr) return;
  EXPECT_TEXT(s, element(form, E::Label3), L"QM");
  EXPECT_TEXT(s, element(form, E::Text1), L"QM_MASTER 4.10  QM_SLAVE  4.10");
  EXPECT_TEXT(s, element(form, E::Text5), kEnglish.pushStart);
  EXPECT(s, enabled(form, E::Command1));
  s.screenshot("push-start");
  closeForm1(s, form, false);
}

void updateQmEnglish(Session& s) { updateQm(s, kEnglish); }
void updateQmJapanese(Session& s) { updateQm(s, kJapanese); }

void updateQnJapanese(Session& s) {
  s.runLauncher();
  HWND dialog = s.waitPortDialog();
  if (dialog == nullptr) return;
  checkPortDialog(s, dialog, {kQmPrinter, kQnPrinter});
  choosePrinter(s, dialog, kQnPrinter);
  chooseJapanese(s, dialog);
  s.screenshot("port-dialog");
  pressAndWaitGone(s, dialog, port_dialog::kOk);

  HWND form = s.waitForm1();
  if (form == nullptr) return;
  EXPECT_TEXT(s, form, kTitle);
  EXPECT_TEXT(s, element(form, E::Label3), L"QN");
  EXPECT_TEXT(s, element(form, E::Text2), kQnPrinter);
  EXPECT_TEXT(s, element(form, E::Text5), L"[開始]ボタンをクリック。");
  EXPECT_NUMBER(s, colour(form, E::Text5), kBlueProperty);
  EXPECT_TEXT(s, element(form, E::Label4), kQnRelease);
  EXPECT_TEXT(s, element(form, E::Text1), L"QN_MASTER 1.50  QN_SLAVE  1.50");
  EXPECT_NUMBER(s, colour(form, E::Text1), kRedProperty);
  EXPECT_TEXT(s, element(form, E::Label10), L"プリンタ名 ");
  EXPECT_TEXT(s, element(form, E::Label7), L"ファーム Ver. ");
  EXPECT_TEXT(s, element(form, E::Label21), L"色制御データ ");
  EXPECT_TEXT(s, element(form, E::Label20), L"チェックサム ");
  EXPECT_TEXT(s, element(form, E::Label12), L"送信データの読み込み");
  EXPECT_TEXT(s, element(form, E::Label15), L"フラッシュROMへの書込み");
  EXPECT_TEXT(s, element(form, E::Command1), L"開　始");
  EXPECT_TEXT(s, element(form, E::Command2), L"終　了");
  EXPECT(s, enabled(form, E::Command1));
  for (E hidden : {E::Label16, E::Picture13, E::Picture14, E::Picture3, E::Picture4}) {
    EXPECT(s, !visible(form, hidden));
  }
  s.screenshot("before-start");

  click(element(form, E::Command1));
  waitFlashWrite(s, form);
  s.screenshot("flash-write");

  waitComplete(s, form, L"完了しました。  [終了]ボタンをクリック。");
  checkCompleteCommon(s, form, kQnRelease);
  EXPECT_TEXT(s, element(form, E::Text3), L"QN0100.QND");
  for (E hidden : {E::Label16, E::Picture13, E::Picture14, E::Picture3, E::Picture4}) {
    EXPECT(s, !visible(form, hidden));
  }
  s.screenshot("complete");
  closeForm1(s, form, false);
  checkRunRecorded(s, "QN_MASTER 1.50  QN_SLAVE  1.50", "QN_MASTER 2.00  QN_SLAVE  2.00");
}

// Watches that Form1 never becomes visible while the program ends.
bool form1EverShownUntilEnd(DWORD processId) {
  bool shown = false;
  waitFor(
      [&] {
        if (findTopLevel(kForm1Class, nullptr, processId) != nullptr) shown = true;
        return waitProcessEnd(processId, 0);
      },
      kProcessEndMs);
  return shown;
}

void noUsablePrinter(Session& s) {
  const DWORD updater = s.startProgram(s.updaterPath());
  HWND box = s.waitMessageBox(updater);
  if (box == nullptr) return;
  EXPECT_TEXT(s, box, kTitle);
  EXPECT_TEXT(s, control(box, kMessageBoxText), L"A usable printer is not connected or the power is not on.");
  EXPECT(s, findTopLevel(kPortDialogClass) == nullptr);
  EXPECT(s, findTopLevel(kForm1Class) == nullptr);
  s.screenshot("no-printer");
  click(control(box, kMessageBoxOk));
  EXPECT(s, !form1EverShownUntilEnd(updater));
  EXPECT(s, waitProcessEnd(updater, 0));
}

void cancelDialog(Session& s) {
  const DWORD updater = s.startProgram(s.updaterPath());
  HWND dialog = s.waitPortDialog();
  if (dialog == nullptr) return;
  choosePrinter(s, dialog, kQnPrinter);
  chooseJapanese(s, dialog);
  click(control(dialog, port_dialog::kCancel));
  EXPECT(s, !form1EverShownUntilEnd(updater));
  EXPECT(s, waitProcessEnd(updater, 0));
}

void notQmQn(Session& s) {
  const DWORD updater = s.startProgram(s.updaterPath());
  HWND dialog = s.waitPortDialog();
  if (dialog == nullptr) return;
  checkPortDialog(s, dialog, {L"Other Printer"});
  pressAndWaitGone(s, dialog, port_dialog::kOk);
  HWND form = s.waitForm1();
  if (form == nullptr) return;
  EXPECT_TEXT(s, element(form, E::Label3), L"--");
  const wchar_t* message = L"Printer is not QM/QN.  Push [Close] botton.";
  EXPECT_TEXT(s, element(form, E::Text5), message);
  EXPECT_NUMBER(s, colour(form, E::Text5), kRedProperty);
  EXPECT_TEXT(s, element(form, E::Label4), L"");
  EXPECT_TEXT(s, element(form, E::Text2), L"Other Printer");
  EXPECT(s, !enabled(form, E::Command1));
  EXPECT(s, enabled(form, E::Command2));
  s.screenshot("not-qmqn");

  // The hidden gesture: a double click on Label4 enables Start, nothing else.
  HWND label4 = element(form, E::Label4);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(form, WM_COMMAND, MAKEWPARAM(controlId(E::Label4), STN_DBLCLK), reinterpret_cast<LPARAM>(label4),
                      SMTO_ABORTIFHUNG, 3000, &ignored);
  EXPECT(s, waitFor([&] { return enabled(form, E::Command1); }, 5000));
  EXPECT_TEXT(s, element(form, E::Text5), message);
  EXPECT_NUMBER(s, colour(form, E::Text5), kRedProperty);
  s.screenshot("start-enabled");
  closeForm1(s, form, true);
  EXPECT(s, waitProcessEnd(updater, 0));
}

void launcherWithoutUpdater(Session& s) {
  const DWORD launcher = s.startProgram(s.launcherPath());
  if (launcher == 0) return;
  HWND box = s.waitMessageBox(launcher);
  if (box == nullptr) return;
  std::wstring message;
  EXPECT(s, tryText(control(box, kMessageBoxText), message) && !message.empty());
  std::printf("launcher says: \"%s\"\n", utf8(message).c_str());
  EXPECT(s, findTopLevel(kPortDialogClass) == nullptr);
  s.screenshot("launcher-message");
  click(control(box, kMessageBoxOk));
  EXPECT(s, waitProcessEnd(launcher, kProcessEndMs));
}

std::wstring lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

void launcherFromCopy(Session& s) {
  s.runLauncher();
  HWND dialog = s.waitPortDialog();
  if (dialog == nullptr) return;
  const DWORD updater = processOf(dialog);
  const std::wstring image = processImage(updater);
  if (!EXPECT(s, lower(image) == lower(s.updaterPath()))) {
    std::printf("  updater image \"%s\", want \"%s\"\n", utf8(image).c_str(), utf8(s.updaterPath()).c_str());
  }
  click(control(dialog, port_dialog::kCancel));
  EXPECT(s, waitProcessEnd(updater, kProcessEndMs));
}

constexpr Scenario kScenarios[] = {
    {"update-qm-en", updateQmEnglish},         {"update-qm-ja", updateQmJapanese},
    {"update-qn-ja", updateQnJapanese},
    {"no-usable-printer", noUsablePrinter},    {"cancel-dialog", cancelDialog},
    {"not-qmqn", notQmQn},                     {"launcher-missing-updater", launcherWithoutUpdater},
    {"launcher-from-copy", launcherFromCopy},
    {"smoke", smoke},
    {"layout-96", layoutAt<96>}, {"layout-144", layoutAt<144>}, {"layout-192", layoutAt<192>},
};

}  // namespace

const Scenario* findScenario(const char* name) {
  for (const Scenario& scenario : kScenarios) {
    if (std::strcmp(scenario.name, name) == 0) return &scenario;
  }
  for (const Scenario& scenario : kRealHostScenarios) {
    if (std::strcmp(scenario.name, name) == 0) return &scenario;
  }
  return nullptr;
}

void listScenarios() {
  for (const Scenario& scenario : kScenarios) std::printf("  %s\n", scenario.name);
  for (const Scenario& scenario : kRealHostScenarios) std::printf("  %s\n", scenario.name);
}

}  // namespace gui
