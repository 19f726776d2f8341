#include "platform/vcl/combo_box.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/vcl/type_info.h"
#include "platform/vcl_controls/controls_fixture.h"

namespace qv::test {
namespace {

class ComboBoxTest : public ControlsTest {
 protected:
  ComboBoxTest() {
    combo = Place<TComboBox>("cboDay");
    combo->Items()->SetText("delta\nalpha\ncharlie\nbravo");
  }
  void Record() {
    combo->OnClick = Note("click");
    combo->OnChange = Note("change");
  }
  TComboBox* combo;
};

TEST_F(ComboBoxTest, TheSelectionStaysOnItsItemWhileTheListChanges) {
  struct Case {
    const char* change;
    std::function<void(TStrings&)> apply;
    int index;
    const char* edit_text;  // csDropDown
    const char* list_text;  // csDropDownList
  };
  const Case cases[] = {
      {"insert before", [](TStrings& s) { s.Insert(0, "echo"); }, 2, "alpha", "alpha"},
      {"add after", [](TStrings& s) { s.Add("echo"); }, 1, "alpha", "alpha"},
      {"delete before", [](TStrings& s) { s.Delete(0); }, 0, "alpha", "alpha"},
      {"delete after", [](TStrings& s) { s.Delete(3); }, 1, "alpha", "alpha"},
      {"delete the selected", [](TStrings& s) { s.Delete(1); }, -1, "alpha", ""},
      {"clear", [](TStrings& s) { s.Clear(); }, -1, "", ""},
      {"replace the text", [](TStrings& s) { s.SetString(1, "ALPHA"); }, 1, "ALPHA", "ALPHA"},
      {"replace all text", [](TStrings& s) { s.SetText("x\ny"); }, -1, "", ""},
  };
  for (TComboBoxStyle style : {csDropDown, csDropDownList}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.change) + (style == csDropDown ? " (edit)" : " (list)"));
      combo->SetStyle(style);
      combo->Items()->SetText("delta\nalpha\ncharlie\nbravo");
      combo->SetItemIndex(1);
      c.apply(*combo->Items());
      EXPECT_EQ(combo->ItemIndex(), c.index);
      EXPECT_EQ(combo->Text(), style == csDropDown ? c.edit_text : c.list_text);
    }
  }
}

TEST_F(ComboBoxTest, SortingFollowsTheSelectedItem) {
  combo->SetItemIndex(0);
  combo->SetSorted(true);
  EXPECT_EQ(combo->Items()->CommaText(), "alpha,bravo,charlie,delta");
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(combo->Items()->Add("baker"), 1);
  EXPECT_EQ(combo->ItemIndex(), 4);
  EXPECT_EQ(combo->Text(), "delta");
}

TEST_F(ComboBoxTest, TextAndItemIndexDependOnTheStyle) {
  struct Case {
    TComboBoxStyle style;
    const char* set_text;
    int index;
    const char* text;
  };
  const Case cases[] = {
      {csDropDown, "charlie", 2, "charlie"},
      {csDropDown, "CHARLIE", -1, "CHARLIE"},
      {csSimple, "zulu", -1, "zulu"},
      {csDropDown, "", -1, ""},
      {csDropDownList, "CHARLIE", 2, "charlie"},
      {csDropDownList, "zulu", 1, "alpha"},  // no such item: nothing changes
      {csDropDownList, "", -1, ""},
      {csOwnerDrawFixed, "bravo", 3, "bravo"},
      {csOwnerDrawVariable, "delta", 0, "delta"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(GetEnumName(EnumTypeInfo<TComboBoxStyle>(), c.style)) + " '" +
                 c.set_text + "'");
    combo->SetStyle(c.style);
    combo->SetItemIndex(1);
    combo->SetText(c.set_text);
    EXPECT_EQ(combo->ItemIndex(), c.index);
    EXPECT_EQ(combo->Text(), c.text);
  }
}

TEST_F(ComboBoxTest, AnIndexOutsideTheItemsSelectsNothing) {
  for (int index : {-1, -7, 4, 1000}) {
    SCOPED_TRACE(index);
    combo->SetItemIndex(2);
    combo->SetItemIndex(index);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
  }
  // An edit text that no item matches is no selection to lose.
  combo->SetText("typed");
  combo->SetItemIndex(-1);
  EXPECT_EQ(combo->Text(), "typed");
}

TEST_F(ComboBoxTest, ChangingTheStyleKeepsTheSelectedItem) {
  combo->SetText("zulu");
  combo->SetStyle(csDropDownList);
  EXPECT_EQ(combo->Text(), "");
  combo->SetItemIndex(2);
  for (const char* style : {"csOwnerDrawFixed", "csDropDown", "csOwnerDrawVariable"}) {
    SetEnumProp(combo, "Style", style);
    EXPECT_EQ(combo->ItemIndex(), 2) << style;
    EXPECT_EQ(combo->Text(), "charlie") << style;
  }
}

TEST_F(ComboBoxTest, CodeRaisesNoEventsAndKeysSelectOnlyWhenTheItemChanges) {
  form->Show();
  combo->SetFocus();
  combo->SetStyle(csDropDownList);
  Record();
  combo->SetItemIndex(2);
  combo->SetText("bravo");
  combo->Items()->Add("echo");
  EXPECT_TRUE(journal.empty());

  DeliverKeystroke(combo, VK_DOWN);
  EXPECT_EQ(combo->Text(), "echo");
  EXPECT_EQ(journal, (Journal{"click", "change"}));
  journal.clear();
  DeliverKeystroke(combo, VK_DOWN);  // already the last item
  DeliverKeystroke(combo, VK_END);
  EXPECT_TRUE(journal.empty());

  DeliverKeystroke(combo, VK_HOME);
  EXPECT_EQ(combo->ItemIndex(), 0);
  DeliverText(combo, "c");  // the next item starting with the character
  EXPECT_EQ(combo->Text(), "charlie");
  DeliverText(combo, "Z");
  EXPECT_EQ(combo->Text(), "charlie");
  EXPECT_EQ(journal, (Journal{"click", "change", "click", "change"}));

  // With OnSelect set, a selection raises it instead of OnChange.
  journal.clear();
  combo->OnSelect = Note("select");
  DeliverKeystroke(combo, VK_UP);
  EXPECT_EQ(journal, (Journal{"click", "select"}));
}

TEST_F(ComboBoxTest, TypingIntoTheEditPartSelectsTheItemItSpells) {
  form->Show();
  combo->SetItemIndex(3);
  combo->SetMaxLength(6);
  Record();
  input->SetFocus("cboDay").TypeText("alp");
  Application->Run();
  // Entering selected the whole text, so typing replaced it.
  EXPECT_EQ(combo->Text(), "alp");
  EXPECT_EQ(combo->ItemIndex(), -1);
  DeliverText(combo, "ha");
  EXPECT_EQ(combo->ItemIndex(), 1);
  DeliverText(combo, "bet");  // MaxLength 6
  EXPECT_EQ(combo->Text(), "alphab");
  DeliverKeystroke(combo, VK_BACK);
  DeliverKeystroke(combo, VK_HOME);
  DeliverKeystroke(combo, VK_DELETE);
  EXPECT_EQ(combo->Text(), "lpha");
  EXPECT_EQ(journal, Journal(8, "change"));
}

TEST_F(ComboBoxTest, TheListOpensWithAClickOrF4AndClosesWithEnterOrLeaving) {
  form->Show();
  combo->SetStyle(csDropDownList);
  combo->OnDropDown = Note("drop down");
  combo->OnCloseUp = Note("close up");
  combo->OnChange = Note("change");
  DeliverClick(combo);
  EXPECT_TRUE(combo->Focused());
  EXPECT_TRUE(combo->DroppedDown());
  DeliverKeystroke(combo, VK_DOWN);
  DeliverKeystroke(combo, VK_RETURN);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->Text(), "delta");
  DeliverKeystroke(combo, VK_F4);
  other->SetFocus();
  EXPECT_EQ(journal, (Journal{"drop down", "change", "close up", "drop down", "close up"}));

  combo->SetStyle(csSimple);  // its list is always open
  combo->SetDroppedDown(true);
  EXPECT_FALSE(combo->DroppedDown());
}

TEST_F(ComboBoxTest, PropertiesAreReachedByName) {
  EXPECT_TRUE(combo->InheritsFrom("TCustomComboBox"));
  EXPECT_EQ(GetPropInfo(combo, "Style")->TypeName(), "TComboBoxStyle");
  EXPECT_EQ(PropType(combo, "Items"), tkStrings);
  SetPropValue(combo, "Style", "csDropDownList");
  SetPropValue(combo, "Items", "一\r\n二\r\n三");
  SetPropValue(combo, "ItemIndex", "1");
  EXPECT_EQ(GetPropValue(combo, "Text"), "二");
  EXPECT_EQ(GetPropValue(combo, "Style"), "csDropDownList");
  EXPECT_THROW(SetPropValue(combo, "Style", "csBogus"), EPropertyConvertError);
  EXPECT_EQ(combo->Style(), csDropDownList);
}

}  // namespace
}  // namespace qv::test
