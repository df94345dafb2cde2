#include "win32_gui_layout.h"

#include <commctrl.h>
#include <updater/texts.h>
#include <updater/update_state.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "win32_gui_probe.h"
#include "win32_gui_steps.h"

namespace gui {
namespace {

using E = updater::Element;
using T = updater::TextId;

// Printers of the layout tests (see CMakeLists.txt and checkLayout).
constexpr const wchar_t* kLongName = L"Label Printer in the Second Floor Engineering Office (Building B)";
constexpr const wchar_t* kNoRewrite = L"QM Printer Without Rewrite Mode";
constexpr const wchar_t* kUpToDate = L"QM Up-to-date Printer";

int px(int pixelsAt96, int dpi) { return MulDiv(pixelsAt96, dpi, 96); }
int id(E e) { return controlId(e); }

int systemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

std::wstring wide(std::string_view utf8) {
  std::wstring out(utf8.size(), L'\0');
  out.resize(static_cast<size_t>(
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), int(out.size()))));
  return out;
}

// The program's own texts, both languages.
std::vector<std::wstring> both(std::initializer_list<T> ids, std::vector<std::wstring> more = {}) {
  for (T t : ids) {
    for (bool japanese : {false, true}) more.push_back(wide(updater::text(t, japanese)));
  }
  return more;
}

// How a control lays out its text, and so how much of its client area the text gets.
enum class Shape { Label, Field, Button, Radio, Group };

struct Shows {
  int id;
  Shape shape;
  std::vector<std::wstring> texts;
  int points = kTextPoints;
  bool boldToo = false;
};

// Every text Form1 can show; printer values as the simulated printers give them.
std::vector<Shows> form1Texts() {
  const auto& qm = updater::kQmRelease;
  const auto& qn = updater::kQnRelease;
  const std::wstring qmNew = wide(qm.firmwareVersion), qnNew = wide(qn.firmwareVersion);
  std::vector<Shows> all{
      {id(E::Label3), Shape::Label, {wide(qm.familyCode), wide(qn.familyCode), L"--"}, kFamilyCodePoints},
      {id(E::Text5), Shape::Field, both({T::UpdateDue, T::UpToDate, T::NotQmQn, T::PrinterError, T::Complete})},
      {id(E::Label10), Shape::Label, both({T::PrinterNameCaption})},
      {id(E::Text2), Shape::Field, {L"QM Thermal Printer", L"QN Thermal Printer", kNoRewrite, kUpToDate}},
      {id(E::Label4), Shape::Label, {qmNew, qnNew}},
      {id(E::Label7), Shape::Label, both({T::FirmwareVerCaption})},
      {id(E::Text1), Shape::Field,
       both({T::FirmwareUpdateMode}, {L"QM_MASTER 4.10  QM_SLAVE  4.10", L"QN_MASTER 1.50  QN_SLAVE  1.50", qmNew, qnNew})},
      {id(E::Label5), Shape::Label, {wide(qm.colorDataFile)}},
      {id(E::Label6), Shape::Label, {wide(qm.colorDataChecksum)}},
      {id(E::Label21), Shape::Label, both({T::ColorDataCaption})},
      {id(E::Text3), Shape::Field, {L"QM0200.QMD", L"QN0100.QND", wide(qm.colorDataFile)}},
      {id(E::Label20), Shape::Label, both({T::CheckSumCaption})},
      {id(E::Text4), Shape::Field, {L"0000", wide(qm.colorDataChecksum)}},
      {id(E::Command1), Shape::Button, both({T::StartButton})},
      {id(E::Command2), Shape::Button, both({T::CloseButton})},
  };
  for (int step = 0; step < 5; ++step) {
    const auto text = static_cast<T>(static_cast<int>(T::Step1) + step);
    all.push_back({id(E::Label12) + step, Shape::Label, both({text}), kTextPoints, true});
  }
  return all;
}

std::vector<Shows> dialogTexts() {
  using namespace port_dialog;
  return {{kOk, Shape::Button, {L"OK"}, kSmallPoints},       {kCancel, Shape::Button, {L"Cancel"}},
          {kPrinterFrame, Shape::Group, {L"Printer"}},       {kLanguageFrame, Shape::Group, {L"Language"}},
          {kEnglish, Shape::Radio, {L"English"}},            {kJapanese, Shape::Radio, {L"Japanese"}}};
}

// The updater's font, made here (GDI fonts don't cross processes): the
// text's width and the font's line height.
SIZE measure(const std::wstring& text, int points, bool bold, int dpi) {
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
  return {size.cx, metrics.tmHeight};
}

// The part of the client area the text may use: edits keep their margins
// and a pixel for the caret, buttons their frame and focus rectangle, option
// buttons their circle and the gap after it, frames a caption inset.
SIZE roomFor(HWND control, Shape shape, int dpi) {
  RECT r{};
  GetClientRect(control, &r);
  DWORD_PTR margins = 0;
  switch (shape) {
    case Shape::Field:
      SendMessageTimeoutW(control, EM_GETMARGINS, 0, 0, SMTO_ABORTIFHUNG, 3000, &margins);
      return {r.right - LOWORD(margins) - HIWORD(margins) - 1, r.bottom};
    case Shape::Button:
      return {r.right - 2 * px(6, dpi), r.bottom - 2 * px(3, dpi)};
    case Shape::Radio:
      return {r.right - px(18, dpi), r.bottom};
    case Shape::Group:
      return {r.right - 2 * px(8, dpi), r.bottom};
    case Shape::Label:
      break;
  }
  return {r.right, r.bottom};
}

void checkTextsFit(Session& s, HWND window, const std::vector<Shows>& table, int dpi) {
  for (const Shows& c : table) {
    const SIZE room = roomFor(GetDlgItem(window, c.id), c.shape, dpi);
    bool fits = true;  // one line per control is enough
    for (const std::wstring& text : c.texts) {
      for (bool bold : {false, true}) {
        if (!fits || (bold && !c.boldToo)) continue;
        const SIZE need = measure(text, c.points, bold, dpi);
        fits = s.check(need.cx <= room.cx && need.cy <= room.cy, "text fits its control", __LINE__);
        if (!fits) {
          std::printf("  control %d at %d dpi%s: \"%s\" needs %ld x %ld, has %ld x %ld\n", c.id, dpi,
                      bold ? ", bold" : "", utf8(text).c_str(), need.cx, need.cy, room.cx, room.cy);
        }
      }
    }
  }
}

bool inside(const RECT& in, const RECT& out) {
  return in.left >= out.left && in.top >= out.top && in.right <= out.right && in.bottom <= out.bottom;
}

// Visible controls lie in the client area (Command3 wholly outside it) and
// overlap only as a marker pair on one spot or a frame around its contents.
void checkNoOverlap(Session& s, HWND window) {
  const auto marker = [](HWND w) { return GetDlgCtrlID(w) >= id(E::Picture1) && GetDlgCtrlID(w) <= id(E::Picture14); };
  const auto group = [](HWND w) { return (GetWindowLongPtrW(w, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX; };
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  std::vector<std::pair<HWND, RECT>> shown;
  for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r{}, common{};
    GetWindowRect(c, &r);
    if (!IsWindowVisible(c)) continue;
    if (c == element(window, E::Command3)) {
      s.check(!IntersectRect(&common, &r, &client), "the focus holder is off screen", __LINE__);
      continue;
    }
    if (!s.check(inside(r, client), "control inside the client area", __LINE__)) std::printf("  %d\n", GetDlgCtrlID(c));
    for (const auto& [other, o] : shown) {
      const bool allowed = !IntersectRect(&common, &r, &o) || (marker(c) && marker(other) && EqualRect(&r, &o)) ||
                           (group(c) && inside(o, r)) || (group(other) && inside(r, o));
      if (!s.check(allowed, "controls do not overlap", __LINE__)) {
        std::printf("  %d and %d\n", GetDlgCtrlID(c), GetDlgCtrlID(other));
      }
    }
    shown.emplace_back(c, r);
  }
}

void checkDialog(Session& s, HWND dialog, int dpi) {
  checkTextsFit(s, dialog, dialogTexts(), dpi);
  checkNoOverlap(s, dialog);
  // The list drops wide enough for the longest name and a scroll bar.
  DWORD_PTR dropped = 0;
  SendMessageTimeoutW(control(dialog, port_dialog::kPrinterList), CB_GETDROPPEDWIDTH, 0, 0, SMTO_ABORTIFHUNG, 3000,
                      &dropped);
  const int want =
      measure(kLongName, kSmallPoints, false, dpi).cx + MulDiv(GetSystemMetrics(SM_CXVSCROLL), dpi, systemDpi());
  if (!EXPECT(s, static_cast<int>(dropped) >= want)) std::printf("  dropped width %d, want %d\n", int(dropped), want);
}

void checkForm1(Session& s, HWND form, int dpi) {
  checkTextsFit(s, form, form1Texts(), dpi);
  checkNoOverlap(s, form);
}

// What Windows sends when a window moves to a monitor of another dpi (the
// suggested rectangle, in the window's process, centred to stay in the
// screenshots); then 125 and 175 % and back, each checked.
template <class Check>
void followDpiChanges(Session& s, HWND window, const char* shot, Check check) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processOf(window));
  void* remote = process ? VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE) : nullptr;
  if (!EXPECT(s, remote != nullptr)) return;
  int from = systemDpi();
  for (int dpi : {120, 168, 96}) {
    RECT now{};
    GetWindowRect(window, &now);
    const int width = MulDiv(now.right - now.left, dpi, from), height = MulDiv(now.bottom - now.top, dpi, from);
    const int left = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    const int top = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    const RECT suggested{left, top, left + width, top + height};
    DWORD_PTR ignored = 0;
    EXPECT(s, WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr) &&
                  SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote),
                                      SMTO_ABORTIFHUNG, 5000, &ignored));
    from = dpi;
    check(s, window, dpi);
    if (dpi == 168) {
      Sleep(500);  // the controls repaint after the move
      s.screenshot(shot);
    }
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
}

HWND openForm1(Session& s, const wchar_t* printer, bool japanese, int dpi, bool firstOfLanguage) {
  if (!s.openUpdaterOnce()) s.runLauncher();
  HWND dialog = s.waitPortDialog();
  if (dialog == nullptr) return nullptr;
  HWND list = control(dialog, port_dialog::kPrinterList);
  DWORD_PTR index = 0;
  if (firstOfLanguage) {
    checkDialog(s, dialog, dpi);
    if (dpi == 96 && !japanese) followDpiChanges(s, dialog, "port-dialog-at-175", checkDialog);
  }
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
  EXPECT(s, addSimulatedPrinter(s, "USB005", "never_rewrite = yes\r\n"));
  EXPECT(s, addSimulatedPrinter(s, "USB006", "firmware = QM_MASTER 5.00  QM_SLAVE  5.00\r\ncolor_data = release\r\n"));
  for (bool japanese : {false, true}) {
    const std::string lang = japanese ? "-ja" : "-en";
    HWND form = openForm1(s, kNoRewrite, japanese, displayDpi, true);
    if (form == nullptr) return;
    checkForm1(s, form, displayDpi);
    s.screenshot(("update-due" + lang).c_str());
    if (displayDpi == 96 && !japanese) followDpiChanges(s, form, "update-due-at-175", checkForm1);

    // The printer never takes rewrite mode: step 2 stays open (bold) after
    // step 1, and the window refuses to close during the run; so it is ended.
    click(element(form, E::Command1));
    EXPECT(s, waitFor([&] { return property(element(form, E::Label13), kBoldProperty) == kBoldOn; }, 30000));
    Sleep(500);
    checkNoOverlap(s, form);
    s.screenshot(("during-run" + lang).c_str());
    const DWORD running = processOf(form);
    terminate(running);
    EXPECT(s, waitProcessEnd(running, kProcessEndMs));

    form = openForm1(s, kUpToDate, japanese, displayDpi, false);
    if (form == nullptr) return;
    EXPECT_TEXT(s, element(form, E::Text5), wide(updater::text(T::UpToDate, japanese)));
    checkForm1(s, form, displayDpi);
    s.screenshot(("up-to-date" + lang).c_str());
    const DWORD ended = processOf(form);
    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT(s, waitProcessEnd(ended, kProcessEndMs));
  }
}

}  // namespace gui
