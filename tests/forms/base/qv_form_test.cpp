#include "forms/base/qv_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/glyph_library.h"
#include "forms/base/disabled_glyph.h"
#include "forms/base/forms_fixture.h"
#include "forms/base/test_windows.h"
#include "platform/vcl/font.h"

namespace ravlet::testing {
namespace {

using Journal = std::vector<std::string>;

TEST(QVFormTest, EveryWindowStartsWithTheSameDesign) {
  FormsInstall install;
  auto window = qv::CreateUnowned<TfrmQvBase>();
  EXPECT_EQ(window->Font()->Name(), "宋体");
  EXPECT_EQ(window->Font()->Height(), -13);
  EXPECT_EQ(window->Font()->Charset(), qv::DEFAULT_CHARSET);
  EXPECT_TRUE(window->KeyPreview());
  EXPECT_EQ(window->Position(), qv::poScreenCenter);
  EXPECT_FALSE(window->Scaled());
  EXPECT_TRUE(window->ShowHint());
  EXPECT_EQ(window->FindComponent("QvConverter"), window->QvConverter);
  EXPECT_EQ(window->QvConverter->DesignType(), dtClient);
  EXPECT_EQ(window->FindComponent("LangController"), window->LangController);
  EXPECT_FALSE(window->LangController->Active());
  EXPECT_FALSE(window->Converted);
  EXPECT_TRUE(window->ApplyLanguageOnShow);
}

// The creation step runs once the whole class chain has built its
// components, and a descendant's own step runs after the inherited one.
TEST(QVFormTest, CreationClearsInputMethodsBeforeTheDescendantsOwnStep) {
  FormsInstall install;
  auto window = qv::CreateUnowned<TfrmQvChild>();
  EXPECT_EQ(window->edCode->ImeName(), "");
  EXPECT_EQ(window->journal, Journal{"own creation step, edCode ImeName \"\""});
}

TEST(QVFormTest, AnEnglishUserInterfaceGivesEveryOwnedFontTahoma) {
  struct Case {
    std::string ui;
    bool english;
  } const cases[] = {{"936", false}, {"950", false}, {"437", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ui);
    FormsInstall install({936, c.ui, "936"});
    auto window = qv::CreateUnowned<TfrmQvChild>();
    // lblChild is made by the last level of the chain.
    for (qv::TControl* control :
         std::vector<qv::TControl*>{window->lblQv, window->edCode, window->lblChild}) {
      SCOPED_TRACE(control->Name());
      if (c.english) {
        EXPECT_EQ(control->Font()->Name(), "Tahoma");
        EXPECT_EQ(control->Font()->Charset(), qv::GB2312_CHARSET);
      } else {
        EXPECT_EQ(control->Font()->Name(), "宋体");
        EXPECT_EQ(control->Font()->Charset(), qv::DEFAULT_CHARSET);
      }
    }
    // The window is not one of its own components.
    EXPECT_EQ(window->Font()->Name(), "宋体");
  }
}

// The pixels of `glyph` from column `left` on equal `image`.
void ExpectImage(const qv::TBitmap& glyph, int left, const qv::TBitmap& image) {
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      SCOPED_TRACE(::testing::Message() << "x=" << left + x << " y=" << y);
      ASSERT_EQ(glyph.Canvas()->Pixels(left + x, y), image.Canvas()->Pixels(x, y));
    }
}

TEST(QVFormTest, OneImageGlyphsGetTheirDisabledImageAtCreation) {
  FormsInstall install;
  auto window = qv::CreateUnowned<TfrmGlyphTest>();
  const std::unique_ptr<qv::TBitmap> up = GlyphImage();
  const std::unique_ptr<qv::TBitmap> disabled = MakeDisabledGlyph(*GlyphImage());
  struct Paired {
    const char* name;
    qv::TBitmap* glyph;
    int count;
  } const paired[] = {{"speed button", window->sbOne->Glyph(), window->sbOne->NumGlyphs()},
                      {"bitmap button", window->bbOne->Glyph(), window->bbOne->NumGlyphs()}};
  for (const Paired& p : paired) {
    SCOPED_TRACE(p.name);
    EXPECT_EQ(p.count, 2);
    ASSERT_EQ(p.glyph->Width(), 16);
    ASSERT_EQ(p.glyph->Height(), 6);
    ExpectImage(*p.glyph, 0, *up);
    ExpectImage(*p.glyph, 8, *disabled);
  }

  // Two images already, or none at all: left as they are.
  EXPECT_EQ(window->sbTwo->NumGlyphs(), 2);
  ExpectImage(*window->sbTwo->Glyph(), 0, *GlyphImage(2));
  EXPECT_EQ(window->sbNone->NumGlyphs(), 1);
  EXPECT_TRUE(window->sbNone->Glyph()->Empty());
  EXPECT_EQ(window->bbKind->NumGlyphs(), 2);
  EXPECT_EQ(window->bbKind->Kind(), qv::bkOK);
}

// What the glyph library gives for a number: one image per height.
std::unique_ptr<qv::TBitmap> LibraryGlyph(int id) {
  auto bitmap = std::make_unique<qv::TBitmap>();
  LoadBmp(bitmap.get(), id);
  return bitmap;
}

TEST(QVFormTest, GlyphButtonsInsideTheModulesControlsArePairedToo) {
  FormsInstall install;
  auto window = qv::CreateUnowned<TfrmControlGlyphTest>();
  struct Paired {
    const char* name;
    qv::TSpeedButton* button;
    int glyph;
  } const paired[] = {{"panel list button", window->spCode->btnList(), 8},
                      {"panel delete button", window->spCode->btnDelete(), 47},
                      {"lookup edit button", window->edLookup->Button(), 8},
                      {"lookup button", window->btnDate, 9}};
  for (const Paired& p : paired) {
    SCOPED_TRACE(p.name);
    const std::unique_ptr<qv::TBitmap> up = LibraryGlyph(p.glyph);
    ASSERT_FALSE(up->Empty());
    ASSERT_EQ(up->Width(), up->Height());
    const std::unique_ptr<qv::TBitmap> disabled = MakeDisabledGlyph(*LibraryGlyph(p.glyph));
    EXPECT_EQ(p.button->NumGlyphs(), 2);
    ASSERT_EQ(p.button->Glyph()->Width(), 2 * up->Width());
    ExpectImage(*p.button->Glyph(), 0, *up);
    ExpectImage(*p.button->Glyph(), up->Width(), *disabled);
  }
  // The clear button's glyph has its two images already.
  const std::unique_ptr<qv::TBitmap> clear = LibraryGlyph(4);
  EXPECT_EQ(window->spCode->btnClear()->NumGlyphs(), 2);
  EXPECT_EQ(window->spCode->btnClear()->Glyph()->Width(), clear->Width());
  ExpectImage(*window->spCode->btnClear()->Glyph(), 0, *clear);
}

enum class Apply { Language, Derived };

struct LanguageCase {
  const char* name;
  std::string ui;
  Apply apply;
  bool whole_chain;
  bool on_base_window;  // a TfrmQvBase instead of a TfrmQvChild
  const char* caption;
  const char* lblQv;
  const char* lblBase;
  const char* lblChild;  // ignored for the base window
};

TEST(QVFormTest, LanguagePackagesOfTheClassChainApplyBaseMostFirst) {
  const LanguageCase cases[] = {
      {"whole chain", "437", Apply::Language, true, false, "Child window", "Shared", "Base",
       "Derived"},
      {"own class", "437", Apply::Language, false, false, "Child window", "公用", "基础",
       "Derived"},
      {"derived chain", "437", Apply::Derived, true, false, "Child window", "公用", "Base",
       "Derived"},
      {"derived own", "437", Apply::Derived, false, false, "Child window", "公用", "基础",
       "Derived"},
      {"base window", "437", Apply::Language, true, true, "Base window", "Shared", "Base", ""},
      {"traditional", "950", Apply::Language, true, false, "衍生視窗", "共用", "基礎", "衍生"},
      // No CHS folder exists: the designed texts stay.
      {"no packages", "936", Apply::Language, true, false, "基础窗口", "公用", "基础", "派生"},
  };
  for (const LanguageCase& c : cases) {
    SCOPED_TRACE(c.name);
    FormsInstall install({936, c.ui, "936"});
    qv::TComponentPtr<TfrmQvBase> window;
    if (c.on_base_window)
      window = qv::CreateUnowned<TfrmQvBase>();
    else
      window = qv::CreateUnowned<TfrmQvChild>();
    if (c.apply == Apply::Language)
      window->ApplyLanguage(window.get(), c.whole_chain);
    else
      window->ApplyDerivedLanguage(window.get(), c.whole_chain);
    EXPECT_EQ(window->Caption(), c.caption);
    EXPECT_EQ(window->lblQv->Caption(), c.lblQv);
    EXPECT_EQ(window->lblBase->Caption(), c.lblBase);
    if (!c.on_base_window) {
      EXPECT_EQ(static_cast<TfrmQvChild*>(window.get())->lblChild->Caption(), c.lblChild);
    }
  }
}

TEST(QVFormTest, APackageThatCannotBeReadIsSkipped) {
  FormsInstall install({936, "437", "936"});
  install.Files().WriteFile("Erp/MultiLanguage/ENG/TfrmQvBase.Lng", "<TfrmQvBase Caption=");
  auto window = qv::CreateUnowned<TfrmQvChild>();
  window->ApplyLanguage(window.get(), true);
  EXPECT_EQ(window->lblQv->Caption(), "Shared");
  EXPECT_EQ(window->lblBase->Caption(), "基础");
  EXPECT_EQ(window->lblChild->Caption(), "Derived");
}

TEST(QVFormTest, OnlyTheFirstShowAppliesTheLanguagePackages) {
  FormsInstall install({936, "437", "936"});
  auto window = qv::CreateUnowned<TfrmQvChild>();
  window->Show();
  EXPECT_EQ(window->lblBase->Caption(), "Base");
  window->Hide();
  window->lblBase->SetCaption("changed while hidden");
  window->Show();
  EXPECT_EQ(window->lblBase->Caption(), "changed while hidden");
  EXPECT_EQ(window->journal,
            (Journal{"own creation step, edCode ImeName \"\"", "ApplyLanguage frmQvTest chain"}));
  window->Hide();

  auto quiet = qv::CreateUnowned<TfrmQvChild>();
  quiet->ApplyLanguageOnShow = false;
  quiet->Show();
  EXPECT_EQ(quiet->lblBase->Caption(), "基础");
  quiet->Hide();
}

TEST(QVFormTest, GetLangTextFallsBackToTheDefaultConvertedWhenAsked) {
  struct Case {
    std::string ui;
    const char* class_name;
    const char* key;
    bool convert_default;
    const char* expected;
  } const cases[] = {
      {"437", "TfrmQvBase", "sTitle", true, "Report conditions"},
      {"950", "TfrmQvBase", "sTitle", true, "報表條件"},
      {"437", "TfrmQvBase", "sEmpty", true, ""},
      {"437", "TfrmQvBase", "sMissing", true, "选择间距编号"},
      {"437", "TfrmNoPackage", "sTitle", false, "选择间距编号"},
      {"950", "TfrmQvBase", "sMissing", true, "選擇間距編號"},
      {"950", "TfrmQvBase", "sMissing", false, "选择间距编号"},
      {"936", "TfrmQvBase", "sTitle", true, "选择间距编号"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ui + " " + c.class_name + " " + c.key);
    FormsInstall install({936, c.ui, "936"});
    auto window = qv::CreateUnowned<TfrmQvBase>();
    EXPECT_EQ(window->GetLangText(c.class_name, c.key, c.convert_default, "选择间距编号"),
              c.expected);
  }
}

TEST(QVFormTest, CodePagesAndModesComeFromTheClientProfile) {
  struct Case {
    CodePages pages;
    const char* sys;
    const char* ui;
    uint8_t ui_mode;
    uint8_t db_mode;
  } const cases[] = {
      {{936, "950", "936"}, "936", "950", 2, 2},
      {{936, "936", "950"}, "936", "936", 0, 1},
      {{950, "936", "936"}, "950", "936", 4, 0},
      {{1252, "437", "936"}, "437", "437", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pages.ui + "/" + c.pages.db);
    FormsInstall install(c.pages);
    auto window = qv::CreateUnowned<TfrmQvBase>();
    EXPECT_EQ(window->GetSysCodePage(), c.sys);
    EXPECT_EQ(window->GetUICodePage(), c.ui);
    EXPECT_EQ(window->GetUIConvertMode(), c.ui_mode);
    EXPECT_EQ(window->GetDBConvertMode(), c.db_mode);
  }
}

TEST(QVFormTest, TextsAreConvertedIntoTheUserInterfaceCodePageOnce) {
  FormsInstall install({936, "950", "936"});
  auto window = qv::CreateUnowned<TfrmQvBase>();
  window->ConvertTexts();
  EXPECT_TRUE(window->Converted);
  EXPECT_EQ(window->lblBase->Caption(), "基礎");
  EXPECT_EQ(window->btnOk->Caption(), "確定");
  window->btnOk->SetCaption("确定");
  window->ConvertTexts();
  EXPECT_EQ(window->btnOk->Caption(), "确定");
}

TEST(QVFormTest, ShowConvertedMessageIsTheConvertersDialog) {
  FormsInstall install({936, "950", "936"});
  auto window = qv::CreateUnowned<TfrmQvBase>();
  ScopedDialogAnswers answers;
  answers->Then("No");
  EXPECT_EQ(window->ShowConvertedMessage("删除方案?", qv::mtConfirmation, {qv::mbYes, qv::mbNo}),
            qv::mrNo);
  ASSERT_EQ(answers->Seen.size(), 1u);
  EXPECT_EQ(answers->Seen[0].Caption, "基础窗口");
  EXPECT_EQ(answers->Seen[0].Text, "删除方案?      ");
  EXPECT_EQ(answers->Seen[0].Charset, qv::CHINESEBIG5_CHARSET);
}

}  // namespace
}  // namespace ravlet::testing
