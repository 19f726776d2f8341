#include <gtest/gtest.h>

#include "controls/f2_button.h"
#include "controls/g_speed_button.h"
#include "controls/qv_btn_db_edit.h"
#include "controls/small/small_fixture.h"
#include "platform/core/exception.h"
#include "platform/vcl/panel.h"

namespace ravlet::test {
namespace {

// A glyph library whose answers a test decides: glyphs are squares (or pairs
// of squares) filled with a colour of their number.
class TTestGlyphs : public TGlyphLibrary {
 public:
  int GetMaxBmpID() override {
    if (broken) throw qv::Exception("library gone");
    return max_id;
  }
  bool LoadBmp(qv::TBitmap* bitmap, int id) override {
    if (refuse) return false;
    bitmap->SetSize(16 * images, 16);
    bitmap->Canvas()->Brush()->SetColor(qv::RGB(id, 0, 0));
    bitmap->Canvas()->FillRect(qv::Rect(0, 0, 16 * images, 16));
    return true;
  }
  int max_id = 100;
  int images = 1;
  bool broken = false;
  bool refuse = false;
};

class GlyphButtonTest : public SmallControlsTest {
 protected:
  void UseTestGlyphs() { SetGlyphLibrary(glyphs); }
  std::shared_ptr<TTestGlyphs> glyphs = std::make_shared<TTestGlyphs>();
};

TEST_F(GlyphButtonTest, AGlyphNumberShowsItsImageOrItsNumber) {
  auto* button = Place<TGSpeedButton>("btnClear");
  struct Case {
    int index;
    int image_width;  // 0: no image
    const char* caption;
  };
  // The library holds numbers 1 to 100; glyph 4 has two images.
  const Case cases[] = {{8, 16, ""},  {200, 0, "200"}, {4, 32, ""},   {0, 0, "0"},
                        {47, 16, ""}, {101, 0, "101"}, {-3, 0, "-3"}, {100, 16, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    button->SetGlyphIndex(c.index);
    EXPECT_EQ(button->GlyphIndex(), c.index);
    EXPECT_EQ(button->Glyph()->Width(), c.image_width);
    EXPECT_EQ(button->Caption(), c.caption);
    if (c.image_width > 0) {
      EXPECT_EQ(button->Glyph()->Height(), 16);
      EXPECT_EQ(button->NumGlyphs(), c.image_width / 16);
    }
  }
  EXPECT_EQ(button->HintIndex(), 0);
}

TEST_F(GlyphButtonTest, TheSameNumberAgainChangesNothing) {
  auto* button = Place<TGSpeedButton>("btnDelete");
  button->SetGlyphIndex(200);
  button->SetCaption("删除");
  button->SetGlyphIndex(200);
  EXPECT_EQ(button->Caption(), "删除");
}

TEST_F(GlyphButtonTest, ATwoImageGlyphShowsItsSecondImageWhileDisabled) {
  UseTestGlyphs();
  glyphs->images = 2;
  auto* button = Place<TGSpeedButton>("btnClear");
  button->SetGlyphIndex(4);
  EXPECT_EQ(button->NumGlyphs(), 2);
  EXPECT_EQ(button->ButtonGlyph().ImageIndex(button->State()), 0);
  button->SetEnabled(false);
  EXPECT_EQ(button->ButtonGlyph().ImageIndex(button->State()), 1);
}

TEST_F(GlyphButtonTest, ALibraryThatFailsIsReportedAndTheButtonKeepsWhatItHad) {
  UseTestGlyphs();
  RecordDialogs();
  auto* button = Place<TGSpeedButton>("btnNotify");
  button->SetGlyphIndex(39);
  glyphs->broken = true;
  button->SetGlyphIndex(9);
  EXPECT_EQ(dialogs->texts, std::vector<std::string>{"读取 BMP 发生错误"});
  EXPECT_EQ(dialogs->kinds, std::vector<qv::TMsgDlgType>{qv::mtError});
  EXPECT_EQ(button->GlyphIndex(), 39);
  EXPECT_EQ(button->Caption(), "");
  EXPECT_EQ(button->Glyph()->Canvas()->Pixels(3, 3), qv::RGB(39, 0, 0));
  // Once the library answers again the same number loads.
  glyphs->broken = false;
  button->SetGlyphIndex(9);
  EXPECT_EQ(button->Glyph()->Canvas()->Pixels(3, 3), qv::RGB(9, 0, 0));
}

TEST_F(GlyphButtonTest, ANumberTheLibraryCannotLoadShowsTheNumber) {
  UseTestGlyphs();
  auto* button = Place<TGSpeedButton>("btnDate");
  button->SetGlyphIndex(9);
  glyphs->refuse = true;
  button->SetGlyphIndex(81);
  EXPECT_TRUE(button->Glyph()->Empty());
  EXPECT_EQ(button->Caption(), "81");
}

class F2ButtonTest : public GlyphButtonTest {
 protected:
  F2ButtonTest() {
    edit = Place<qv::TEdit>("edPrintDate");
    edit->SetBounds(100, 50, 121, 21);
    button = Place<TF2Button>("btnPrintDate");
    button->OnClick = [this](qv::TObject*) {
      journal.push_back("click, " + std::to_string(form->requests.size()) + " requests");
    };
  }
  qv::TEdit* edit;
  TF2Button* button;
};

TEST_F(F2ButtonTest, ANewButtonIsFlatWithTheLookupGlyph) {
  EXPECT_TRUE(button->Flat());
  EXPECT_EQ(button->GlyphIndex(), 8);
  EXPECT_FALSE(button->Glyph()->Empty());
  EXPECT_EQ(button->Caption(), "");
  EXPECT_TRUE(button->AutoAlign());
  EXPECT_EQ(button->Gap(), 2);
  EXPECT_EQ(button->F2Control(), nullptr);
}

TEST_F(F2ButtonTest, StandsRightOfItsControlAsASquare) {
  button->SetF2Control(edit);
  EXPECT_EQ(button->BoundsRect(), qv::Bounds(223, 50, 21, 21));
  button->SetGap(6);
  EXPECT_EQ(button->BoundsRect(), qv::Bounds(227, 50, 21, 21));
  // Without AutoAlign it stays where it is, also when its settings change.
  button->SetAutoAlign(false);
  edit->SetBounds(10, 10, 80, 30);
  button->SetGap(0);
  EXPECT_EQ(button->BoundsRect(), qv::Bounds(227, 50, 21, 21));
  button->SetAutoAlign(true);
  EXPECT_EQ(button->BoundsRect(), qv::Bounds(90, 10, 30, 30));
}

TEST_F(F2ButtonTest, ASecondButtonForTheSameControlIsRefused) {
  RecordDialogs();
  qv::TEdit* other = Place<qv::TEdit>("edOther");
  button->SetF2Control(edit);
  auto* second = Place<TF2Button>("btnSecond");
  second->SetF2Control(other);
  second->SetF2Control(edit);
  EXPECT_EQ(second->F2Control(), other);
  EXPECT_EQ(dialogs->texts, std::vector<std::string>{"不能同时有两个 F2Button 指到同一个 Edit."});
  button->SetF2Control(edit);
  EXPECT_EQ(dialogs->texts.size(), 1u);
}

TEST_F(F2ButtonTest, AClickFocusesTheControlAndAsksItsWindowForTheLookup) {
  form->Show();
  qv::TEdit* other = Place<qv::TEdit>("edOther");
  other->SetFocus();
  button->SetF2Control(edit);
  qv::DeliverClick(button);
  EXPECT_EQ(journal, Journal{"click, 0 requests"});
  EXPECT_TRUE(edit->Focused());
  ASSERT_EQ(form->requests.size(), 1u);
  EXPECT_EQ(form->requests[0].control, edit);
  EXPECT_EQ(form->requests[0].wparam, 0u);
  EXPECT_TRUE(form->requests[0].focused);
}

TEST_F(F2ButtonTest, NoLookupForADisabledHiddenOrMissingControl) {
  form->Show();
  struct Case {
    const char* what;
    void (*prepare)(qv::TEdit*);
  };
  const Case cases[] = {
      {"disabled", [](qv::TEdit* e) { e->SetEnabled(false); }},
      {"hidden", [](qv::TEdit* e) { e->Hide(); }},
  };
  button->SetF2Control(edit);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    edit->SetEnabled(true);
    edit->Show();
    c.prepare(edit);
    journal.clear();
    qv::DeliverClick(button);
    EXPECT_EQ(journal, Journal{"click, 0 requests"});
    EXPECT_TRUE(form->requests.empty());
  }
  edit->Free();
  EXPECT_EQ(button->F2Control(), nullptr);
  qv::DeliverClick(button);
  EXPECT_TRUE(form->requests.empty());
}

class QvBtnDBEditTest : public GlyphButtonTest {
 protected:
  QvBtnDBEditTest() {
    edit = Place<TQvBtnDBEdit>("edNoteID");
    edit->SetAutoSize(false);
    edit->SetBounds(100, 50, 121, 21);
  }
  TQvBtnDBEdit* edit;
};

TEST_F(QvBtnDBEditTest, TheEditOwnsAFlatLookupButtonBesideIt) {
  TGSpeedButton* button = edit->Button();
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Name(), "F2Button");
  EXPECT_EQ(button->Owner(), edit);
  EXPECT_TRUE(button->Flat());
  EXPECT_EQ(edit->GlyphIndex(), 8);
  EXPECT_EQ(edit->ButtonSpacing(), 2);
  EXPECT_EQ(button->BoundsRect(), qv::Bounds(223, 50, 21, 21));

  edit->SetButtonSpacing(5);
  edit->SetBounds(10, 20, 100, 25);
  EXPECT_EQ(button->BoundsRect(), qv::Bounds(115, 20, 25, 25));
  edit->SetGlyphIndex(81);
  EXPECT_EQ(button->GlyphIndex(), 81);
  edit->SetButtonHint("页脚信息查询");
  EXPECT_EQ(button->Hint(), "页脚信息查询");

  auto* panel = Place<qv::TPanel>("grpNote");
  edit->SetParent(panel);
  EXPECT_EQ(button->Parent(), panel);
  edit->Hide();
  EXPECT_FALSE(button->Visible());
  edit->Show();
  edit->SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
}

TEST_F(QvBtnDBEditTest, AButtonClickAsksForTheLookupOfTheEditUnlessOnDialogIsSet) {
  form->Show();
  Place<qv::TEdit>("edOther")->SetFocus();
  qv::DeliverClick(edit->Button());
  EXPECT_TRUE(edit->Focused());
  ASSERT_EQ(form->requests.size(), 1u);
  EXPECT_EQ(form->requests[0].control, edit);
  EXPECT_TRUE(form->requests[0].focused);

  edit->OnDialog = [this](qv::TObject* sender) {
    journal.push_back(sender == edit ? "dialog for the edit" : "dialog for another");
  };
  qv::DeliverClick(edit->Button());
  EXPECT_EQ(journal, Journal{"dialog for the edit"});
  EXPECT_EQ(form->requests.size(), 1u);
}

TEST_F(QvBtnDBEditTest, AButtonFreedOnItsOwnIsForgotten) {
  edit->Button()->Free();
  EXPECT_EQ(edit->Button(), nullptr);
  EXPECT_EQ(edit->GlyphIndex(), 0);
  edit->SetGlyphIndex(9);
  edit->SetBounds(0, 0, 50, 21);
  edit->Hide();
  EXPECT_EQ(edit->ButtonHint(), "");
}

}  // namespace
}  // namespace ravlet::test
