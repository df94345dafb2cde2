#include "win32_form1.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "window/automation.h"
#include "window/dpi_scale.h"
#include "window/form_layout.h"
#include "updater/texts.h"
#include "win32_dpi.h"
#include "win32_text.h"
#include "win32_window.h"

namespace updater::win32 {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = 0;

void setProp(HWND hwnd, const wchar_t* name, uintptr_t value) {
  SetPropW(hwnd, name, reinterpret_cast<HANDLE>(value));
}

COLORREF toColorRef(Rgb c) { return RGB(c.red, c.green, c.blue); }

struct ChildSpec {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

ChildSpec childSpec(const Form1Control& c) {
  switch (c.kind) {
    case ControlKind::Label:
    case ControlKind::LargeLabel: {
      DWORD style = SS_LEFT | SS_NOPREFIX;
      if (c.element == Element::Label4) style |= SS_NOTIFY;  // double click
      return {L"STATIC", style, 0};
    }
    case ControlKind::TextField:
      return {L"EDIT", ES_LEFT | ES_READONLY | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Group:
      return {L"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::Button:
      return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::Marker:
      return {L"STATIC", SS_OWNERDRAW, 0};
    case ControlKind::Progress:
      return {PROGRESS_CLASSW, 0, 0};
  }
  return {L"STATIC", 0, 0};
}

}  // namespace

std::unique_ptr<Form1> Form1::create(HINSTANCE instance) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  if (!registerTopLevelClass(instance, kForm1Class, &Form1::windowProc)) return nullptr;

  auto form = std::make_unique<Form1>(Key{});
  HWND hwnd = createCentredWindow(kExStyle, kForm1Class, kStyle, kForm1ClientWidth, kForm1ClientHeight,
                                  instance, form.get());
  if (!hwnd) return nullptr;
  form->instance_ = instance;
  form->dpi_ = windowDpi(hwnd);
  if (!form->createControls(instance)) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  form->applyDpi();
  return form;
}

Form1::~Form1() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool Form1::createControls(HINSTANCE instance) {
  // Placed and given their fonts by applyDpi.
  for (size_t i = 0; i < groups_.size(); ++i) {
    groups_[i] = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 0, 0, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(form1Groups()[i].id)),
                                 instance, nullptr);
    if (!groups_[i]) return false;
  }
  for (const Form1Control& c : form1Controls()) {
    const ChildSpec spec = childSpec(c);
    DWORD style = WS_CHILD | spec.style;
    // Check marks start hidden; the logic decides from then on.
    if (!(isMarker(c.element) && isCheckMark(c.element))) style |= WS_VISIBLE;
    HWND child = CreateWindowExW(
        spec.exStyle, spec.className, L"", style, 0, 0, 0, 0, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(c.element))), instance, nullptr);
    if (!child) return false;
    const auto index = static_cast<size_t>(c.element);
    controls_[index] = child;
    colours_[index] = toColorRef(c.colour);
    setProp(child, kColourProperty, colours_[index] | kColourSet);
    setProp(child, kBoldProperty, kBoldOff);
    if (c.kind == ControlKind::Progress) {
      SendMessageW(child, PBM_SETRANGE32, 0, 100);
      setProp(child, kProgressProperty, 1);
    }
  }
  return true;
}

void Form1::applyDpi() {
  // The controls get the new fonts before the old ones are deleted.
  Font normal = makeUiFont(kTextPoints, false, dpi_);
  Font bold = makeUiFont(kTextPoints, true, dpi_);
  Font large = makeUiFont(kFamilyCodePoints, false, dpi_);
  const auto place = [this](HWND child, const PixelRect& at96, HFONT font) {
    const PixelRect r = scaleToDpi(at96, dpi_);
    SetWindowPos(child, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  };
  for (size_t i = 0; i < groups_.size(); ++i) place(groups_[i], form1Groups()[i].rect, normal.get());
  for (const Form1Control& c : form1Controls()) {
    const auto index = static_cast<size_t>(c.element);
    HFONT font = c.kind == ControlKind::LargeLabel ? large.get() : bold_[index] ? bold.get() : normal.get();
    place(controls_[index], c.rect, font);
  }
  normalFont_ = std::move(normal);
  boldFont_ = std::move(bold);
  largeFont_ = std::move(large);
  icons_ = setWindowIcons(hwnd_, instance_, dpi_);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Form1::show() {
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
  SetForegroundWindow(hwnd_);
}

void Form1::dispatch(MSG& msg) {
  if (hwnd_ && IsDialogMessageW(hwnd_, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

void Form1::setText(Element element, std::string_view text) {
  if (element == Element::ProgressBar1) return;
  SetWindowTextW(control(element), utf8ToWide(text).c_str());
}

void Form1::setTextColour(Element element, Rgb colour) {
  const auto index = static_cast<size_t>(element);
  colours_[index] = toColorRef(colour);
  setProp(control(element), kColourProperty, colours_[index] | kColourSet);
  InvalidateRect(control(element), nullptr, TRUE);
}

void Form1::setEnabled(Element element, bool enabled) {
  EnableWindow(control(element), enabled ? TRUE : FALSE);
  // The close box and Alt+F4 follow Close: a run can't be cut off by a click.
  if (element == Element::Command2) {
    EnableMenuItem(GetSystemMenu(hwnd_, FALSE), SC_CLOSE, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

bool Form1::closable() const { return IsWindowEnabled(control(Element::Command2)) != FALSE; }

void Form1::setVisible(Element element, bool visible) {
  ShowWindow(control(element), visible ? SW_SHOW : SW_HIDE);
}

void Form1::setBold(Element element, bool bold) {
  setProp(control(element), kBoldProperty, bold ? kBoldOn : kBoldOff);
  bold_[static_cast<size_t>(element)] = bold;
  if (element == Element::Label3) return;  // keeps its large font
  HFONT font = bold ? boldFont_.get() : normalFont_.get();
  SendMessageW(control(element), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Form1::setProgress(float value) {
  const float bounded = std::isfinite(value) ? std::fmin(std::fmax(value, 0.0f), 100.0f) : 0.0f;
  HWND bar = control(Element::ProgressBar1);
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(static_cast<int>(bounded)), 0);
  setProp(bar, kProgressProperty, static_cast<uintptr_t>(std::lround(bounded * 1000.0f)) + 1);
}

void Form1::setFocus(Element element) { SetFocus(control(element)); }

LRESULT CALLBACK Form1::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* form = static_cast<Form1*>(create->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    enableNonClientScaling(hwnd);
  }
  auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcW(hwnd, message, wParam, lParam);
  return form->onMessage(message, wParam, lParam);
}

LRESULT Form1::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id == controlId(Element::Command1) && code == BN_CLICKED) {
        if (events_.startClicked) events_.startClicked();
      } else if (id == controlId(Element::Command2) && code == BN_CLICKED) {
        ExitProcess(0);
      } else if (id == controlId(Element::Label4) && code == STN_DBLCLK) {
        if (events_.label4DoubleClicked) events_.label4DoubleClicked();
      }
      return 0;
    }
    case WM_CLOSE:
      // Closing ends the program at once, except while a run has Close disabled.
      if (!closable()) return 0;
      ExitProcess(0);
    case WM_QUERYENDSESSION:
      return closable() ? TRUE : FALSE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return colourControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
      drawMarker(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_GETDPISCALEDSIZE:
      return answerScaledSize(hwnd_, wParam, lParam, kForm1ClientWidth, kForm1ClientHeight);
    case WM_DPICHANGED:
      dpi_ = moveForNewDpi(hwnd_, wParam, lParam, kForm1ClientWidth, kForm1ClientHeight);
      // Before the controls exist there is nothing to lay out yet.
      if (controls_.back() != nullptr) applyDpi();
      return 0;
    case WM_DESTROY:
      for (HWND child : controls_) {
        RemovePropW(child, kColourProperty);
        RemovePropW(child, kBoldProperty);
        RemovePropW(child, kProgressProperty);
      }
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      controls_.fill(nullptr);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

LRESULT Form1::colourControl(HDC dc, HWND child) {
  const int id = GetDlgCtrlID(child) - controlId(static_cast<Element>(0));
  if (id < 0 || id >= kElementCount || controls_[static_cast<size_t>(id)] != child) {
    return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(child));
  }
  // Statics and read-only edits both ask here (WM_CTLCOLORSTATIC), themed or
  // not. A disabled label is greyed by us, so that no control's own idea of
  // disabled text can show the label's colour instead.
  const bool field = form1Controls()[static_cast<size_t>(id)].kind == ControlKind::TextField;
  const int background = field ? COLOR_WINDOW : COLOR_BTNFACE;
  SetTextColor(dc, IsWindowEnabled(child) ? colours_[static_cast<size_t>(id)] : GetSysColor(COLOR_GRAYTEXT));
  SetBkColor(dc, GetSysColor(background));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

// Drawn at the marker's size for the window's dpi: a framed white box, and
// for a check mark a blue tick, both in proportion to the 13-pixel original.
void Form1::drawMarker(const DRAWITEMSTRUCT& item) const {
  const int id = static_cast<int>(item.CtlID) - controlId(static_cast<Element>(0));
  if (id < 0 || id >= kElementCount) return;
  const auto element = static_cast<Element>(id);
  HDC dc = item.hDC;
  const RECT r = item.rcItem;
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
  RECT frame = r;
  for (int line = 0; line < std::max(1, width / kMarkerSize); ++line) {
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
    InflateRect(&frame, -1, -1);
  }
  if (!isCheckMark(element)) return;
  const auto at = [&](int x, int y) {
    return POINT{r.left + MulDiv(x, width, kMarkerSize), r.top + MulDiv(y, height, kMarkerSize)};
  };
  HPEN pen = CreatePen(PS_SOLID, std::max(2, MulDiv(2, width, kMarkerSize)), RGB(0, 0, 255));
  HGDIOBJ old = SelectObject(dc, pen);
  const POINT tick[3] = {at(3, 6), at(5, 9), at(10, 3)};
  Polyline(dc, tick, 3);
  SelectObject(dc, old);
  DeleteObject(pen);
}

}  // namespace updater::win32
