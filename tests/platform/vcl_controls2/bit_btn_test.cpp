#include "platform/vcl/bit_btn.h"

#include <gtest/gtest.h>

#include "platform/vcl/type_info.h"
#include "platform/vcl_controls2/controls2_fixture.h"

namespace qv::test {
namespace {

class BitBtnTest : public Controls2Test {
 protected:
  BitBtnTest() {
    dialog = CreateUnowned<TForm>();
    dialog->SetName("frmDialog");
    dialog->SetBounds(0, 0, 300, 200);
    edit = Create<TEdit>(dialog.get());
    edit->SetName("edValue");
    edit->SetParent(dialog.get());
  }
  TBitBtn* Add(const std::string& name, TBitBtnKind kind) {
    auto* button = Create<TBitBtn>(dialog.get());
    button->SetName(name);
    button->SetParent(dialog.get());
    button->SetKind(kind);
    return button;
  }
  TComponentPtr<TForm> dialog;
  TEdit* edit;
};

TEST_F(BitBtnTest, KindSetsCaptionResultDefaultCancelAndGlyph) {
  struct Case {
    TBitBtnKind kind;
    const char* caption;
    TModalResult result;
    bool is_default;
    bool is_cancel;
  };
  const Case cases[] = {
      {bkOK, "OK", mrOk, true, false},
      {bkCancel, "Cancel", mrCancel, false, true},
      {bkHelp, "&Help", mrNone, false, false},
      {bkYes, "&Yes", mrYes, true, false},
      {bkNo, "&No", mrNo, false, true},
      {bkClose, "&Close", mrNone, false, false},
      {bkAbort, "Abort", mrAbort, false, false},
      {bkRetry, "&Retry", mrRetry, false, false},
      {bkIgnore, "&Ignore", mrIgnore, false, false},
      {bkAll, "&All", mrAll, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(GetEnumName(EnumTypeInfo<TBitBtnKind>(), c.kind));
    TBitBtn* b = Add("btnKind", bkCustom);
    b->SetDefault(!c.is_default);
    b->SetCancel(!c.is_cancel);
    b->SetKind(c.kind);
    EXPECT_EQ(b->Kind(), c.kind);
    EXPECT_EQ(b->Caption(), c.caption);
    EXPECT_EQ(b->ModalResult(), c.result);
    EXPECT_EQ(b->Default(), c.is_default);
    EXPECT_EQ(b->Cancel(), c.is_cancel);
    EXPECT_EQ(b->NumGlyphs(), 2);
    EXPECT_EQ(b->Glyph()->Width(), 2 * b->Glyph()->Height());
    b->Free();
  }
}

TEST_F(BitBtnTest, KindReadsCustomOnceItsSettingsChange) {
  struct Case {
    const char* change;
    void (*apply)(TBitBtn*);
  };
  const Case cases[] = {
      {"modal result", [](TBitBtn* b) { b->SetModalResult(mrRetry); }},
      {"default", [](TBitBtn* b) { b->SetDefault(false); }},
      {"cancel", [](TBitBtn* b) { b->SetCancel(true); }},
      {"glyph", [](TBitBtn* b) { b->Glyph()->SetSize(16, 16); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change);
    TBitBtn* b = Add("btnOk", bkOK);
    c.apply(b);
    EXPECT_EQ(b->Kind(), bkCustom);
    EXPECT_EQ(GetPropValue(b, "Kind"), "bkCustom");
    b->Free();
  }
  // A new caption keeps the kind.
  TBitBtn* b = Add("btnOk", bkOK);
  b->SetCaption("确定");
  EXPECT_EQ(b->Kind(), bkOK);
}

TEST_F(BitBtnTest, ClickEndsTheModalRunWithTheButtonsResult) {
  TBitBtn* ok = Add("btnOk", bkOK);
  Add("btnCancel", bkCancel);
  TBitBtn* retry = Add("btnRetry", bkCustom);
  retry->SetModalResult(mrRetry);
  int ok_clicks = 0;
  ok->OnClick = [&](TObject*) { ++ok_clicks; };
  struct Case {
    const char* name;
    TInputEvent action;
    TModalResult expected;
  };
  const Case cases[] = {
      {"click OK", TInputEvent::Click("btnOk"), mrOk},
      {"Enter clicks the default OK", TInputEvent::Keystroke(VK_RETURN), mrOk},
      {"Esc clicks Cancel", TInputEvent::Keystroke(VK_ESCAPE), mrCancel},
      {"a custom result", TInputEvent::Click("btnRetry"), mrRetry},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialog->SetActiveControl(nullptr);
    input->Add(TInputEvent::SetFocus("edValue")).Add(c.action);
    EXPECT_EQ(dialog->ShowModal(), c.expected);
    EXPECT_FALSE(dialog->Visible());
  }
  EXPECT_EQ(ok_clicks, 2);
}

TEST_F(BitBtnTest, CloseKindClosesItsForm) {
  TBitBtn* close = Add("btnClose", bkClose);
  close->OnClick = Note("click");
  dialog->Show();
  DeliverClick(close);
  EXPECT_FALSE(dialog->Visible());
  EXPECT_TRUE(journal.empty());
}

TEST_F(BitBtnTest, PaintShowsTheGlyphBesideTheCaption) {
  TBitBtn* ok = Add("btnOk", bkOK);
  ok->SetBounds(0, 0, 75, 25);
  ok->Update();
  const TRect glyph = ok->LastPlacement().GlyphRect;
  const TRect text = ok->LastPlacement().TextRect;
  EXPECT_EQ(glyph.Width(), 18);
  EXPECT_EQ(glyph.Height(), 18);
  EXPECT_EQ(text.Left, glyph.Right + 4);
  // The check mark is drawn in green; the olive background is left out.
  bool green = false;
  for (int y = glyph.Top; y < glyph.Bottom; ++y)
    for (int x = glyph.Left; x < glyph.Right; ++x) {
      EXPECT_NE(ok->Canvas()->Pixels(x, y), ColorToRGB(clOlive));
      green = green || ok->Canvas()->Pixels(x, y) == ColorToRGB(clGreen);
    }
  EXPECT_TRUE(green);
  ASSERT_FALSE(ok->Canvas()->TextLog().empty());
  EXPECT_EQ(ok->Canvas()->TextLog().back().Text, "OK");
  // Disabled: the second image, without green.
  ok->SetEnabled(false);
  ok->Update();
  for (int y = glyph.Top; y < glyph.Bottom; ++y)
    for (int x = glyph.Left; x < glyph.Right; ++x)
      EXPECT_NE(ok->Canvas()->Pixels(x, y), ColorToRGB(clGreen));
}

TEST_F(BitBtnTest, KindByName) {
  TBitBtn* b = Add("btnAnswer", bkCustom);
  SetPropValue(b, "Kind", "bkYes");
  EXPECT_EQ(b->ModalResult(), mrYes);
  EXPECT_EQ(GetPropValue(b, "Kind"), "bkYes");
  EXPECT_THROW(SetPropValue(b, "Kind", "bkMaybe"), EPropertyConvertError);
  EXPECT_EQ(b->Kind(), bkYes);
}

}  // namespace
}  // namespace qv::test
