#include "win32_gui_layout.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "win32_gui_probe.h"

namespace gui {
namespace {

using E = updater::Element;

// Printers of the layout tests (see CMakeLists.txt and sim-ZAPQMLM.ini).
constexpr const wchar_t* kLongName = L"Label Printer in the Second Floor Engineering Office (Building B)";
constexpr const wchar_t* kNoRewrite = L"QM Printer Without Rewrite Mode";
constexpr const wchar_t* kUpToDate = L"QM Up-to-date Printer";

int px(int pixelsAt96, int dpi) { return MulDiv(pixelsAt96, dpi, 96); }

int systemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// How a control lays out its text, and so how much of its client area the text gets.
enum class Shape { Label, Field, Button, Radio, Group };

struct Shows {
  int id;
  Shape shape;
  int points;
  bool boldToo;
  std::vector<std::wstring> texts;
};

int id(E e) { return controlId(e); }

// Every text Form1 can show, both languages.
std::vector<Shows> form1Texts() {
  const std::vector<std::wstring> steps[] = {
      {L"Transmission data is ready.", L"送信データの読み込み"},
      {L"Printer has switched to rewrite mode.", L"ファームウェア書替えモードへの切り替え"},
      {L"Firmware has been transmitted.", L"プリンタへのデータ送信"},
      {L"Firmware has been written to flash ROM.", L"フラッシュROMへの書込み"},
      {L"Color control data is transmitted and written.", L"色制御データの書込み"}};
  std::vector<Shows> all{
      {id(E::Label3), Shape::Label, kFamilyCodePoints, false, {L"QM", L"QN", L"--"}},
      {id(E::Text5), Shape::Field, kTextPoints, false,
       {L"Push [START] button.", L"[開始]ボタンをクリック。", L"Firmware is already written.  Push [Close] botton.",
        L"アップデート済みです。 [終了]ボタンをクリック。", L"Printer is not QM/QN.  Push [Close] botton.",
        L"QM/QNプリンタではありません。 [終了]ボタンをクリック。", L"Printer error.  Push [Close] botton.",
        L"プリンタエラー。 [終了]ボタンをクリック。", L"** Complete **  Push [Close] button.",
        L"完了しました。  [終了]ボタンをクリック。"}},
      {id(E::Label10), Shape::Label, kTextPoints, false, {L"Printer Name ", L"プリンタ名 "}},
      {id(E::Text2), Shape::Field, kTextPoints, false,
       {L"QM Thermal Printer", L"QN Thermal Printer", kNoRewrite, kUpToDate}},
      {id(E::Label4), Shape::Label, kTextPoints, false,
       {L"QM_MASTER 5.00  QM_SLAVE  5.00", L"QN_MASTER 2.00  QN_SLAVE  2.00"}},
      {id(E::Label7), Shape::Label, kTextPoints, false, {L"Firmware Ver. ", L"ファーム Ver. "}},
      {id(E::Text1), Shape::Field, kTextPoints, false,
       {L"QM_MASTER 4.10  QM_SLAVE  4.10", L"QM_MASTER 5.00  QM_SLAVE  5.00", L"QN_MASTER 1.50  QN_SLAVE  1.50",
        L"QN_MASTER 2.00  QN_SLAVE  2.00", L"Firmware Update Mode", L"ファームウェア書替えモード"}},
      {id(E::Label5), Shape::Label, kTextPoints, false, {L"QM0210.QMD"}},
      {id(E::Label6), Shape::Label, kTextPoints, false, {L"FF32"}},
      {id(E::Label21), Shape::Label, kTextPoints, false, {L"Color Control Data ", L"色制御データ "}},
      {id(E::Text3), Shape::Field, kTextPoints, false, {L"QM0200.QMD", L"QM0210.QMD", L"QN0100.QND"}},
      {id(E::Label20), Shape::Label, kTextPoints, false, {L"Check Sum ", L"チェックサム "}},
      {id(E::Text4), Shape::Field, kTextPoints, false, {L"0000", L"FF32"}},
      {id(E::Command1), Shape::Button, kTextPoints, false, {L"Start", L"開　始"}},
      {id(E::Command2), Shape::Button, kTextPoints, false, {L"Close", L"終　了"}},
  };
  for (int step = 0; step < 5; ++step) {
    all.push_back({id(E::Label12) + step, Shape::Label, kTextPoints, true, steps[step]});
  }
  return all;
}

std::vector<Shows> dialogTexts() {
  using namespace port_dialog;
  return {{kOk, Shape::Button, kSmallPoints, false, {L"OK"}},
          {kCancel, Shape::Button, kTextPoints, false, {L"Cancel"}},
          {kPrinterFrame, Shape::Group, kTextPoints, false, {L"Printer"}},
          {kLanguageFrame, Shape::Group, kTextPoints, false, {L"Language"}},
          {kEnglish, Shape::Radio, kTextPoints, false, {L"English"}},
          {kJapanese, Shape::Radio, kTextPoints, false, {L"Japanese"}}};
}

struct Extent {
  int width = 0;
  int height = 0;
};

// The updater's font made here (GDI fonts don't cross processes), measured.
Extent measure(const std::wstring& text, int points, bool bold, int dpi) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontW(-MulDiv(points, dpi, 7200), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           kUiFontCharset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           VARIABLE_PITCH | FF_SWISS, kUiFontFace);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return {static_cast<int>(size.cx), static_cast<int>(metrics.tmHeight)};
}

// The part of the client area the text may use: edits keep their margins
// and a pixel for the caret, buttons their frame and focus rectangle, option
// buttons their circle and the gap after it, frames a caption inset.
Extent roomFor(HWND control, Shape shape, int dpi) {
  RECT r{};
  GetClientRect(control, &r);
  const int w = r.right;
  const int h = r.bottom;
  switch (shape) {
    case Shape::Field: {
      DWORD_PTR margins = 0;
      SendMessageTimeoutW(control, EM_GETMARGINS, 0, 0, SMTO_ABORTIFHUNG, 3000, &margins);
      return {w - LOWORD(margins) - HIWORD(margins) - 1, h};
    }
    case Shape::Button:
      return {w - 2 * px(6, dpi), h - 2 * px(3, dpi)};
    case Shape::Radio:
      return {w - px(18, dpi), h};
    case Shape::Group:
      return {w - 2 * px(8, dpi), h};
    case Shape::Label:
      break;
  }
  return {w, h};
}

void checkTextsFit(Session& s, HWND window, const std::vector<Shows>& table, int dpi) {
  for (const Shows& c : table) {
    HWND control = GetDlgItem(window, c.id);
    if (!s.check(control != nullptr, "control present", __LINE__)) continue;
    const Extent room = roomFor(control, c.shape, dpi);
    // One line per control is enough.
    bool fits = true;
    for (const std::wstring& text : c.texts) {
      for (bool bold : {false, true}) {
        if (!fits || (bold && !c.boldToo)) continue;
        const Extent need = measure(text, c.points, bold, dpi);
        fits = s.check(need.width <= room.width && need.height <= room.height, "text fits its control", __LINE__);
        if (fits) continue;
        std::printf("  control %d at %d dpi%s: \"%s\" needs %d x %d, has %d x %d\n", c.id, dpi, bold ? ", bold" : "",
                    utf8(text).c_str(), need.width, need.height, room.width, room.height);
      }
    }
  }
}

bool isGroupBox(HWND w) { return (GetWindowLongPtrW(w, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX; }
bool isMarker(HWND w) {
  const int i = GetDlgCtrlID(w);
  return i >= id(E::Picture1) && i <= id(E::Picture14);
}
bool inside(const RECT& in, const RECT& out) {
  return in.left >= out.left && in.top >= out.top && in.right <= out.right && in.bottom <= out.bottom;
}

// Visible controls lie in the client area (Command3 wholly outside it) and
// overlap only as a marker pair on one spot or a frame around its contents.
void checkNoOverlap(Session& s, HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  std::vector<std::pair<HWND, RECT>> shown;
  for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    RECT r{};
    GetWindowRect(c, &r);
    RECT common{};
    if (GetDlgCtrlID(c) == id(E::Command3) && GetDlgItem(window, id(E::Command3)) == c) {
      s.check(!IntersectRect(&common, &r, &client), "the focus holder is off screen", __LINE__);
      continue;
    }
    if (!s.check(inside(r, client), "control inside the client area", __LINE__)) {
      std::printf("  control %d\n", GetDlgCtrlID(c));
    }
    for (const auto& [other, o] : shown) {
      if (!IntersectRect(&common, &r, &o)) continue;
      const bool allowed = (isMarker(c) && isMarker(other) && EqualRect(&r, &o)) ||
                           (isGroupBox(c) && inside(o, r)) || (isGroupBox(other) && inside(r, o));
      if (!s.check(allowed, "controls do not overlap", __LINE__)) {
        std::printf("  controls %d and %d\n", GetDlgCtrlID(c), GetDlgCtrlID(other));
      }
    }
    shown.emplace_back(c, r);
  }
}

// Wine draws the caption at the display's dpi whatever the window's, while
// the window makes room for one at its own: at another dpi the client area
// can come out taller than the table's.
void checkClientSize(Session& s, HWND window, int width96, int height96, int dpi) {
  RECT r{};
  GetClientRect(window, &r);
  EXPECT_NUMBER(s, r.right, px(width96, dpi));
  if (dpi == systemDpi()) {
    EXPECT_NUMBER(s, r.bottom, px(height96, dpi));
  } else if (!EXPECT(s, r.bottom >= px(height96, dpi))) {
    std::printf("  client height %ld at %d dpi\n", r.bottom, dpi);
  }
}

void checkDialog(Session& s, HWND dialog, int dpi) {
  checkClientSize(s, dialog, kDialogClientWidth, kDialogClientHeight, dpi);
  checkTextsFit(s, dialog, dialogTexts(), dpi);
  checkNoOverlap(s, dialog);
  DWORD_PTR dropped = 0;
  SendMessageTimeoutW(control(dialog, port_dialog::kPrinterList), CB_GETDROPPEDWIDTH, 0, 0, SMTO_ABORTIFHUNG, 3000,
                      &dropped);
  // The longest name and a scroll bar beside it.
  const int want = measure(kLongName, kSmallPoints, false, dpi).width +
                   MulDiv(GetSystemMetrics(SM_CXVSCROLL), dpi, systemDpi());
  if (!EXPECT(s, static_cast<int>(dropped) >= want)) std::printf("  dropped width %d, want %d\n", int(dropped), want);
}

void checkForm1(Session& s, HWND form, int dpi) {
  checkClientSize(s, form, kForm1ClientWidth, kForm1ClientHeight, dpi);
  checkTextsFit(s, form, form1Texts(), dpi);
  checkNoOverlap(s, form);
}

// What Windows sends when a window moves to a monitor of another dpi; the
// suggested rectangle must lie in the window's process.
void sendDpiChanged(Session& s, HWND window, int from, int dpi) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processOf(window));
  if (!EXPECT(s, process != nullptr)) return;
  // Windows suggests the window's rectangle scaled; here centred, to stay in the screenshot.
  RECT now{};
  GetWindowRect(window, &now);
  const int width = MulDiv(now.right - now.left, dpi, from);
  const int height = MulDiv(now.bottom - now.top, dpi, from);
  const int left = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  const int top = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  const RECT suggested{left, top, left + width, top + height};
  void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  DWORD_PTR ignored = 0;
  if (EXPECT(s, remote != nullptr && WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr))) {
    EXPECT(s, SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote),
                                  SMTO_ABORTIFHUNG, 5000, &ignored) != 0);
  }
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
}

// 125 and 175 %, then back: the layout, fonts and markers follow each time.
template <class Check>
void followDpiChanges(Session& s, HWND window, const char* name, Check check) {
  int from = systemDpi();
  for (int dpi : {120, 168, 96}) {
    sendDpiChanged(s, window, from, dpi);
    from = dpi;
    check(s, window, dpi);
    if (dpi == 168) {
      Sleep(500);  // the controls repaint after the move
      s.screenshot(name);
    }
  }
}

HWND openForm1(Session& s, const wchar_t* printer, bool japanese, int dpi, bool firstOfLanguage) {
  s.runLauncher();
  HWND dialog = s.waitPortDialog();
  if (dialog == nullptr) return nullptr;
  if (firstOfLanguage) {
    checkDialog(s, dialog, dpi);
    if (dpi == 96 && !japanese) followDpiChanges(s, dialog, "port-dialog-at-175", checkDialog);
  }
  HWND list = control(dialog, port_dialog::kPrinterList);
  DWORD_PTR index = 0;
  // Before the choice: closing the list picks the entry under the mouse.
  if (firstOfLanguage && !japanese) {
    SendMessageTimeoutW(list, CB_SHOWDROPDOWN, TRUE, 0, SMTO_ABORTIFHUNG, 3000, &index);
    Sleep(300);
    s.screenshot("printer-list");
    SendMessageTimeoutW(list, CB_SHOWDROPDOWN, FALSE, 0, SMTO_ABORTIFHUNG, 3000, &index);
  }
  SendMessageTimeoutW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(printer),
                      SMTO_ABORTIFHUNG, 3000, &index);
  SendMessageTimeoutW(list, CB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, 3000, &index);
  if (japanese) click(control(dialog, port_dialog::kJapanese));
  Sleep(300);
  if (firstOfLanguage) s.screenshot(japanese ? "port-dialog-ja" : "port-dialog-en");
  click(control(dialog, port_dialog::kOk));
  HWND form = s.waitForm1();
  if (form != nullptr) EXPECT_TEXT(s, element(form, E::Text2), printer);
  return form;
}

}  // namespace

void checkLayout(Session& s, int displayDpi) {
  EXPECT_NUMBER(s, systemDpi(), displayDpi);
  for (bool japanese : {false, true}) {
    const std::string lang = japanese ? "-ja" : "-en";
    HWND form = openForm1(s, kNoRewrite, japanese, displayDpi, true);
    if (form == nullptr) return;
    checkForm1(s, form, displayDpi);
    s.screenshot(("update-due" + lang).c_str());
    if (displayDpi == 96 && !japanese) followDpiChanges(s, form, "update-due-at-175", checkForm1);

    // The printer never takes rewrite mode: step 2 stays open (bold) with
    // step 1 done, while the window answers no messages.
    click(element(form, E::Command1));
    EXPECT(s, waitFor([&] { return property(element(form, E::Label13), kBoldProperty) == kBoldOn; }, 30000));
    Sleep(500);
    checkNoOverlap(s, form);
    s.screenshot(("during-run" + lang).c_str());
    const DWORD updater = processOf(form);
    terminate(updater);
    EXPECT(s, waitProcessEnd(updater, kProcessEndMs));

    form = openForm1(s, kUpToDate, japanese, displayDpi, false);
    if (form == nullptr) return;
    const wchar_t* upToDate = japanese ? L"アップデート済みです。 [終了]ボタンをクリック。"
                                       : L"Firmware is already written.  Push [Close] botton.";
    EXPECT_TEXT(s, element(form, E::Text5), upToDate);
    checkForm1(s, form, displayDpi);
    s.screenshot(("up-to-date" + lang).c_str());
    const DWORD second = processOf(form);
    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT(s, waitProcessEnd(second, kProcessEndMs));
  }
}

}  // namespace gui
