// Form1, the updater's main window: its controls as the window front end
// drives them. Every control publishes its state as window/automation.h says.
#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "window/form1_controls.h"
#include "win32_gdi.h"
#include "win32_icon.h"

namespace updater::win32 {

class Form1 final : public Form1Controls {
 public:
  struct Events {
    std::function<void()> startClicked;
    std::function<void()> label4DoubleClicked;
  };

  // Created hidden; null when the window could not be made.
  static std::unique_ptr<Form1> create(HINSTANCE instance);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;
  ~Form1();

  void setEvents(Events events) { events_ = std::move(events); }
  void show();
  HWND handle() const { return hwnd_; }
  bool alive() const { return hwnd_ != nullptr; }
  // Dispatches one message with dialog keyboard handling (Tab between controls).
  void dispatch(MSG& msg);
  // False while Close is disabled: then the window refuses to close.
  bool closable() const;

  void setText(Element element, std::string_view text) override;
  void setTextColour(Element element, Rgb colour) override;
  void setEnabled(Element element, bool enabled) override;
  void setVisible(Element element, bool visible) override;
  void setBold(Element element, bool bold) override;
  void setProgress(float value) override;
  void setFocus(Element element) override;

 private:
  // Only create() makes a Form1 (the key keeps make_unique usable there).
  struct Key {
    explicit Key() = default;
  };

 public:
  explicit Form1(Key) {}

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool createControls(HINSTANCE instance);
  // Positions, sizes, fonts and icons for dpi_: at creation and when the
  // window moves to a monitor of another dpi.
  void applyDpi();
  HWND control(Element element) const { return controls_[static_cast<size_t>(element)]; }
  LRESULT colourControl(HDC dc, HWND child);
  void drawMarker(const DRAWITEMSTRUCT& item) const;

  HWND hwnd_ = nullptr;
  HINSTANCE instance_ = nullptr;
  int dpi_ = 96;
  std::array<HWND, 2> groups_{};
  std::array<HWND, kElementCount> controls_{};
  std::array<bool, kElementCount> bold_{};
  std::array<COLORREF, kElementCount> colours_{};
  Font normalFont_;
  Font boldFont_;
  Font largeFont_;
  WindowIcons icons_;
  Events events_;
};

}  // namespace updater::win32
