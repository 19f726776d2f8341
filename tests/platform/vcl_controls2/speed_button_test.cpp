#include "platform/vcl/speed_button.h"

#include <gtest/gtest.h>

#include "platform/vcl/panel.h"
#include "platform/vcl/type_info.h"
#include "platform/vcl_controls2/controls2_fixture.h"

namespace qv::test {
namespace {

// A glyph of `count` images of 10 x 10 pixels side by side, each a solid
// square of its colour inside a one-pixel olive (transparent) border.
std::unique_ptr<TBitmap> MakeGlyph(const std::vector<TColor>& colours) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(10 * static_cast<int>(colours.size()), 10);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clOlive);
  canvas->FillRect(Rect(0, 0, bitmap->Width(), 10));
  for (size_t i = 0; i < colours.size(); ++i) {
    canvas->Brush()->SetColor(colours[i]);
    canvas->FillRect(Rect(10 * static_cast<int>(i) + 1, 1, 10 * static_cast<int>(i) + 9, 9));
  }
  return bitmap;
}

class SpeedButtonTest : public Controls2Test {
 protected:
  SpeedButtonTest() { form->Show(); }
  TSpeedButton* Button(const std::string& name, int group, TWinControl* parent = nullptr) {
    auto* button = Place<TSpeedButton>(name, parent);
    button->SetGroupIndex(group);
    button->OnClick = Note(name);
    return button;
  }
};

TEST_F(SpeedButtonTest, GroupButtonsReleaseEachOther) {
  struct Case {
    const char* name;
    bool allow_all_up;
    std::vector<std::string> clicks;
    // Down state of a, b, c (group 1), d (group 2), e (group 0), f (group 1 elsewhere).
    std::string down;
  };
  const Case cases[] = {
      {"one click puts a button down", false, {"a"}, "100000"},
      {"another button releases the first", false, {"a", "b"}, "010000"},
      {"a down button stays down without all-up", false, {"a", "a"}, "100000"},
      {"all-up lets it go up", true, {"a", "a"}, "000000"},
      {"other groups and parents are left alone", false, {"d", "f", "a"}, "100101"},
      {"group 0 is never down", false, {"e", "e"}, "000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* pnl = Place<TPanel>("pnlGroup");
    std::vector<TSpeedButton*> buttons = {Button("a", 1, pnl), Button("b", 1, pnl),
                                          Button("c", 1, pnl), Button("d", 2, pnl),
                                          Button("e", 0, pnl), Button("f", 1)};
    buttons[2]->SetAllowAllUp(c.allow_all_up);
    journal.clear();
    for (const std::string& name : c.clicks)
      DeliverClick(form->FindComponentAs<TSpeedButton>(name));
    std::string down;
    for (TSpeedButton* b : buttons) down += b->Down() ? '1' : '0';
    EXPECT_EQ(down, c.down);
    EXPECT_EQ(journal, c.clicks);
    for (TSpeedButton* b : buttons) b->Free();
    pnl->Free();
  }
}

TEST_F(SpeedButtonTest, AllowAllUpIsSharedByTheGroup) {
  TSpeedButton* a = Button("a", 1);
  TSpeedButton* b = Button("b", 1);
  TSpeedButton* other = Button("other", 2);
  b->SetAllowAllUp(true);
  EXPECT_TRUE(a->AllowAllUp());
  EXPECT_FALSE(other->AllowAllUp());
  // Down from code releases the others too.
  a->SetDown(true);
  b->SetDown(true);
  EXPECT_FALSE(a->Down());
  b->SetDown(false);
  EXPECT_FALSE(b->Down());
}

TEST_F(SpeedButtonTest, NoClickWhenDisabledOrReleasedOutside) {
  TSpeedButton* a = Button("a", 1);
  a->SetEnabled(false);
  DeliverClick(a);
  EXPECT_FALSE(a->Down());
  a->SetEnabled(true);
  a->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
  EXPECT_EQ(a->State(), bsDown);
  a->Perform(WM_LBUTTONUP, 0, MakeLParam(50, 5));
  EXPECT_EQ(a->State(), bsUp);
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(journal.empty());
}

TEST_F(SpeedButtonTest, GlyphSetsTheNumberOfImages) {
  TSpeedButton* a = Button("a", 0);
  struct Case {
    int images;
    int before;
    int after;
  };
  for (const Case& c : {Case{4, 1, 4}, Case{2, 3, 2}, Case{5, 2, 1}}) {
    a->SetNumGlyphs(c.before);
    a->SetGlyph(MakeGlyph(std::vector<TColor>(c.images, clRed)).get());
    EXPECT_EQ(a->NumGlyphs(), c.after);
  }
  TBitmap odd;
  odd.SetSize(30, 20);
  a->SetNumGlyphs(3);
  a->SetGlyph(&odd);
  EXPECT_EQ(a->NumGlyphs(), 3);
  a->SetNumGlyphs(9);
  EXPECT_EQ(a->NumGlyphs(), 4);
}

TEST_F(SpeedButtonTest, EachStatePaintsItsImage) {
  const std::vector<TColor> all = {clRed, clGreen, clBlue, clYellow};
  enum Setup { kUp, kDisabled, kPressed, kStayDown };
  struct Case {
    int images;
    Setup setup;
    TColor centre;
  };
  const Case cases[] = {
      {4, kUp, clRed},        {4, kDisabled, clGreen},
      {4, kPressed, clBlue},  {4, kStayDown, clYellow},
      {3, kStayDown, clBlue}, {2, kStayDown, clRed},
      {2, kPressed, clRed},   {2, kDisabled, clGreen},
      {1, kPressed, clRed},   {1, kDisabled, clBtnShadow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.images) + " images, setup " + std::to_string(c.setup));
    TSpeedButton* b = Button("b", 1);
    b->SetBounds(0, 0, 40, 40);
    b->SetGlyph(MakeGlyph({all.begin(), all.begin() + c.images}).get());
    switch (c.setup) {
      case kUp:
        break;
      case kDisabled:
        b->SetEnabled(false);
        break;
      case kPressed:
        b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
        break;
      case kStayDown:
        b->SetDown(true);
        break;
    }
    b->Update();
    const TRect glyph = b->LastPlacement().GlyphRect;
    EXPECT_EQ(glyph.Width(), 10);
    const bool sunken = c.setup == kPressed || c.setup == kStayDown;
    EXPECT_EQ(glyph.Left, sunken ? 16 : 15);
    EXPECT_EQ(b->Canvas()->Pixels(glyph.Left + 5, glyph.Top + 5), ColorToRGB(c.centre));
    // The transparent border shows the face.
    if (c.setup != kStayDown) {
      EXPECT_EQ(b->Canvas()->Pixels(glyph.Left, glyph.Top), ColorToRGB(clBtnFace));
    }
    b->Free();
  }
}

TEST_F(SpeedButtonTest, GlyphAndCaptionPlacement) {
  struct Case {
    TButtonLayout layout;
    int margin;
    int spacing;
    bool glyph;
    const char* caption;
    TRect glyph_rect;
    TRect text_rect;
  };
  // A 100 x 60 button paints inside its one-pixel frame (98 x 58); the
  // glyph is 16 x 16, "Open" 24 x 13 in the 13-pixel font.
  const Case cases[] = {
      {blGlyphLeft, -1, 4, true, "Open", Rect(28, 22, 44, 38), Rect(48, 24, 72, 37)},
      {blGlyphRight, 5, 4, true, "Open", Rect(78, 22, 94, 38), Rect(50, 24, 74, 37)},
      {blGlyphTop, -1, -1, true, "Open", Rect(42, 10, 58, 26), Rect(38, 35, 62, 48)},
      {blGlyphBottom, 2, -1, true, "Open", Rect(42, 41, 58, 57), Rect(38, 15, 62, 28)},
      {blGlyphLeft, 3, 4, true, "", Rect(4, 22, 20, 38), Rect(20, 30, 20, 30)},
      {blGlyphLeft, -1, 4, false, "Open", Rect(38, 30, 38, 30), Rect(38, 24, 62, 37)},
  };
  TSpeedButton* b = Button("b", 0);
  b->SetBounds(0, 0, 100, 60);
  TBitmap big;
  big.SetSize(16, 16);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.layout) + " margin " + std::to_string(c.margin));
    b->SetGlyph(c.glyph ? &big : nullptr);
    b->SetCaption(c.caption);
    b->SetLayout(c.layout);
    b->SetMargin(c.margin);
    b->SetSpacing(c.spacing);
    b->Update();
    EXPECT_EQ(b->LastPlacement().GlyphRect, c.glyph_rect);
    EXPECT_EQ(b->LastPlacement().TextRect, c.text_rect);
    if (*c.caption != 0) {
      ASSERT_FALSE(b->Canvas()->TextLog().empty());
      EXPECT_EQ(b->Canvas()->TextLog().back().X, c.text_rect.Left);
      EXPECT_EQ(b->Canvas()->TextLog().back().Y, c.text_rect.Top);
    }
  }
}

TEST_F(SpeedButtonTest, PublishedProperties) {
  TSpeedButton* b = Button("b", 0);
  SetPropValue(b, "GroupIndex", "3");
  SetPropValue(b, "Down", "True");
  SetPropValue(b, "Layout", "blGlyphTop");
  SetPropValue(b, "Flat", "True");
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(b->Layout(), blGlyphTop);
  EXPECT_EQ(GetPropValue(b, "NumGlyphs"), "1");
  EXPECT_EQ(GetPropValue(b, "Margin"), "-1");
  EXPECT_EQ(GetPropValue(b, "Spacing"), "4");
  EXPECT_TRUE(b->Flat());
  EXPECT_EQ(GetObjectProp(b, "Glyph"), b->Glyph());
}

}  // namespace
}  // namespace qv::test
