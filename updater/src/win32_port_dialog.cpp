#include "win32_port_dialog.h"

#include <string>

#include "updater/form_layout.h"
#include "updater/texts.h"
#include "win32_gdi.h"
#include "win32_text.h"
#include "win32_window.h"

namespace updater::win32 {
namespace {

constexpr wchar_t kClassName[] = L"QMQN_frmPortSetting";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;
constexpr int kDropListHeight = 160;

struct DialogState {
  PortChoice choice;
  bool done = false;
  HWND combo = nullptr;
  HWND english = nullptr;
};

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

bool registerClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = dialogProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND createControl(HWND parent, HINSTANCE instance, const DialogControl& c) {
  const wchar_t* cls = L"BUTTON";
  DWORD style = WS_CHILD | WS_VISIBLE;
  int height = c.rect.height;
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
      height += kDropListHeight;
      break;
    case DialogControlKind::Radio:
      // The first option in tab order starts the group of two.
      style |= BS_AUTORADIOBUTTON | (c.id == kDialogJapaneseId ? WS_GROUP | WS_TABSTOP : 0);
      break;
  }
  const std::wstring caption(c.caption.begin(), c.caption.end());
  return CreateWindowExW(0, cls, caption.c_str(), style, c.rect.left, c.rect.top, c.rect.width,
                         height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                         instance, nullptr);
}

}  // namespace

PortChoice PortSettingDialog::show(std::span<const std::string> deviceNames) {
  DialogState state;
  if (!registerClass(instance_)) return state.choice;
  const Font font = makeUiFont(975, false);
  const Font smallFont = makeUiFont(900, false);

  HWND hwnd = createCentredWindow(kExStyle, kClassName, kStyle, kDialogClient.width, kDialogClient.height,
                                  instance_, &state);
  if (!hwnd) return state.choice;

  HWND ok = nullptr;
  for (const DialogControl& c : portDialogControls()) {
    HWND child = createControl(hwnd, instance_, c);
    if (!child) continue;
    HFONT f = c.smallFont ? smallFont.get() : font.get();
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
    if (c.id == kDialogOkId) ok = child;
    if (c.id == kDialogComboId) state.combo = child;
    if (c.id == kDialogEnglishId) state.english = child;
  }
  for (const std::string& name : deviceNames) {
    SendMessageW(state.combo, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(utf8ToWide(name).c_str()));
  }
  if (!deviceNames.empty()) SendMessageW(state.combo, CB_SETCURSEL, 0, 0);
  SendMessageW(state.english, BM_SETCHECK, BST_CHECKED, 0);

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
