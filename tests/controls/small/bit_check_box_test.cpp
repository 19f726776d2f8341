#include "controls/bit_check_box.h"

#include <gtest/gtest.h>

#include "controls/small/small_fixture.h"
#include "platform/vcl/keys.h"

namespace ravlet::test {
namespace {

class BitCheckBoxTest : public SmallControlsTest {
 protected:
  BitCheckBoxTest() {
    box = Place<TBitCheckBox>("chkNotify");
    box->SetCaption("完成后通知");
    box->SetLeft(20);
    box->OnClick = Note("click");
  }
  qv::TColor PixelAt(int x, int y) const { return box->Canvas()->Pixels(x, y); }
  TBitCheckBox* box;
};

TEST_F(BitCheckBoxTest, ANewBoxIsUncheckedWithTheBuiltInImages) {
  EXPECT_EQ(box->Width(), 97);
  EXPECT_EQ(box->Height(), 17);
  EXPECT_TRUE(box->TabStop());
  EXPECT_TRUE(box->ParentCtl3D());
  EXPECT_EQ(box->State(), qv::cbUnchecked);
  EXPECT_EQ(box->Alignment(), qv::taRightJustify);
  for (qv::TBitmap* glyph : {box->CheckedGlyph(), box->UncheckedGlyph(), box->GrayedGlyph()}) {
    EXPECT_EQ(glyph->Width(), 19);
    EXPECT_EQ(glyph->Height(), 14);
  }
  EXPECT_EQ(box->CheckedNumGlyphs(), 1);
}

TEST_F(BitCheckBoxTest, ClicksCycleThroughTheStates) {
  struct Case {
    bool allow_grayed;
    std::vector<qv::TCheckBoxState> states;
  };
  const Case cases[] = {
      {false, {qv::cbChecked, qv::cbUnchecked, qv::cbChecked}},
      {true, {qv::cbGrayed, qv::cbChecked, qv::cbUnchecked, qv::cbGrayed}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.allow_grayed);
    box->SetState(qv::cbUnchecked);
    box->SetAllowGrayed(c.allow_grayed);
    journal.clear();
    for (qv::TCheckBoxState expected : c.states) {
      qv::DeliverClick(box);
      EXPECT_EQ(box->State(), expected);
      EXPECT_EQ(box->Checked(), expected == qv::cbChecked);
    }
    EXPECT_EQ(journal.size(), c.states.size());
  }
}

TEST_F(BitCheckBoxTest, SettingTheStateRaisesNoClick) {
  box->SetChecked(true);
  EXPECT_EQ(box->State(), qv::cbChecked);
  box->SetState(qv::cbGrayed);
  EXPECT_FALSE(box->Checked());
  box->SetChecked(false);
  EXPECT_EQ(box->State(), qv::cbUnchecked);
  EXPECT_TRUE(journal.empty());
}

TEST_F(BitCheckBoxTest, AClickTakesTheFocusAfterTheClickEvent) {
  form->Show();
  qv::TEdit* other = Place<qv::TEdit>("edOther");
  other->SetFocus();
  box->OnClick = [&](qv::TObject*) {
    journal.push_back(other->Focused() ? "click, focus elsewhere" : "click, focus here");
  };
  qv::DeliverClick(box);
  EXPECT_EQ(journal, Journal{"click, focus elsewhere"});
  EXPECT_TRUE(box->Focused());
}

TEST_F(BitCheckBoxTest, TheSpaceKeyClicks) {
  form->Show();
  box->SetFocus();
  qv::DeliverKeystroke(box, qv::VK_SPACE);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(journal, Journal{"click"});
}

TEST_F(BitCheckBoxTest, TheAcceleratorFocusesAndMovesOnWithoutClickEvent) {
  form->Show();
  box->SetCaption("&Notify");
  EXPECT_EQ(box->Perform(qv::CM_DIALOGCHAR, 'x'), 0);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(box->Perform(qv::CM_DIALOGCHAR, 'n'), 1);
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(box->Focused());
  EXPECT_TRUE(journal.empty());
}

TEST_F(BitCheckBoxTest, CaptionStandsAfterTheImageOrBeforeIt) {
  struct Case {
    const char* caption;
    qv::TAlignment alignment;
    qv::TRect rect;
    int text_x;
  };
  // 13-pixel font: full-width characters 13 wide, half-width 6; client 97 x 17.
  const Case cases[] = {
      {"完成后通知", qv::taRightJustify, qv::Rect(23, 0, 88, 16), 23},
      {"完成后通知", qv::taLeftJustify, qv::Rect(1, 0, 66, 16), 1},
      {"&Notify", qv::taRightJustify, qv::Rect(23, 0, 59, 16), 23},
      // Too wide for the control: clipped to the client area.
      {"完成后通知所有的用户", qv::taRightJustify, qv::Rect(23, 0, 97, 16), 23},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    box->SetCaption(c.caption);
    box->SetAlignment(c.alignment);
    EXPECT_EQ(box->CaptionRect(), c.rect);
    box->Update();
    const auto& log = box->Canvas()->TextLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].X, c.text_x);
    EXPECT_EQ(log[0].Y, 1);
    EXPECT_EQ(log[0].Color, box->Font()->Color());
  }
  EXPECT_EQ(box->Canvas()->TextLog()[0].Text, "完成后通知所有的用户");
  box->SetCaption("&Notify");
  box->Update();
  EXPECT_EQ(box->Canvas()->TextLog()[0].Text, "Notify");
  EXPECT_EQ(box->Canvas()->TextLog()[0].Accelerator, U'N');
}

TEST_F(BitCheckBoxTest, TheImageOfTheStateIsDrawnOnTheBackground) {
  const qv::TColor background = qv::ColorToRGB(box->Color());
  struct Case {
    qv::TAlignment alignment;
    qv::TCheckBoxState state;
    int image_left;
    qv::TColor mark;  // a pixel of the check mark
  };
  const Case cases[] = {
      {qv::taRightJustify, qv::cbUnchecked, 0, qv::clWhite},
      {qv::taRightJustify, qv::cbChecked, 0, qv::clBlack},
      {qv::taLeftJustify, qv::cbChecked, 78, qv::clBlack},
      {qv::taLeftJustify, qv::cbGrayed, 78, qv::clGray},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.alignment << " " << c.state);
    box->SetAlignment(c.alignment);
    box->SetState(c.state);
    box->Update();
    // The image is 14 high in a 17-high client: it starts one pixel down.
    EXPECT_EQ(PixelAt(c.image_left + 1, 1), qv::clGray);  // the box's frame
    EXPECT_EQ(PixelAt(c.image_left + 10, 4), c.mark);
    EXPECT_EQ(PixelAt(c.image_left, 14), background);  // its transparent corner
    EXPECT_EQ(PixelAt(c.image_left + 16, 8), background);
  }
}

TEST_F(BitCheckBoxTest, ABitmapWithTwoImagesShowsTheSecondWhileDisabled) {
  qv::TBitmap pair;
  pair.SetSize(32, 16);
  pair.Canvas()->Brush()->SetColor(qv::clRed);
  pair.Canvas()->FillRect(qv::Rect(0, 0, 16, 16));
  pair.Canvas()->Brush()->SetColor(qv::clBlue);
  pair.Canvas()->FillRect(qv::Rect(16, 0, 32, 16));
  // The transparent colour is the bottom-left pixel; the second image has it too.
  pair.Canvas()->SetPixel(0, 15, qv::clLime);
  pair.Canvas()->SetPixel(16, 15, qv::clLime);
  box->SetUncheckedGlyph(&pair);
  EXPECT_EQ(box->UncheckedNumGlyphs(), 2);
  EXPECT_EQ(box->CaptionRect().Left, 16 + 4);

  box->Update();
  EXPECT_EQ(PixelAt(5, 5), qv::clRed);
  box->SetEnabled(false);
  box->Update();
  EXPECT_EQ(PixelAt(5, 5), qv::clBlue);
  EXPECT_EQ(PixelAt(0, 15), qv::ColorToRGB(box->Color()));

  // With one image per bitmap, the disabled box shows that image.
  box->SetUncheckedNumGlyphs(1);
  box->Update();
  EXPECT_EQ(PixelAt(5, 5), qv::clRed);

  // An image that is no whole multiple keeps the count; a missing one brings
  // back the built-in image.
  qv::TBitmap odd;
  odd.SetSize(20, 16);
  box->SetUncheckedNumGlyphs(2);
  box->SetUncheckedGlyph(&odd);
  EXPECT_EQ(box->UncheckedNumGlyphs(), 2);
  box->SetUncheckedGlyph(nullptr);
  EXPECT_EQ(box->UncheckedGlyph()->Width(), 19);
  box->SetUncheckedNumGlyphs(5);
  EXPECT_EQ(box->UncheckedNumGlyphs(), 2);
}

TEST_F(BitCheckBoxTest, ADisabledCaptionIsGreyWithAWhiteCopyWhenThreeDimensional) {
  box->SetEnabled(false);
  box->SetCtl3D(true);
  box->Update();
  auto log = box->Canvas()->TextLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].Color, qv::clBtnHighlight);
  EXPECT_EQ(log[0].X, 24);
  EXPECT_EQ(log[0].Y, 2);
  EXPECT_EQ(log[1].Color, qv::clBtnShadow);
  EXPECT_EQ(log[1].X, 23);
  EXPECT_EQ(log[1].Y, 1);

  box->SetCtl3D(false);
  box->Update();
  log = box->Canvas()->TextLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].Color, qv::clBtnShadow);
}

TEST_F(BitCheckBoxTest, TheFocusRectangleFramesTheCaption) {
  form->Show();
  Place<qv::TEdit>("edOther")->SetFocus();
  box->Update();
  const qv::TColor plain_left = PixelAt(22, 8);
  const qv::TColor plain_inside = PixelAt(40, 8);
  box->SetFocus();
  box->Update();
  EXPECT_NE(PixelAt(22, 8), plain_left);
  EXPECT_NE(PixelAt(88, 8), plain_left);
  EXPECT_EQ(PixelAt(40, 8), plain_inside);
  EXPECT_EQ(PixelAt(21, 8), plain_left);
}

}  // namespace
}  // namespace ravlet::test
