#include "language/code_converter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "language/language_fixture.h"
#include "platform/core/exception.h"
#include "platform/text/string_list.h"
#include "platform/vcl/application.h"
#include "platform/vcl/collection.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/form.h"
#include "platform/vcl/input_source.h"
#include "platform/vcl/screen.h"
#include "platform/vcl/type_info.h"

namespace ravlet {
namespace {

using testing::CodePages;
using testing::LanguageInstall;

QV_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable);

// A component with the texts a window's controls publish.
class TTextBox : public qv::TComponent {
  QV_DECLARE_CLASS(TTextBox)

  explicit TTextBox(qv::TComponent* owner)
      : qv::TComponent(owner),
        font_(std::make_unique<qv::TFont>()),
        items_(std::make_unique<qv::TStringList>()),
        lines_(std::make_unique<qv::TStringList>()) {}

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& v) { text_ = v; }
  qv::TFont* Font() const { return font_.get(); }
  void SetFont(qv::TFont* f) { font_->Assign(f); }
  qv::TStringList* Items() const { return items_.get(); }
  void SetItems(const qv::TStrings& v) { items_->Assign(v); }
  qv::TStringList* Lines() const { return lines_.get(); }
  void SetLines(const qv::TStrings& v) { lines_->Assign(v); }
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle v) { style_ = v; }

 private:
  std::string caption_, hint_, text_;
  std::unique_ptr<qv::TFont> font_;
  std::unique_ptr<qv::TStringList> items_, lines_;
  TListBoxStyle style_ = lbStandard;
};

QV_DEFINE_CLASS(TTextBox, qv::TComponent, r) {
  r.Property("Caption", &TTextBox::Caption, &TTextBox::SetCaption);
  r.Property("Hint", &TTextBox::Hint, &TTextBox::SetHint);
  r.Property("Text", &TTextBox::Text, &TTextBox::SetText);
  r.Property("Font", &TTextBox::Font, &TTextBox::SetFont);
  r.Property("Items", &TTextBox::Items, &TTextBox::SetItems);
  r.Property("Lines", &TTextBox::Lines, &TTextBox::SetLines);
  r.Property("Style", &TTextBox::Style, &TTextBox::SetStyle);
}

class TStatusPanel : public qv::TCollectionItem {
  QV_DECLARE_CLASS(TStatusPanel)

  const std::string& Text() const { return text_; }
  void SetText(const std::string& v) { text_ = v; }

 private:
  std::string text_;
};
QV_DEFINE_CLASS(TStatusPanel, qv::TCollectionItem, r) {
  r.Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
}

class TStatusPanels : public qv::TCollection {
  QV_DECLARE_CLASS(TStatusPanels)
  using qv::TCollection::TCollection;

 protected:
  std::unique_ptr<qv::TCollectionItem> NewItem() override {
    return std::make_unique<TStatusPanel>();
  }
};
QV_DEFINE_CLASS(TStatusPanels, qv::TCollection, r) {}

// A status bar: its panels' texts are converted one by one.
class TStatusBar : public qv::TComponent {
  QV_DECLARE_CLASS(TStatusBar)

  explicit TStatusBar(qv::TComponent* owner)
      : qv::TComponent(owner), panels_(std::make_unique<TStatusPanels>(this, "Panels")) {}
  TStatusPanels* Panels() const { return panels_.get(); }
  TStatusPanel* Panel(int i) const { return static_cast<TStatusPanel*>(panels_->Items(i)); }

 private:
  std::unique_ptr<TStatusPanels> panels_;
};
QV_DEFINE_CLASS(TStatusBar, qv::TComponent, r) {
  r.Property("Panels", &TStatusBar::Panels);
}

// A window stand-in: a component with a caption and a hint that owns others.
class TTextWindow : public TTextBox {
  QV_DECLARE_CLASS(TTextWindow)
  using TTextBox::TTextBox;
};
QV_DEFINE_CLASS(TTextWindow, TTextBox, r) {}

qv::Variant Texts(std::initializer_list<const char*> texts) {
  qv::Variant array = qv::VarArrayCreate({0, static_cast<int>(texts.size()) - 1});
  int i = 0;
  for (const char* t : texts) array[i++] = t;
  return array;
}

TEST(CodeConverterTest, ModesAndTranslatorFollowTheProfile) {
  struct Case {
    CodePages pages;
    uint8_t ui, db;
    bool translator;
  };
  const Case cases[] = {
      {{936, "950", "936"}, 2, 2, true},  {{950, "936", "936"}, 4, 0, true},
      {{936, "936", "950"}, 0, 1, false}, {{936, "936", "936"}, 0, 0, false},
      {{437, "437", "936"}, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pages.ui + "/" + c.pages.db + " on " + std::to_string(c.pages.system));
    LanguageInstall install(c.pages);
    auto converter = qv::CreateUnowned<TCodeConverter>();
    EXPECT_EQ(converter->UIConvertMode, c.ui);
    EXPECT_EQ(converter->DBConvertMode, c.db);
    EXPECT_EQ(converter->UICodePage, c.pages.ui);
    EXPECT_EQ(converter->DBCodePage, c.pages.db);
    EXPECT_EQ(converter->SysCodePage, std::to_string(c.pages.system));
    EXPECT_EQ(converter->Translator != nullptr, c.translator);
    EXPECT_EQ(converter->DesignType(), dtClient);
  }
}

TEST(CodeConverterTest, WithoutTranslatorEveryConversionKeepsItsInput) {
  // A Big5 database under a GB user interface: mode 1 for database texts,
  // but no translator exists, so database texts come through as they are.
  LanguageInstall install({936, "936", "950"});
  auto converter = qv::CreateUnowned<TCodeConverter>();
  const qv::Variant texts = Texts({"選擇", "间距"});
  EXPECT_EQ(converter->ConvertDBToUI(texts), texts);
  EXPECT_EQ(converter->ConvertUIToDB(texts), texts);
  EXPECT_EQ(converter->ConvertValue(2, "选择"), qv::Variant("选择"));
  EXPECT_EQ(converter->GBToBig5("选择"), "选择");
}

TEST(CodeConverterTest, MissingLanguageLibraryFailsTheCreation) {
  LanguageInstall install({936, "950", "936"});
  const std::string previous = TTranslator::LibraryName();
  TTranslator::SetLibraryName("Qvlanguage_absent.dll");
  try {
    auto converter = qv::CreateUnowned<TCodeConverter>();
    ADD_FAILURE() << "no error";
  } catch (const qv::Exception& e) {
    EXPECT_EQ(e.Message(), "Load Library Qvlanguage_absent.dll Error!");
  }
  TTranslator::SetLibraryName(previous);
}

class ConvertValueTest : public ::testing::Test {
 protected:
  LanguageInstall install_{{936, "950", "936"}};
  qv::TComponentPtr<TCodeConverter> converter_ = qv::CreateUnowned<TCodeConverter>();
};

TEST_F(ConvertValueTest, ConvertsTextsAndArraysInTheModesDirection) {
  ASSERT_TRUE(converter_->Translator);
  // Plain values: modes 1 and 2 give texts, other modes keep the value.
  EXPECT_EQ(converter_->ConvertValue(2, "选择"), qv::Variant("選擇"));
  EXPECT_EQ(converter_->ConvertValue(1, "選擇"), qv::Variant("选择"));
  EXPECT_EQ(converter_->ConvertValue(2, 12), qv::Variant("12"));
  for (uint8_t mode : {0, 3, 4}) {
    EXPECT_EQ(converter_->ConvertValue(mode, "选择"), qv::Variant("选择"));
    EXPECT_EQ(converter_->ConvertValue(mode, 12), qv::Variant(12));
  }
  EXPECT_TRUE(converter_->ConvertValue(2, qv::Variant::Null()).IsNull());
  EXPECT_TRUE(converter_->ConvertValue(2, qv::Variant()).IsEmpty());

  // One dimension: a number becomes its text, nested arrays are walked, the
  // bounds stay.
  qv::Variant list = qv::VarArrayCreate({1, 3});
  list[1] = 42;
  list[2] = "选择";
  list[3] = Texts({"间距", "编号"});
  const qv::Variant shown = converter_->ConvertToUI(list);
  EXPECT_EQ(qv::VarArrayLowBound(shown, 1), 1);
  EXPECT_EQ(qv::VarType(shown[1]), qv::varOleStr);
  EXPECT_EQ(shown[1], qv::Variant("42"));
  EXPECT_EQ(shown[2], qv::Variant("選擇"));
  EXPECT_EQ(shown[3], Texts({"間距", "編號"}));
  // The input itself is left alone.
  EXPECT_EQ(list[1], qv::Variant(42));

  // Two dimensions: every element through the same conversion, so Empty stays.
  qv::Variant grid = qv::VarArrayCreate({0, 1, 0, 1});
  grid.At(0, 0) = "选择";
  grid.At(0, 1) = 7;
  grid.At(1, 1) = "编号";
  const qv::Variant cells = converter_->ConvertValue(2, grid);
  EXPECT_EQ(cells.At(0, 0), qv::Variant("選擇"));
  EXPECT_EQ(cells.At(0, 1), qv::Variant("7"));
  EXPECT_TRUE(cells.At(1, 0).IsEmpty());
  EXPECT_EQ(cells.At(1, 1), qv::Variant("編號"));

  // Modes without text conversion leave the elements of an array untouched.
  EXPECT_EQ(converter_->ConvertValue(4, list), list);
}

TEST_F(ConvertValueTest, ReverseDirectionsSwallowFailures) {
  // UI mode 2: from the user interface is Big5 -> GB.
  EXPECT_EQ(converter_->ConvertFromUI("選擇"), qv::Variant("选择"));
  EXPECT_EQ(converter_->ConvertUIToDB("選擇"), qv::Variant("选择"));
  converter_->DBConvertMode = 1;
  EXPECT_EQ(converter_->ConvertUIToDB("选择"), qv::Variant("選擇"));
  EXPECT_EQ(converter_->ConvertDBToUI("選擇"), qv::Variant("选择"));
  converter_->DBConvertMode = 0;
  EXPECT_EQ(converter_->ConvertUIToDB("选择"), qv::Variant("选择"));

  // An element without a text: the forward conversion raises, the reverse
  // ones hand the value back unchanged.
  qv::Variant withNull = Texts({"选择", "编号"});
  withNull[1] = qv::Variant::Null();
  EXPECT_THROW(converter_->ConvertToUI(withNull), qv::Exception);
  EXPECT_EQ(converter_->ConvertFromUI(withNull), withNull);
}

TEST(SetFontForModeTest, FaceAndCharacterSetByMode) {
  struct Case {
    int mode;
    const char* name;
    qv::TFontCharset charset;
  };
  const Case cases[] = {
      {0, "SimSun", qv::GB2312_CHARSET},      {1, "SimSun", qv::GB2312_CHARSET},
      {2, "SimSun", qv::CHINESEBIG5_CHARSET}, {3, "SimSun", qv::CHINESEBIG5_CHARSET},
      {4, "SimSun", qv::GB2312_CHARSET},      {5, "Tahoma", qv::ANSI_CHARSET},
      {255, "Tahoma", qv::ANSI_CHARSET},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    qv::TFont font;
    font.SetName("Tahoma");
    font.SetCharset(qv::ANSI_CHARSET);
    TCodeConverter::SetFontForMode(static_cast<uint8_t>(c.mode), &font);
    EXPECT_EQ(font.Name(), c.name);
    EXPECT_EQ(font.Charset(), c.charset);
  }
  TCodeConverter::SetFontForMode(2, nullptr);
}

TEST(ConvertFormTest, ConvertsPublishedTextsAndFonts) {
  struct Case {
    CodePages pages;
    const char* caption;  // expected window caption
    const char* label;    // expected component caption
    qv::TFontCharset charset;
    TListBoxStyle style;
  };
  const Case cases[] = {
      // Traditional user interface: texts in Big5 forms, Big5 fonts.
      {{936, "950", "936"}, "选择窗口", "間距", qv::CHINESEBIG5_CHARSET, lbOwnerDrawFixed},
      // GB texts on a Big5 workstation: texts stay, GB fonts, caption in Big5.
      {{950, "936", "936"}, "選擇窗口", "间距", qv::GB2312_CHARSET, lbOwnerDrawFixed},
      // No conversion: nothing changes at all.
      {{936, "936", "936"}, "选择窗口", "间距", qv::DEFAULT_CHARSET, lbStandard},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pages.ui + " on " + std::to_string(c.pages.system));
    LanguageInstall install(c.pages);
    auto window = qv::CreateUnowned<TTextWindow>();
    window->SetCaption("选择窗口");
    auto* converter = qv::Create<TCodeConverter>(window.get());
    auto* box = qv::Create<TTextBox>(window.get());
    box->SetCaption("间距");
    box->SetText("编号");
    box->Items()->SetText("选择\n编号\n");
    auto* bar = qv::Create<TStatusBar>(window.get());
    bar->Panels()->Add();
    static_cast<TStatusPanel*>(bar->Panels()->Add())->SetText("就绪");
    converter->ConvertForm(window.get());

    EXPECT_EQ(window->Caption(), c.caption);
    EXPECT_EQ(box->Caption(), c.label);
    EXPECT_EQ(box->Text(), "编号");  // Text is never converted
    EXPECT_EQ(box->Font()->Charset(), c.charset);
    if (c.charset != qv::DEFAULT_CHARSET) {
      for (qv::TFont* font :
           {qv::Screen->IconFont(), qv::Screen->HintFont(), qv::Screen->MenuFont()}) {
        EXPECT_EQ(font->Name(), "SimSun");
        EXPECT_EQ(font->Charset(), c.charset);
      }
    }
    EXPECT_EQ(box->Style(), c.style);
    const bool big5 = c.pages.ui == "950";
    using Lines = std::vector<std::string>;
    EXPECT_EQ(bar->Panel(0)->Text(), "");
    EXPECT_EQ(bar->Panel(1)->Text(), big5 ? "就緒" : "就绪");
    EXPECT_EQ(box->Items()->ToVector(), (big5 ? Lines{"選擇", "編號"} : Lines{"选择", "编号"}));
  }
}

TEST(ConvertFormTest, ComponentKindsPlugInByClass) {
  LanguageInstall install({936, "950", "936"});
  std::vector<std::string> seen;
  TCodeConverter::RegisterComponentTexts(
      "TTextBox", [&seen](TCodeConverter& converter, qv::TComponent& c, uint8_t mode) {
        seen.push_back(c.Name() + ":" + std::to_string(mode));
        auto& box = static_cast<TTextBox&>(c);
        box.Lines()->Add(converter.ConvertText(mode, "编号"));
      });
  auto window = qv::CreateUnowned<TTextWindow>();
  auto* converter = qv::Create<TCodeConverter>(window.get());
  auto* box = qv::Create<TTextBox>(window.get());
  box->SetName("box");
  converter->ConvertForm(window.get());
  TCodeConverter::RegisterComponentTexts("TTextBox", nullptr);

  EXPECT_EQ(seen, std::vector<std::string>{"box:2"});
  EXPECT_EQ(box->Lines()->ToVector(), std::vector<std::string>{"編號"});
}

}  // namespace
}  // namespace ravlet

namespace ravlet {
namespace {

// Looks at the modal dialog when the run asks for input, then clicks a button.
class DialogProbe : public qv::TInputSource {
 public:
  explicit DialogProbe(std::string button) : button_(std::move(button)) {}
  bool Next(qv::TInputEvent& event) override {
    if (answered_) return false;
    answered_ = true;
    if (auto* dialog = dynamic_cast<qv::TMessageForm*>(qv::Screen->ModalForm())) {
      caption = dialog->Caption();
      text = dialog->Message()->Caption();
      fontName = dialog->Font()->Name();
      charset = dialog->Font()->Charset();
    }
    event = qv::TInputEvent::Click(button_);
    return true;
  }

  std::string caption, text, fontName;
  int charset = -1;

 private:
  std::string button_;
  bool answered_ = false;
};

TEST(ShowMessageDlgTest, ShowsWithWindowCaptionAndModeFont) {
  struct Case {
    CodePages pages;
    const char* text;  // as shown
    int charset;
  };
  const Case cases[] = {
      {{936, "950", "936"}, "保存方案?      ", qv::CHINESEBIG5_CHARSET},
      {{950, "950", "936"}, "保存方案?", qv::CHINESEBIG5_CHARSET},
      {{950, "936", "936"}, "保存方案?      ", qv::GB2312_CHARSET},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pages.ui + " on " + std::to_string(c.pages.system));
    LanguageInstall install(c.pages);
    auto window = qv::CreateUnowned<qv::TForm>();
    window->SetCaption("报表条件");
    window->SetWindowState(qv::wsMinimized);
    auto* converter = qv::Create<TCodeConverter>(window.get());
    auto probe = std::make_shared<DialogProbe>("Cancel");
    qv::Application->SetInputSource(probe);
    EXPECT_EQ(converter->ShowMessageDlg("保存方案?", qv::mtConfirmation, qv::mbOKCancel),
              qv::mrCancel);
    qv::Application->SetInputSource(nullptr);
    EXPECT_EQ(probe->caption, "报表条件");
    EXPECT_EQ(probe->text, c.text);
    EXPECT_EQ(probe->fontName, "SimSun");
    EXPECT_EQ(probe->charset, c.charset);
    EXPECT_EQ(window->WindowState(), qv::wsNormal);
  }
}

TEST(ShowMessageDlgTest, EmptyTextShowsNothing) {
  LanguageInstall install({936, "950", "936"});
  auto converter = qv::CreateUnowned<TCodeConverter>();
  qv::Application->SetInputSource(nullptr);
  EXPECT_EQ(converter->ShowMessageDlg("", qv::mtError, qv::TMsgDlgButtons{qv::mbOK}), 0);
}

}  // namespace
}  // namespace ravlet
