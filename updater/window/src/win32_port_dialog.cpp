#include "win32_port_dialog.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "window/automation.h"
#include "window/dpi_scale.h"
#include "window/form_layout.h"
#include "updater/texts.h"
#include "win32_dpi.h"
#include "win32_gdi.h"
#include "win32_icon.h"
#include "win32_text.h"
#include "win32_window.h"

namespace updater::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;
constexpr int kDropListHeight = 160;

struct DialogState {
  PortChoice choice;
  bool done = false;
  int dpi = 96;
  std::array<HWND, 7> controls{};  // in the order of the layout table
  HWND combo = nullptr;
  HWND english = nullptr;
  std::vector<std::wstring> names;
  Font font;
  Font smallFont;
};

// Wide enough for the longest printer name, however narrow the list's box.
int droppedWidth(const DialogState& state, int boxWidth) {
  HDC dc = GetDC(state.combo);
  if (dc == nullptr) return boxWidth;
  HGDIOBJ old = SelectObject(dc, state.smallFont.get());
  int longest = 0;
  for (const std::wstring& name : state.names) {
    SIZE extent{};
    GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &extent);
    longest = std::max(longest, static_cast<int>(extent.cx));
  }
  SelectObject(dc, old);
  ReleaseDC(state.combo, dc);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(state.combo, MONITOR_DEFAULTTONEAREST), &monitor);
  const int screenWidth = monitor.rcWork.right - monitor.rcWork.left;
  const int margins = 2 * (systemMetricForDpi(SM_CXEDGE, state.dpi) + scaleToDpi(4, state.dpi));
  const int wanted = longest + systemMetricForDpi(SM_CXVSCROLL, state.dpi) + margins;
  return std::max(boxWidth, screenWidth > 0 ? std::min(wanted, screenWidth) : wanted);
}

// Positions, fonts and the list's width for the dialog's dpi.
void applyDpi(HWND hwnd, DialogState& state) {
  Font font = makeUiFont(kTextPoints, false, state.dpi);
  Font smallFont = makeUiFont(kSmallPoints, false, state.dpi);
  const auto controls = portDialogControls();
  int boxWidth = 0;
  for (size_t i = 0; i < controls.size(); ++i) {
    const DialogControl& c = controls[i];
    PixelRect r = scaleToDpi(c.rect, state.dpi);
    if (c.kind == DialogControlKind::DropDownList) {
      boxWidth = r.width;
      // The height of a drop-down list's window includes its list.
      r.height += scaleToDpi(kDropListHeight, state.dpi);
    }
    SetWindowPos(state.controls[i], nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    HFONT f = c.smallFont ? smallFont.get() : font.get();
    SendMessageW(state.controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
  }
  state.font = std::move(font);
  state.smallFont = std::move(smallFont);
  // From the box's width first: Wine's list takes a new width only above its
  // current one, so a move to a lower dpi would otherwise leave it narrow.
  SendMessageW(state.combo, CB_SETDROPPEDWIDTH, 1, 0);
  SendMessageW(state.combo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(droppedWidth(state, boxWidth)), 0);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void accept(HWND hwnd, DialogState& state) {
  const LRESULT index = SendMessageW(state.combo, CB_GETCURSEL, 0, 0);
  // Nothing chosen: the logic needs an index of a listed printer.
  if (index == CB_ERR) return;
  state.choice.end = PortChoice::End::Ok;
  state.choice.listIndex = static_cast<int>(index);
  state.choice.japanese = SendMessageW(state.english, BM_GETCHECK, 0, 0) != BST_CHECKED;
  DestroyWindow(hwnd);
}

LRESULT CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    enableNonClientScaling(hwnd);
  }
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!state) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == kDialogOkId) {
          accept(hwnd, *state);
        } else if (LOWORD(wParam) == kDialogCancelId) {
          state->choice.end = PortChoice::End::Cancel;
          DestroyWindow(hwnd);
        }
      }
      return 0;
    case WM_GETDPISCALEDSIZE:
      return answerScaledSize(hwnd, wParam, lParam, kDialogClient.width, kDialogClient.height);
    case WM_DPICHANGED:
      state->dpi = moveForNewDpi(hwnd, wParam, lParam, kDialogClient.width, kDialogClient.height);
      if (state->combo != nullptr) applyDpi(hwnd, *state);
      return 0;
    case WM_CLOSE:
      state->choice.end = PortChoice::End::Closed;
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      state->done = true;
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

HWND createControl(HWND parent, HINSTANCE instance, const DialogControl& c) {
  const wchar_t* cls = L"BUTTON";
  DWORD style = WS_CHILD | WS_VISIBLE;
  switch (c.kind) {
    case DialogControlKind::Button:
      style |= BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;
      if (c.id == kDialogOkId) style ^= BS_PUSHBUTTON ^ BS_DEFPUSHBUTTON;
      break;
    case DialogControlKind::Group:
      style |= BS_GROUPBOX;
      break;
    case DialogControlKind::DropDownList:
      cls = L"COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP;
      break;
    case DialogControlKind::Radio:
      // The first option in tab order starts the group of two.
      style |= BS_AUTORADIOBUTTON | (c.id == kDialogJapaneseId ? WS_GROUP | WS_TABSTOP : 0);
      break;
  }
  const std::wstring caption(c.caption.begin(), c.caption.end());
  // Placed by applyDpi.
  return CreateWindowExW(0, cls, caption.c_str(), style, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
}

}  // namespace

PortChoice PortSettingDialog::show(std::span<const std::string> deviceNames) {
  DialogState state;
  if (!registerTopLevelClass(instance_, kPortDialogClass, dialogProc)) return state.choice;

  HWND hwnd = createCentredWindow(kExStyle, kPortDialogClass, kStyle, kDialogClient.width, kDialogClient.height,
                                  instance_, &state);
  if (!hwnd) return state.choice;
  state.dpi = windowDpi(hwnd);

  HWND ok = nullptr;
  const auto controls = portDialogControls();
  for (size_t i = 0; i < controls.size(); ++i) {
    const DialogControl& c = controls[i];
    HWND child = createControl(hwnd, instance_, c);
    if (!child) continue;
    state.controls[i] = child;
    if (c.id == kDialogOkId) ok = child;
    if (c.id == kDialogComboId) state.combo = child;
    if (c.id == kDialogEnglishId) state.english = child;
  }
  for (const std::string& name : deviceNames) {
    state.names.push_back(utf8ToWide(name));
    SendMessageW(state.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(state.names.back().c_str()));
  }
  if (!deviceNames.empty()) SendMessageW(state.combo, CB_SETCURSEL, 0, 0);
  SendMessageW(state.english, BM_SETCHECK, BST_CHECKED, 0);
  applyDpi(hwnd, state);

  ShowWindow(hwnd, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd);
  if (ok) SetFocus(ok);
  while (!state.done) {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    if (IsWindow(hwnd) && IsDialogMessageW(hwnd, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (IsWindow(hwnd)) DestroyWindow(hwnd);
  return state.choice;
}

}  // namespace updater::win32
