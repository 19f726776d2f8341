#include "controls/select_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/glyph_library.h"
#include "controls/open_lookup.h"
#include "platform/core/exception.h"
#include "platform/text/code_page.h"
#include "platform/vcl/application.h"
#include "platform/vcl/edit.h"
#include "platform/vcl/form.h"
#include "platform/vcl/input_source.h"
#include "platform/vcl/type_info.h"

namespace ravlet {
namespace {

using Journal = std::vector<std::string>;

// A condition window in small: it answers the panel's lookup requests by
// noting the control asked for and the control that had the focus then.
class TLookupForm : public qv::TForm {
  QV_DECLARE_CLASS(TLookupForm)

 public:
  using qv::TForm::TForm;
  Journal* journal = nullptr;

 private:
  void WMOpenLookup(qv::TMessage& message) {
    const auto* control = LookupControlOf(message);
    const auto* focused = FocusedControl();
    journal->push_back("lookup " + control->Name() + " focused " +
                       (focused ? focused->Name() : std::string("none")));
  }
};

QV_DEFINE_CLASS(TLookupForm, qv::TForm, r) {
  r.Message(WM_OPENLOOKUP, &TLookupForm::WMOpenLookup);
}

// Glyphs of two images each; one number can be made to fail.
class TTestGlyphs : public TGlyphLibrary {
 public:
  int GetMaxBmpID() override { return 100; }
  bool LoadBmp(qv::TBitmap* bitmap, int id) override {
    if (id == failing) throw qv::Exception("glyph " + std::to_string(id) + " is damaged");
    bitmap->SetSize(32, 16);
    return true;
  }
  int failing = -1;
};

class SelectPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    glyphs = std::make_shared<TTestGlyphs>();
    SetGlyphLibrary(glyphs);
    qv::Application->SetInputSource(std::make_shared<qv::TScriptedInputSource>());
    form = qv::CreateUnowned<TLookupForm>();
    form->SetName("frmCondition");
    form->SetBounds(0, 0, 600, 400);
    form->journal = &journal;
    edOther = qv::Create<qv::TEdit>(form.get());
    edOther->SetName("edOther");
    edOther->SetParent(form.get());
    edOther->SetBounds(400, 300, 100, 21);
    panel = qv::Create<TSelectPanel>(form.get());
    panel->SetName("sp01");
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 353, 45);
  }
  void TearDown() override {
    form.reset();
    qv::Application->SetInputSource(nullptr);
    qv::Application->ProcessMessages();
    SetGlyphLibrary(nullptr);
  }

  void ShowForm() {
    form->Show();
    edOther->SetFocus();
  }

  std::shared_ptr<TTestGlyphs> glyphs;
  qv::TComponentPtr<TLookupForm> form;
  qv::TEdit* edOther = nullptr;
  TSelectPanel* panel = nullptr;
  Journal journal;
};

std::string BoundsText(const qv::TControl* control) {
  return control->Name() + " " + std::to_string(control->Left()) + "," +
         std::to_string(control->Top()) + " " + std::to_string(control->Width()) + "x" +
         std::to_string(control->Height());
}

struct LayoutCase {
  const char* label;
  std::function<void(TSelectPanel&)> setup;
  std::vector<std::string> expected;  // BoundsText of the named children
};

TEST_F(SelectPanelTest, LaysOutItsChildrenToThePixel) {
  const auto set_words = [](TSelectPanel& p, std::vector<std::string> begin,
                            std::vector<std::string> final) {
    qv::TStringList list;
    list.AddStrings(begin);
    p.SetBeginWords(list);
    list.Clear();
    list.AddStrings(final);
    p.SetFinalWords(list);
  };
  const LayoutCase cases[] = {
      {"one row, new panel",
       [](TSelectPanel&) {},
       {"pnlRange 2,16 348x26", "pnlList 2,16 348x26", "lblBegin 2,1 13x13", "edBegin 16,1 132x24",
        "btnBegin 150,1 23x23", "lblFinal 175,1 13x13", "edFinal 190,1 132x24",
        "btnFinal 324,1 23x23"}},
      {"one row, wider words",
       [&](TSelectPanel& p) {
         set_words(p, {"起始", "从"}, {"截止", "到"});
       },
       {"lblBegin 2,1 26x13", "edBegin 29,1 119x24", "btnBegin 150,1 23x23", "lblFinal 175,1 26x13",
        "edFinal 203,1 119x24", "btnFinal 324,1 23x23"}},
      {"one row without lookup buttons",
       [](TSelectPanel& p) { p.SetCanOpenWin(false); },
       {"edBegin 16,1 157x24", "lblFinal 177,1 13x13", "edFinal 192,1 157x24"}},
      {"one row, larger font: half-way tops truncate toward zero",
       [](TSelectPanel& p) { p.Font()->SetHeight(-20); },
       {"pnlRange 2,23 348x19", "lblBegin 2,-4 20x20", "edBegin 23,-4 125x28",
        "btnBegin 150,-4 23x23", "lblFinal 175,-4 20x20", "edFinal 197,-4 125x28"}},
      {"two rows after the size exchange",
       [](TSelectPanel& p) { p.SetUseVertical(true); },
       {"sp01 10,10 200x105", "pnlRange 2,16 195x86", "lblBegin 2,12 13x13", "edBegin 17,12 153x24",
        "btnBegin 171,12 23x23", "lblFinal 2,48 13x13", "edFinal 17,48 153x24",
        "btnFinal 171,48 23x23"}},
      {"two rows, second words and no buttons",
       [&](TSelectPanel& p) {
         set_words(p, {"起", "开始"}, {"止", "结束"});
         p.SetCanOpenWin(false);
         p.SetUseVertical(true);
       },
       {"lblBegin 2,12 26x13", "edBegin 30,12 165x24", "lblFinal 2,48 26x13",
        "edFinal 30,48 165x24"}},
      {"list",
       [](TSelectPanel& p) { p.SetStyle(sp_Discrete); },
       {"sp01 10,10 200x105", "pnlList 2,16 195x86", "pnlRange 2,16 195x86", "ListBox 0,0 169x86",
        "btnList 171,0 23x23", "btnDelete 171,23 23x23", "btnClear 171,46 23x23"}},
      {"user's choice",
       [](TSelectPanel& p) {
         p.SetStyle(sp_Discrete);
         p.SetStyle(sp_UserChoice);
       },
       {"sp01 10,10 200x105", "chkChoice 16,14 76x15", "pnlRange 2,29 196x74",
        "pnlList 2,29 196x74", "lblBegin 2,8 13x13", "edBegin 17,8 154x24", "btnBegin 172,8 23x23",
        "lblFinal 2,40 13x13", "edFinal 17,40 154x24", "ListBox 0,0 170x74", "btnList 172,0 23x23",
        "btnClear 172,46 23x23"}},
  };
  for (const LayoutCase& c : cases) {
    SetUp();
    c.setup(*panel);
    for (const std::string& expected : c.expected) {
      const std::string name = expected.substr(0, expected.find(' '));
      const qv::TControl* control =
          name == "sp01" ? panel : dynamic_cast<qv::TControl*>(panel->FindComponent(name));
      ASSERT_NE(control, nullptr) << name;
      EXPECT_EQ(BoundsText(control), expected) << c.label;
    }
    TearDown();
  }
}

TEST_F(SelectPanelTest, StyleChangesSwapSizesOnlyToAndFromTheOneRowRange) {
  panel->SetStyle(sp_Discrete);
  EXPECT_EQ(BoundsText(panel), "sp01 10,10 200x105");
  EXPECT_EQ(panel->OtherWidth(), 353);
  EXPECT_EQ(panel->OtherHeight(), 45);
  EXPECT_TRUE(panel->pnlList()->Visible());
  EXPECT_FALSE(panel->pnlRange()->Visible());

  panel->SetStyle(sp_UserChoice);
  EXPECT_EQ(BoundsText(panel), "sp01 10,10 200x105");
  EXPECT_TRUE(panel->chkChoice()->Visible());
  EXPECT_TRUE(panel->pnlRange()->Visible());

  panel->SetStyle(sp_Range);
  EXPECT_EQ(BoundsText(panel), "sp01 10,10 353x45");
  EXPECT_EQ(panel->OtherWidth(), 200);
  EXPECT_EQ(panel->OtherHeight(), 105);
  EXPECT_FALSE(panel->chkChoice()->Visible());

  panel->SetUseVertical(true);
  EXPECT_EQ(BoundsText(panel), "sp01 10,10 200x105");
  panel->SetStyle(sp_Discrete);
  EXPECT_EQ(BoundsText(panel), "sp01 10,10 200x105");
  panel->SetUseVertical(false);
  EXPECT_TRUE(panel->UseVertical());
}

TEST_F(SelectPanelTest, StyleChangingMayRefuseOrRedirectTheChange) {
  Journal events;
  panel->OnStyleChanging = [&](qv::TObject*, TSelectStyle current, TSelectStyle& next,
                               bool& accept) {
    events.push_back("changing " + std::to_string(current) + "->" + std::to_string(next));
    if (next == sp_Discrete) accept = false;
    if (next == sp_Range) next = sp_UserChoice;
  };
  panel->OnStyleChange = [&](qv::TObject*, TSelectStyle old_style, TSelectStyle new_style) {
    events.push_back("change " + std::to_string(old_style) + "->" + std::to_string(new_style) +
                     " reads " + std::to_string(panel->Style()));
  };

  panel->SetStyle(sp_Discrete);
  EXPECT_EQ(panel->Style(), sp_Range);
  EXPECT_EQ(BoundsText(panel), "sp01 10,10 353x45");
  EXPECT_EQ(BoundsText(panel->edBegin()), "edBegin 16,1 132x24");
  EXPECT_TRUE(panel->pnlRange()->Visible());

  panel->SetUseVertical(true);
  panel->SetStyle(sp_Range);
  EXPECT_EQ(panel->Style(), sp_UserChoice);
  EXPECT_EQ(events, (Journal{"changing 0->1", "changing 0->0", "change 0->2 reads 0"}));

  panel->OnStyleChanging = [](qv::TObject*, TSelectStyle, TSelectStyle& next, bool&) {
    next = static_cast<TSelectStyle>(7);
  };
  panel->SetStyle(sp_Range);
  EXPECT_EQ(panel->Style(), sp_UserChoice);
}

TEST_F(SelectPanelTest, TheChoiceBoxSwitchesPartsInTheUsersChoiceOnly) {
  int type_clicks = 0;
  panel->OnTypeClick = [&](qv::TObject* sender) {
    EXPECT_EQ(sender, panel);
    ++type_clicks;
  };
  panel->SetUserChoice(false);
  EXPECT_TRUE(panel->UserChoice());
  EXPECT_TRUE(panel->RangeActive());
  EXPECT_EQ(type_clicks, 0);

  panel->SetStyle(sp_UserChoice);
  ShowForm();
  panel->chkChoice()->Click();
  EXPECT_FALSE(panel->UserChoice());
  EXPECT_FALSE(panel->RangeActive());
  EXPECT_TRUE(panel->pnlList()->Visible());
  EXPECT_FALSE(panel->pnlRange()->Visible());
  EXPECT_EQ(type_clicks, 1);

  panel->SetUserChoice(true);
  EXPECT_TRUE(panel->chkChoice()->Checked());
  EXPECT_TRUE(panel->pnlRange()->Visible());
  EXPECT_EQ(type_clicks, 2);
}

TEST_F(SelectPanelTest, LoadingKeepsTheSizeAndEndsOnTheStoredChoice) {
  panel->BeginLoading();
  panel->SetStyle(sp_UserChoice);
  panel->SetUserChoice(false);
  panel->EndLoading();
  EXPECT_EQ(BoundsText(panel), "sp01 10,10 353x45");
  EXPECT_FALSE(panel->RangeActive());
  EXPECT_TRUE(panel->pnlList()->Visible());
  EXPECT_EQ(BoundsText(panel->ListBox()), "ListBox 0,0 323x14");
}

TEST_F(SelectPanelTest, PublishesItsPropertiesByNameWithTheirDefaults) {
  const std::pair<const char*, const char*> defaults[] = {
      {"AutoChangeDateSite", "True"},
      {"BeginWords", "起\r\n起\r\n"},
      {"ColumnsAutoSize", "True"},
      {"CanOpenWin", "True"},
      {"CheckDuplicate", "cd_None"},
      {"ChildHints", ""},
      {"ColumnCaptions", ""},
      {"DateType", "dt_NoneCare"},
      {"DateSign", "/"},
      {"Discard", ""},
      {"EditMask", ""},
      {"FinalWords", "止\r\n止\r\n"},
      {"GlyphIndex", "8"},
      {"HintWord", "区间选择"},
      {"HideSelection", "False"},
      {"OtherHeight", "105"},
      {"OtherWidth", "200"},
      {"ShowColumnHeader", "False"},
      {"SortListBox", "False"},
      {"Style", "sp_Range"},
      {"UseDiscard", "False"},
      {"UserChoice", "True"},
      {"UseVertical", "False"},
      {"ValueType", "vt_String"},
  };
  std::vector<std::string> published;
  for (const qv::TPropInfo* prop : qv::GetPropList(panel)) published.push_back(prop->Name);
  size_t next = 0;
  for (const auto& [name, value] : defaults) {
    if (std::string(name) != "ChildHints") {
      EXPECT_EQ(qv::GetPropValue(panel, name), value) << name;
    }
    const auto at = std::find(published.begin() + next, published.end(), name);
    EXPECT_NE(at, published.end()) << name << " missing or out of the stored order";
    if (at != published.end()) next = at - published.begin() + 1;
  }
  EXPECT_NE(qv::GetPropValue(panel, "ChildHints"), "");

  qv::SetPropValue(panel, "DateType", "dt_YYYMMDD");
  EXPECT_EQ(panel->DateType(), dt_YYYMMDD);
  qv::SetPropValue(panel, "Style", "sp_UserChoice");
  qv::SetPropValue(panel, "UserChoice", "False");
  EXPECT_FALSE(panel->RangeActive());
  EXPECT_EQ(qv::GetPropValue(panel, "Style"), "sp_UserChoice");
}

struct ExitCase {
  const char* label;
  TValueType value_type;
  const char* edit_mask;
  const char* begin;
  const char* end;
  const char* begin_after;
  const char* end_after;
};

TEST_F(SelectPanelTest, LeavingThePanelPutsTheRangeInOrderBeforeOnExit) {
  const ExitCase cases[] = {
      {"exchanged", vt_String, "", "B", "A", "A", "B"},
      {"trimmed and written back", vt_String, "", "  A ", " B", "A", "B"},
      {"a mask without ! is trimmed first", vt_String, "ccc;1;_", " B", "A", "A  ", "B  "},
      {"a mask with ! is compared untrimmed", vt_String, "!ccc;1;_", " B", "A", " B ", "A  "},
      {"an empty masked end is left alone", vt_String, "9999/99/99;1;_", "2024/01/01", "",
       "2024/01/01", "    /  /  "},
      {"dates under the date mask", vt_Date, "9999/99/99;1;_", "20231201", "20231115", "2023/11/15",
       "2023/12/01"},
      {"empty end", vt_String, "", "B", "  ", "B", ""},
      {"floats rewritten, then exchanged", vt_Float, "", "010.50", "9.7", "9.7", "10.50"},
      {"numbers", vt_Number, "", "10", "9", "9", "10"},
  };
  ShowForm();
  panel->SetDateType(dt_YYYYMMDD);
  for (const ExitCase& c : cases) {
    panel->SetValueType(c.value_type);
    panel->SetEditMask(c.edit_mask);
    panel->edBegin()->SetText(c.begin);
    panel->edFinal()->SetText(c.end);
    std::string seen;
    panel->OnExit = [&](qv::TObject* sender) {
      EXPECT_EQ(sender, panel);
      seen = panel->edBegin()->Text() + "|" + panel->edFinal()->Text();
    };
    panel->edBegin()->SetFocus();
    const std::string begin_shown = panel->edBegin()->Text();
    panel->edFinal()->SetFocus();
    EXPECT_EQ(panel->edBegin()->Text(), begin_shown) << c.label << ": ordered inside the panel";
    edOther->SetFocus();
    EXPECT_EQ(seen, std::string(c.begin_after) + "|" + c.end_after) << c.label;
  }
}

TEST_F(SelectPanelTest, LookupButtonsFocusTheirChildAndAskTheOwnerWindow) {
  panel->SetStyle(sp_UserChoice);
  ShowForm();
  panel->OnOpenWinClick = [&](qv::TObject* parent, qv::TObject* child) {
    journal.push_back("event " + static_cast<qv::TComponent*>(parent)->Name() + " " +
                      static_cast<qv::TComponent*>(child)->Name());
  };
  panel->btnBegin()->Click();
  panel->btnFinal()->Click();
  panel->SetUserChoice(false);
  panel->btnList()->Click();
  EXPECT_EQ(journal, (Journal{"lookup edBegin focused edBegin", "event sp01 edBegin",
                              "lookup edFinal focused edFinal", "event sp01 edFinal",
                              "lookup ListBox focused ListBox", "event sp01 ListBox"}));
}

TEST_F(SelectPanelTest, DeleteRemovesSelectedRowsUnlessRefusedAndClearEmptiesTheList) {
  panel->SetStyle(sp_Discrete);
  ShowForm();
  TLumListView* list = panel->ListBox();
  for (const char* code : {"A1", "B2", "C3", "D4"}) list->AddRow({code, "x"});
  list->Items()->Item(1)->SetSelected(true);
  list->Items()->Item(2)->SetSelected(true);

  bool accept = false;
  panel->OnDeleteClick = [&](qv::TObject* sender, bool& allow) {
    EXPECT_EQ(sender, panel->btnDelete());
    EXPECT_TRUE(allow);
    allow = accept;
  };
  panel->btnDelete()->Click();
  EXPECT_EQ(list->Items()->Count(), 4);
  accept = true;
  panel->btnDelete()->Click();
  ASSERT_EQ(list->Items()->Count(), 2);
  EXPECT_EQ(list->Items()->Item(1)->Caption(), "D4");

  qv::TObject* cleared_by = nullptr;
  panel->OnClearClick = [&](qv::TObject* sender) { cleared_by = sender; };
  panel->btnClear()->Click();
  EXPECT_EQ(list->Items()->Count(), 0);
  EXPECT_EQ(list->Columns()->Count(), 2);
  EXPECT_TRUE(list->Focused());
  EXPECT_EQ(cleared_by, panel->btnClear());
}

TEST_F(SelectPanelTest, ListPropertiesAndEventsGoThroughToTheList) {
  TLumListView* list = panel->ListBox();
  Journal events;
  panel->OnItemSelect = [&](qv::TObject* sender, qv::TListItem* item, int index, bool selected) {
    events.push_back(static_cast<qv::TComponent*>(sender)->Name() + " " + item->Caption() + " " +
                     std::to_string(index) + (selected ? " on" : " off"));
  };
  panel->OnItemChanging = [&](qv::TObject*, qv::TListItem*, qv::TItemChange change, bool& allow) {
    if (change == qv::ctState) allow = !events.empty();
  };
  list->AddRow({"b"});
  list->AddRow({"a"});
  list->Items()->Item(1)->SetSelected(true);
  EXPECT_TRUE(events.empty());
  events.push_back("refused once");
  list->Items()->Item(1)->SetSelected(true);
  list->Items()->Item(1)->SetSelected(false);
  EXPECT_EQ(events, (Journal{"refused once", "ListBox a 1 on", "ListBox a 1 off"}));

  panel->SetColumnsAutoSize(false);
  EXPECT_FALSE(list->ColumnsAutoSize());
  panel->SetShowColumnHeader(true);
  EXPECT_TRUE(list->ShowColumnHeaders());
  panel->SetHideSelection(true);
  EXPECT_TRUE(list->HideSelection());

  qv::TStringList captions;
  captions.AddStrings(std::vector<std::string>{"Code", "Name"});
  panel->SetColumnCaptions(captions);
  EXPECT_EQ(list->Columns()->Count(), 2);
  EXPECT_EQ(panel->ColumnCaptions()->CommaText(), "Code,Name");
  EXPECT_EQ(qv::GetPropValue(panel, "ColumnCaptions"), "Code\r\nName\r\n");
  EXPECT_EQ(panel->Items(), list->Items());
  EXPECT_EQ(panel->Columns(), list->Columns());
}

TEST_F(SelectPanelTest, DuplicateCheckSortsAndWalksTheListWhenItIsInUse) {
  for (TSelectStyle style : {sp_Discrete, sp_Range}) {
    SetUp();
    panel->SetStyle(style);
    for (const char* code : {"b", "a", "B"}) panel->ListBox()->AddRow({code});
    panel->SetCheckDuplicate(cd_CaseInsensitive);
    EXPECT_TRUE(panel->SortListBox());
    EXPECT_EQ(panel->ListBox()->Items()->Count(), style == sp_Discrete ? 2 : 3) << style;
    panel->SetCheckDuplicate(cd_None);
    EXPECT_TRUE(panel->SortListBox());
    TearDown();
  }
}

TEST_F(SelectPanelTest, WordListsKeepTwoEntriesAndShowThemByArrangement) {
  qv::TStringList words;
  words.AddStrings(std::vector<std::string>{"从", "自", "由"});
  panel->SetBeginWords(words);
  EXPECT_EQ(panel->BeginWords()->CommaText(), "从,自");
  EXPECT_EQ(panel->lblBegin()->Caption(), "从");

  panel->SetStyle(sp_UserChoice);
  EXPECT_EQ(panel->lblBegin()->Caption(), "自");
  panel->BeginWords()->SetString(1, "起始");
  EXPECT_EQ(panel->lblBegin()->Caption(), "起始");
  EXPECT_EQ(BoundsText(panel->edBegin()), "edBegin 30,8 141x24");

  words.Clear();
  words.Add("单");
  panel->SetBeginWords(words);
  EXPECT_EQ(panel->lblBegin()->Caption(), "单");
  panel->SetBeginWords(qv::TStringList());
  EXPECT_EQ(panel->BeginWords()->Count(), 0);
  panel->SetStyle(sp_Range);
  EXPECT_EQ(panel->lblBegin()->Caption(), "");
}

TEST_F(SelectPanelTest, ChildHintsReachTheChildrenWhenTheListChanges) {
  EXPECT_EQ(panel->edBegin()->Hint(), "");
  qv::TStringList hints;
  for (int i = 0; i < 11; ++i) hints.Add("hint " + std::to_string(i));
  panel->SetChildHints(hints);
  EXPECT_EQ(panel->chkChoice()->Hint(), "hint 0");
  EXPECT_EQ(panel->btnFinal()->Hint(), "hint 4");
  EXPECT_EQ(panel->btnClear()->Hint(), "hint 8");
  panel->ChildHints()->SetString(5, "rows");
  EXPECT_EQ(panel->ListBox()->Hint(), "rows");

  panel->SetHintWord("范围");
  EXPECT_EQ(panel->chkChoice()->Caption(), "范围");
  EXPECT_EQ(panel->chkChoice()->Width(), 26 + 24);
}

TEST_F(SelectPanelTest, EnabledReachesEveryControlInside) {
  panel->SetEnabled(false);
  EXPECT_FALSE(panel->EnabledValue());
  for (const qv::TControl* control : std::initializer_list<const qv::TControl*>{
           panel->pnlRange(), panel->lblBegin(), panel->edFinal(), panel->ListBox(),
           panel->btnClear(), panel->chkChoice()})
    EXPECT_FALSE(control->Enabled()) << control->Name();
  panel->SetEnabled(true);
  EXPECT_TRUE(panel->edFinal()->Enabled());
}

TEST_F(SelectPanelTest, FocusGoesOnToTheListWhenTheListIsInUse) {
  panel->SetStyle(sp_Discrete);
  ShowForm();
  panel->SetFocus();
  EXPECT_TRUE(panel->ListBox()->Focused());
}

TEST_F(SelectPanelTest, KeysOfTheChildrenArePassedOnWithTheChildAsSender) {
  Journal keys;
  panel->OnKeyDown = [&](qv::TObject* sender, qv::Word& key, qv::TShiftState) {
    keys.push_back(static_cast<qv::TComponent*>(sender)->Name() + " " + std::to_string(key));
  };
  panel->OnKeyPress = [&](qv::TObject* sender, char32_t& key) {
    keys.push_back(static_cast<qv::TComponent*>(sender)->Name() + " '" +
                   std::string(1, static_cast<char>(key)) + "'");
  };
  qv::Word f2 = qv::VK_F2;
  panel->edFinal()->DoKeyDown(f2, {});
  char32_t x = U'x';
  panel->ListBox()->DoKeyPress(x);
  EXPECT_EQ(keys, (Journal{"edFinal 113", "ListBox 'x'"}));
}

TEST_F(SelectPanelTest, TheEditMaskGoesToBothEditsWithoutAChangeOfTheBeginEdit) {
  panel->edBegin()->SetText("AB");
  panel->edFinal()->SetText("CD");
  int begin_changes = 0;
  int final_changes = 0;
  panel->edBegin()->OnChange = [&](qv::TObject*) { ++begin_changes; };
  panel->edFinal()->OnChange = [&](qv::TObject*) { ++final_changes; };
  panel->SetEditMask("cccc;1;_");
  EXPECT_EQ(panel->EmptyMaskText(), "    ");
  EXPECT_EQ(panel->edBegin()->Text(), "AB  ");
  EXPECT_EQ(panel->edFinal()->EditMask(), "cccc;1;_");
  EXPECT_EQ(begin_changes, 0);
  EXPECT_GT(final_changes, 0);
  EXPECT_FALSE(panel->edBegin()->SuppressChange());
  panel->edBegin()->SetText("X");
  EXPECT_EQ(begin_changes, 1);

  panel->SetEditMask("9999/99/99;1;_");
  EXPECT_EQ(panel->EmptyMaskText(), "    /  /  ");
}

TEST_F(SelectPanelTest, GlyphIndexGoesToTheThreeLookupButtons) {
  for (TGSpeedButton* button :
       {static_cast<TGSpeedButton*>(panel->btnBegin()),
        static_cast<TGSpeedButton*>(panel->btnList()), panel->btnDelete(), panel->btnClear()}) {
    EXPECT_TRUE(button->Flat()) << button->Name();
    EXPECT_EQ(BoundsText(button).substr(BoundsText(button).rfind(' ')), " 23x23");
    EXPECT_EQ(button->Caption(), "") << button->Name();
  }
  EXPECT_EQ(panel->btnFinal()->GlyphIndex(), 8);
  EXPECT_EQ(panel->btnFinal()->NumGlyphs(), 1);
  EXPECT_EQ(panel->btnDelete()->GlyphIndex(), 47);
  EXPECT_EQ(panel->btnDelete()->NumGlyphs(), 1);
  EXPECT_EQ(panel->btnClear()->GlyphIndex(), 4);
  EXPECT_EQ(panel->btnClear()->NumGlyphs(), 2);

  panel->SetGlyphIndex(9);
  EXPECT_EQ(panel->GlyphIndex(), 9);
  for (TF2Button* button : {panel->btnBegin(), panel->btnFinal(), panel->btnList()})
    EXPECT_EQ(button->GlyphIndex(), 9) << button->Name();

  // The button's error dialog cannot be answered here, so the number is not
  // passed on: the lookup buttons lose their glyph and the panel keeps 9.
  glyphs->failing = 12;
  panel->SetGlyphIndex(12);
  EXPECT_EQ(panel->GlyphIndex(), 9);
  for (TF2Button* button : {panel->btnBegin(), panel->btnFinal(), panel->btnList()})
    EXPECT_EQ(button->GlyphIndex(), 0) << button->Name();
}

TEST_F(SelectPanelTest, AListPressIsHandledOnlyOnceTheListHasTheFocus) {
  panel->SetStyle(sp_Discrete);
  ShowForm();
  TLumListView* list = panel->ListBox();
  list->AddRow({"A1"});
  list->AddRow({"B2"});
  const auto press = [&] {
    list->Perform(qv::WM_LBUTTONDOWN, qv::MK_LBUTTON, qv::MakeLParam(5, 5));
    list->Perform(qv::WM_LBUTTONUP, 0, qv::MakeLParam(5, 5));
  };
  list->OnEnter = [&](qv::TObject*) { edOther->SetFocus(); };
  press();
  EXPECT_FALSE(list->Focused());
  EXPECT_EQ(list->SelCount(), 0);
  list->OnEnter = nullptr;
  press();
  EXPECT_TRUE(list->Focused());
  EXPECT_TRUE(list->Items()->Item(0)->Selected());
}

TEST_F(SelectPanelTest, InADesignerStyleEventsVisibilityAndLookupsStayOut) {
  panel->SetDesigning(true);
  bool raised = false;
  panel->OnStyleChanging = [&](qv::TObject*, TSelectStyle, TSelectStyle&, bool&) { raised = true; };
  panel->OnStyleChange = [&](qv::TObject*, TSelectStyle, TSelectStyle) { raised = true; };
  panel->SetStyle(sp_Discrete);
  EXPECT_FALSE(raised);
  EXPECT_EQ(panel->Style(), sp_Discrete);
  EXPECT_TRUE(panel->pnlRange()->Visible());
  EXPECT_EQ(BoundsText(panel->ListBox()), "ListBox 0,0 169x86");
  panel->btnList()->Click();
  EXPECT_TRUE(journal.empty());
  EXPECT_TRUE(panel->chkChoice()->Checked());
}

}  // namespace
}  // namespace ravlet
