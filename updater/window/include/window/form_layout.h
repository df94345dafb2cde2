// Where every control of Form1 and of the port dialog sits, in pixels of a
// 96-dpi client area. The dialog's positions come from twips (15 per pixel).
#pragma once
#include <array>
#include <span>
#include <string_view>

#include "window/form1_controls.h"
#include "window/automation.h"

namespace updater {

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

inline constexpr int kTwipsPerPixel = 15;
constexpr int twipsToPixels(int twips) {
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}
constexpr PixelRect twipsRect(int left, int top, int width, int height) {
  return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

enum class ControlKind { Label, LargeLabel, TextField, Group, Button, Marker, Progress };

struct Form1Control {
  Element element;
  ControlKind kind;
  PixelRect rect;
  Rgb colour = kBlack;  // text colour before the logic sets one
};

struct Form1Group {
  int id;
  PixelRect rect;
};

inline constexpr int kForm1ClientWidth = 520;
inline constexpr int kForm1ClientHeight = 470;
inline constexpr int kMarkerSize = 13;

// One entry per Element, in Element order.
std::span<const Form1Control, kElementCount> form1Controls();
// Frame2 (printer data) and Frame1 (steps and buttons); no captions.
std::span<const Form1Group, 2> form1Groups();

// The port dialog, in tab order.
enum class DialogControlKind { Button, Group, DropDownList, Radio };

struct DialogControl {
  int id;
  DialogControlKind kind;
  std::u16string_view caption;
  PixelRect rect;  // relative to the client area
  bool smallFont;  // 9 pt instead of 9.75 pt
};

inline constexpr PixelRect kDialogClient = twipsRect(0, 0, 3090, 2160);
std::span<const DialogControl, 7> portDialogControls();

}  // namespace updater
