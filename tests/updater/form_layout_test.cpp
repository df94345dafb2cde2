#include "window/form_layout.h"

#include "window/dpi_scale.h"

#include <gtest/gtest.h>

#include <set>

namespace updater {
namespace {

bool inside(const PixelRect& inner, const PixelRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

bool overlap(const PixelRect& a, const PixelRect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// 100, 125, 150, 175 and 200 %.
constexpr int kDpis[] = {96, 120, 144, 168, 192};

const PixelRect kClient{0, 0, kForm1ClientWidth, kForm1ClientHeight};

PixelRect at(const PixelRect& rect, int dpi) { return scaleToDpi(rect, dpi); }

TEST(TwipsToPixels, FifteenTwipsPerPixel) {
  EXPECT_EQ(twipsToPixels(0), 0);
  EXPECT_EQ(twipsToPixels(15), 1);
  EXPECT_EQ(twipsToPixels(3090), 206);
  EXPECT_EQ(twipsToPixels(2160), 144);
  EXPECT_EQ(twipsToPixels(7), 0);
  EXPECT_EQ(twipsToPixels(8), 1);
  EXPECT_EQ(twipsToPixels(-1500), -100);
}

TEST(Form1Layout, OneEntryPerElementInOrderWithItsControlId) {
  std::set<int> ids{kForm1Frame1Id, kForm1Frame2Id};
  for (int i = 0; i < kElementCount; ++i) {
    const Form1Control& c = form1Controls()[static_cast<size_t>(i)];
    EXPECT_EQ(static_cast<int>(c.element), i);
    EXPECT_EQ(controlId(c.element), 100 + i);
    EXPECT_TRUE(ids.insert(controlId(c.element)).second);
  }
}

TEST(Form1Layout, EverythingInsideTheClientAreaButCommand3AtEveryDpi) {
  for (int dpi : kDpis) {
    const PixelRect client = at(kClient, dpi);
    for (const Form1Control& c : form1Controls()) {
      const PixelRect rect = at(c.rect, dpi);
      EXPECT_GT(rect.width, 0);
      EXPECT_GT(rect.height, 0);
      if (c.element == Element::Command3) {
        EXPECT_FALSE(overlap(rect, client)) << dpi;
      } else {
        EXPECT_TRUE(inside(rect, client)) << static_cast<int>(c.element) << " at " << dpi;
      }
    }
    for (const Form1Group& g : form1Groups()) EXPECT_TRUE(inside(at(g.rect, dpi), client)) << dpi;
  }
}

TEST(Form1Layout, MarkersAre13PixelPairsOnOneSpot) {
  const auto controls = form1Controls();
  for (int e = static_cast<int>(Element::Picture1); e <= static_cast<int>(Element::Picture14);
       e += 2) {
    const Form1Control& box = controls[static_cast<size_t>(e)];
    const Form1Control& check = controls[static_cast<size_t>(e + 1)];
    EXPECT_EQ(box.kind, ControlKind::Marker);
    EXPECT_EQ(box.rect, check.rect);
    EXPECT_EQ(box.rect.width, kMarkerSize);
    EXPECT_EQ(box.rect.height, kMarkerSize);
  }
}

TEST(Form1Layout, NoTwoControlsOverlapExceptAMarkerPairAtEveryDpi) {
  const auto controls = form1Controls();
  for (int dpi : kDpis) {
    for (size_t i = 0; i < controls.size(); ++i) {
      for (size_t j = i + 1; j < controls.size(); ++j) {
        const Form1Control& a = controls[i];
        const Form1Control& b = controls[j];
        if (isMarker(a.element) && isMarker(b.element) && a.rect == b.rect) continue;
        EXPECT_FALSE(overlap(at(a.rect, dpi), at(b.rect, dpi)))
            << static_cast<int>(a.element) << " / " << static_cast<int>(b.element) << " at " << dpi;
      }
    }
  }
}

TEST(Form1Layout, PrinterDataInFrame2StepsButtonsAndBarInFrame1) {
  const auto controls = form1Controls();
  const PixelRect frame2 = form1Groups()[0].rect;
  const PixelRect frame1 = form1Groups()[1].rect;
  ASSERT_EQ(form1Groups()[0].id, kForm1Frame2Id);
  for (int e = static_cast<int>(Element::Label10); e <= static_cast<int>(Element::Text4); ++e) {
    EXPECT_TRUE(inside(controls[static_cast<size_t>(e)].rect, frame2)) << e;
  }
  for (Element e : {Element::Picture1, Element::Picture4}) {
    EXPECT_TRUE(inside(controls[static_cast<size_t>(e)].rect, frame2));
  }
  for (int e = static_cast<int>(Element::Label12); e <= static_cast<int>(Element::Label16); ++e) {
    EXPECT_TRUE(inside(controls[static_cast<size_t>(e)].rect, frame1)) << e;
  }
  for (Element e : {Element::Picture5, Element::Picture14, Element::Command1, Element::Command2,
                    Element::ProgressBar1}) {
    EXPECT_TRUE(inside(controls[static_cast<size_t>(e)].rect, frame1));
  }
  // Top to bottom: family code, status, printer data, steps.
  EXPECT_LT(controls[static_cast<size_t>(Element::Label3)].rect.top,
            controls[static_cast<size_t>(Element::Text5)].rect.top);
  EXPECT_LT(controls[static_cast<size_t>(Element::Text5)].rect.top, frame2.top);
  EXPECT_LT(frame2.top + frame2.height, frame1.top);
  EXPECT_LT(controls[static_cast<size_t>(Element::Command1)].rect.top,
            controls[static_cast<size_t>(Element::Command2)].rect.top);
}

TEST(Form1Layout, StartingColours) {
  for (const Form1Control& c : form1Controls()) {
    switch (c.element) {
      case Element::Label3:
      case Element::Text5:
        EXPECT_EQ(c.colour, kBlue);
        break;
      case Element::Label4:
      case Element::Label5:
      case Element::Label6:
        EXPECT_EQ(c.colour, kDarkGreen);
        break;
      default:
        EXPECT_EQ(c.colour, kBlack) << static_cast<int>(c.element);
    }
  }
}

struct DialogRow {
  int id;
  std::u16string_view caption;
  PixelRect rect;
};

// Twips of the dialog table at 15 per pixel; frame children offset by the frame.
constexpr DialogRow kDialogRows[] = {
    {kDialogOkId, u"OK", {112, 72, 85, 29}},
    {kDialogFrame1Id, u"Printer", {8, 8, 189, 53}},
    {kDialogComboId, u"", {16, 32, 173, 20}},
    {kDialogFrame2Id, u"Language", {8, 68, 97, 69}},
    {kDialogJapaneseId, u"Japanese", {20, 112, 81, 21}},
    {kDialogEnglishId, u"English", {20, 88, 73, 21}},
    {kDialogCancelId, u"Cancel", {112, 108, 85, 29}},
};

TEST(PortDialogLayout, TabOrderCaptionsAndPixelPositions) {
  const auto controls = portDialogControls();
  ASSERT_EQ(controls.size(), std::size(kDialogRows));
  for (size_t i = 0; i < controls.size(); ++i) {
    EXPECT_EQ(controls[i].id, kDialogRows[i].id) << i;
    EXPECT_EQ(controls[i].caption, kDialogRows[i].caption) << i;
    EXPECT_EQ(controls[i].rect, kDialogRows[i].rect) << i;
    for (int dpi : kDpis) EXPECT_TRUE(inside(at(controls[i].rect, dpi), at(kDialogClient, dpi))) << i;
  }
  EXPECT_EQ(kDialogClient, (PixelRect{0, 0, 206, 144}));
}

TEST(PortDialogLayout, ListAndOkInTheSmallerFont) {
  for (const DialogControl& c : portDialogControls()) {
    EXPECT_EQ(c.smallFont, c.id == kDialogOkId || c.id == kDialogComboId) << c.id;
  }
}

}  // namespace
}  // namespace updater
