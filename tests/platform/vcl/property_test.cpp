#include <gtest/gtest.h>

#include "platform/vcl/test_widget.h"
#include "platform/vcl/type_info.h"

namespace qv::test {
namespace {

class PropertyTest : public ::testing::Test {
 protected:
  PropertyTest() {
    form = CreateUnowned<TTestWidget>();
    form->SetName("Form");
    widget = Create<TTestWidget>(form.get());
    widget->SetName("Widget");
    other = Create<TTestWidget>(form.get());
    other->SetName("Other");
  }
  TComponentPtr<TTestWidget> form;
  TTestWidget* widget;
  TTestWidget* other;
};

TEST_F(PropertyTest, EveryKindReadsAndWritesAsText) {
  struct Case {
    const char* path;
    const char* written;
    const char* read_back;
  };
  const Case cases[] = {
      {"Caption", "选择间距编号", "选择间距编号"},
      {"CAPTION", " padded ", " padded "},
      {"Count", " 42", "42"},
      {"Count", "$1F", "31"},
      {"Gap", "255", "255"},
      {"Letter", "Z", "Z"},
      {"Letter", "#9", "#9"},
      {"Mood", " tmAngry ", "tmAngry"},
      {"mood", "TMHAPPY", "tmHappy"},
      {"Styles", "[fsBold, fsUnderline]", "[fsBold,fsUnderline]"},
      {"Styles", "fsItalic", "[fsItalic]"},
      {"Styles", "[]", "[]"},
      {"Ratio", "2.25", "2.25"},
      {"Active", "false", "False"},
      {"Color", "clRed", "clRed"},
      {"Color", "clBtnFace", "clBtnFace"},
      {"Color", "$00123456", "1193046"},
      {"Font.Name", "Tahoma", "Tahoma"},
      {"font.charset", "134", "GB2312_CHARSET"},
      {"Font.Style", "[fsBold]", "[fsBold]"},
      {"Font.Size", "9", "9"},
      {"Lines", "a\r\nb", "a\r\nb\r\n"},
      {"Buddy", "other", "Other"},
      {"Buddy", "", ""},
      {"OnPing", "HandlePing", "HandlePing"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    SetPropValue(widget, c.path, c.written);
    EXPECT_EQ(GetPropValue(widget, c.path), c.read_back);
  }
  EXPECT_EQ(widget->Font()->Height(), -12);
  EXPECT_EQ(widget->Color(), 0x123456);
}

TEST_F(PropertyTest, BadNamesAndValuesRaiseAndLeaveThePropertyAlone) {
  widget->SetCount(5);
  widget->SetMood(tmHappy);
  struct Case {
    const char* path;
    const char* text;
    bool unknown_property;  // else: a value that does not fit
  };
  const Case cases[] = {
      {"Nothing", "1", true},
      {"Font.Nothing", "1", true},
      {"Count.Name", "1", true},
      {"", "1", true},
      {"Version", "8", true},
      {"Count", "abc", false},
      {"Count", "99999999999", false},
      {"Gap", "256", false},
      {"Gap", "-1", false},
      {"Mood", "tmBored", false},
      {"Mood", "1", false},
      {"Styles", "[fsNone]", false},
      {"Styles", "[fsBold", false},
      {"Ratio", "1,5", false},
      {"Letter", "ab", false},
      {"Color", "clNoSuch", false},
      {"Buddy", "Nobody", false},
      {"OnPing", "NoHandler", false},
      {"OnPing", "HandleAsk", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " = " + c.text);
    if (c.unknown_property) {
      EXPECT_THROW(SetPropValue(widget, c.path, c.text), EPropertyError);
    } else {
      EXPECT_THROW(SetPropValue(widget, c.path, c.text), EPropertyConvertError);
    }
  }
  EXPECT_EQ(widget->Count(), 5);
  EXPECT_EQ(widget->Mood(), tmHappy);
  EXPECT_FALSE(widget->OnPing.Assigned());
}

TEST_F(PropertyTest, TypedAccessChecksTheKind) {
  EXPECT_EQ(GetOrdProp(widget, "Mood"), tmCalm);
  SetOrdProp(widget, "Mood", tmAngry);
  EXPECT_EQ(GetEnumProp(widget, "Mood"), "tmAngry");
  EXPECT_THROW(SetOrdProp(widget, "Mood", 3), EPropertyConvertError);
  EXPECT_THROW(GetStrProp(widget, "Count"), EPropertyConvertError);
  EXPECT_THROW(SetStrProp(widget, "Version", "x"), EPropertyError);
  EXPECT_EQ(GetObjectProp(widget, "Font"), widget->Font());
  EXPECT_THROW(SetObjectProp(widget, "Buddy", widget->Font()), EPropertyConvertError);
  SetObjectProp(widget, "Buddy", other);
  EXPECT_EQ(widget->Buddy(), other);
  EXPECT_EQ(GetStringsProp(widget, "Lines"), widget->Lines());
  EXPECT_DOUBLE_EQ(GetFloatProp(widget, "Ratio"), 0.5);

  const TPropInfo* mood = GetPropInfo(widget, "mood");
  ASSERT_NE(mood, nullptr);
  EXPECT_EQ(mood->Kind, tkEnumeration);
  EXPECT_EQ(mood->TypeName(), "TTestMood");
  EXPECT_EQ(mood->EnumType->Identifiers().size(), 3u);
  EXPECT_EQ(GetPropInfo(widget, "Font.Charset")->TypeName(), "TFontCharset");
  EXPECT_EQ(GetPropInfo(widget, "Font")->TypeName(), "TFont");
  EXPECT_EQ(GetPropInfo(widget, "Active")->TypeName(), "Boolean");
  EXPECT_EQ(GetPropInfo(widget, "OnAsk")->TypeName(), "TCloseQueryEvent");
  EXPECT_FALSE(IsPublishedProp(widget, "Font.Nothing"));
  EXPECT_FALSE(IsPublishedProp(nullptr, "Caption"));
  EXPECT_THROW(GetPropValue(nullptr, "Caption"), EPropertyError);
}

TEST_F(PropertyTest, SetsAndEnumerationsByIdentifier) {
  const TEnumTypeInfo& styles = EnumTypeInfo<TFontStyle>();
  EXPECT_EQ(SetToString(styles, TFontStyles{fsBold, fsStrikeOut}.Bits()), "[fsBold,fsStrikeOut]");
  EXPECT_EQ(SetToString(styles, 0, false), "");
  EXPECT_EQ(StringToSet(styles, " fsItalic ,fsBold"), TFontStyles({fsBold, fsItalic}).Bits());
  EXPECT_EQ(GetEnumValue(EnumTypeInfo<TTestMood>(), "TMANGRY"), tmAngry);
  EXPECT_EQ(GetEnumValue(EnumTypeInfo<TTestMood>(), "tmBored"), -1);
  EXPECT_EQ(GetEnumName(BooleanTypeInfo(), 1), "True");
}

TEST(ColorIdents, KeepTheOriginalValues) {
  struct Case {
    const char* ident;
    TColor value;
  };
  const Case cases[] = {{"clRed", 0x0000FF},
                        {"clBlue", 0xFF0000},
                        {"clWindow", static_cast<TColor>(0x80000005)},
                        {"clBtnFace", -2147483633},
                        {"clWindowText", static_cast<TColor>(0x80000008)},
                        {"clInfoBk", static_cast<TColor>(0x80000018)},
                        {"clNone", 0x1FFFFFFF}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ident);
    EXPECT_EQ(StringToColor(c.ident), c.value);
    EXPECT_EQ(ColorToString(c.value), c.ident);
  }
  EXPECT_EQ(ColorToString(0x123456), "$00123456");
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  EXPECT_THROW(StringToColor("reddish"), EConvertError);
}

TEST_F(PropertyTest, EventsAreMethodReferencesThatCompareAndCall) {
  // A handler named in a text is found among the owner's published operations.
  SetPropValue(widget, "OnPing", "HandlePing");
  ASSERT_TRUE(widget->OnPing.Assigned());
  EXPECT_EQ(widget->OnPing.Data(), form.get());
  widget->OnPing(widget);
  ASSERT_EQ(form->pings.size(), 1u);
  EXPECT_EQ(form->pings[0], widget);

  // The same operation of the same object compares equal however it was made.
  const TNotifyEvent direct(form.get(), &TTestWidget::HandlePing);
  EXPECT_TRUE(widget->OnPing == direct);
  EXPECT_FALSE(widget->OnPing == TNotifyEvent(other, &TTestWidget::HandlePing));

  // Stored, replaced by another handler and called again through the property layer.
  const TMethod saved = GetMethodProp(widget, "OnPing");
  int calls = 0;
  widget->OnPing = [&](TObject*) { ++calls; };
  EXPECT_EQ(GetPropValue(widget, "OnPing"), "");
  widget->OnPing(widget);
  CallMethod<TObject*>(saved, widget);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(form->pings.size(), 2u);
  SetMethodProp(widget, "OnPing", saved);
  EXPECT_TRUE(widget->OnPing == direct);

  // A var argument comes back changed; a handler of another shape is refused.
  SetMethodProp(widget, "OnAsk", form->FindMethod("HandleAsk"));
  bool allow = true;
  widget->OnAsk(widget, allow);
  EXPECT_FALSE(allow);
  EXPECT_THROW(SetMethodProp(widget, "OnAsk", saved), EPropertyConvertError);
  EXPECT_THROW(CallMethod<TObject*>(GetMethodProp(widget, "OnAsk"), widget), EInvalidCast);

  SetPropValue(widget, "OnPing", "");
  EXPECT_FALSE(widget->OnPing.Assigned());
  widget->OnPing(widget);
  EXPECT_EQ(form->MethodName(form->MethodAddress("handleping")), "HandlePing");
  EXPECT_EQ(form->MethodAddress("Nothing"), nullptr);
}

TEST_F(PropertyTest, PropertyListKeepsTheDeclaredOrderBaseFirst) {
  std::vector<std::string> names;
  for (const TPropInfo* prop : GetPropList(widget)) names.push_back(prop->Name);
  ASSERT_GE(names.size(), 4u);
  EXPECT_EQ(names[0], "Name");
  EXPECT_EQ(names[1], "Tag");
  EXPECT_EQ(names[2], "Caption");
}

}  // namespace
}  // namespace qv::test
