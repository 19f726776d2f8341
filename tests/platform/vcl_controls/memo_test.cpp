#include "platform/vcl/memo.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/vcl/button.h"
#include "platform/vcl/type_info.h"
#include "platform/vcl_controls/controls_fixture.h"

namespace qv::test {
namespace {

class MemoTest : public ControlsTest {
 protected:
  MemoTest() {
    memo = Place<TMemo>("meNote");
    memo->Clear();  // naming it wrote its name into it
  }
  TMemo* memo;
};

TEST_F(MemoTest, LinesRewriteTheTextAroundItsLineBreaks) {
  struct Case {
    const char* before;
    std::function<void(TStrings&)> change;
    const char* after;
  };
  const Case cases[] = {
      {"", [](TStrings& l) { l.Add("a"); }, "a\r\n"},
      {"", [](TStrings& l) { l.Add("a"), l.Add("b"); }, "a\r\nb\r\n"},
      {"a", [](TStrings& l) { l.Add("b"); }, "a\r\nb"},
      {"a\r\nb\r\n", [](TStrings& l) { l.Insert(1, "x"); }, "a\r\nx\r\nb\r\n"},
      {"a\nb", [](TStrings& l) { l.SetString(1, "c"); }, "a\r\nc"},
      {"a\r\nb\r\n", [](TStrings& l) { l.Delete(0); }, "b\r\n"},
      {"a\r\nb", [](TStrings& l) { l.Delete(1); }, "a"},
      {"a\r\nb", [](TStrings& l) { l.Clear(); }, ""},
      {"x", [](TStrings& l) { l.SetText("1\r\n2\r\n"); }, "1\r\n2\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    memo->SetText(c.before);
    c.change(*memo->Lines());
    EXPECT_EQ(memo->Text(), c.after);
  }
}

TEST_F(MemoTest, ABreakAtTheEndStartsNoFurtherLine) {
  struct Case {
    const char* text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\n\r\n", {"a", ""}},
      {"a\rb\nc", {"a", "b", "c"}},
      {"\r\n", {""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    memo->SetText(c.text);
    EXPECT_EQ(memo->Lines()->ToVector(), c.lines);
  }
  EXPECT_THROW(memo->Lines()->Strings(6), EListError);
  EXPECT_THROW(memo->Lines()->Insert(7, "x"), EListError);
  EXPECT_EQ(memo->Text(), "\r\n");
}

TEST_F(MemoTest, EveryChangeOfTheLinesRaisesOnChange) {
  memo->OnChange = Note("change");
  TStringList source;
  source.SetText("北京\n上海\n广州");
  memo->SetLines(source);
  EXPECT_EQ(memo->Text(), "北京\r\n上海\r\n广州\r\n");
  memo->Lines()->SetString(2, "深圳");
  memo->Lines()->SetString(2, "深圳");  // the same text: no change
  EXPECT_EQ(journal, Journal(2, "change"));
}

TEST_F(MemoTest, EnterAndTabTypeOnlyWhenTheMemoWantsThem) {
  TButton* ok = Place<TButton>("btnOk");
  ok->SetDefault(true);
  ok->OnClick = Note("ok");
  form->Show();
  memo->SetFocus();
  DeliverText(memo, "ab");
  DeliverKeystroke(memo, VK_RETURN);
  DeliverKeystroke(memo, VK_TAB);  // moves the focus on
  EXPECT_EQ(memo->Text(), "ab\r\n");
  EXPECT_TRUE(ok->Focused());

  memo->SetFocus();
  memo->SetWantReturns(false);
  memo->SetWantTabs(true);
  DeliverKeystroke(memo, VK_TAB);
  DeliverKeystroke(memo, VK_RETURN);  // the default button's
  EXPECT_EQ(memo->Text(), "ab\r\n\t");
  EXPECT_EQ(journal, Journal{"ok"});

  memo->SetReadOnly(true);
  memo->SetWantReturns(true);
  DeliverKeystroke(memo, VK_RETURN);
  DeliverText(memo, "z");
  EXPECT_EQ(memo->Text(), "ab\r\n\t");
}

TEST_F(MemoTest, UpAndDownKeepTheColumnWithinTheLine) {
  form->Show();
  memo->SetFocus();
  memo->SetText("first line\r\nab\r\nthird line");
  memo->SetSelStart(7);
  struct Step {
    Word key;
    TPoint caret;
  };
  const Step steps[] = {
      {VK_DOWN, {2, 1}}, {VK_DOWN, {2, 2}}, {VK_DOWN, {2, 2}}, {VK_END, {10, 2}},
      {VK_UP, {2, 1}},   {VK_UP, {2, 0}},   {VK_UP, {2, 0}},
  };
  for (const Step& s : steps) {
    DeliverKeystroke(memo, s.key);
    EXPECT_EQ(memo->CaretPos(), s.caret) << "key " << s.key;
  }
  DeliverText(memo, "X");
  EXPECT_EQ(memo->Lines()->Strings(0), "fiXrst line");
}

TEST_F(MemoTest, MaxLengthCountsLineBreaks) {
  form->Show();
  memo->SetFocus();
  memo->SetMaxLength(4);
  DeliverText(memo, "ab");
  DeliverKeystroke(memo, VK_RETURN);
  DeliverText(memo, "cd");
  EXPECT_EQ(memo->Text(), "ab\r\n");
  memo->Lines()->Add("set from code");  // the limit is the person's
  EXPECT_EQ(memo->Lines()->Count(), 2);
}

TEST_F(MemoTest, LinesAreAStringListPropertyByName) {
  EXPECT_EQ(PropType(memo, "Lines"), tkStrings);
  SetPropValue(memo, "Lines", "一\r\n二");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(GetPropValue(memo, "Lines"), "一\r\n二\r\n");
  SetPropValue(memo, "ScrollBars", "ssVertical");
  EXPECT_EQ(GetPropInfo(memo, "ScrollBars")->TypeName(), "TScrollStyle");
  EXPECT_TRUE(memo->InheritsFrom("TCustomEdit"));
}

}  // namespace
}  // namespace qv::test
