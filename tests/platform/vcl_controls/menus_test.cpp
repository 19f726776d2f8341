#include "platform/vcl/menus.h"

#include <gtest/gtest.h>

#include "platform/vcl/type_info.h"
#include "platform/vcl_controls/controls_fixture.h"

namespace qv::test {
namespace {

class MenusTest : public ControlsTest {
 protected:
  MenusTest() {
    menu = Create<TPopupMenu>(form.get());
    menu->SetName("pmDates");
  }
  TMenuItem* Item(const std::string& name, TMenuItem* parent, bool radio = false,
                  uint8_t group = 0) {
    TMenuItem* item = Create<TMenuItem>(form.get());
    item->SetName(name);
    item->SetCaption("&" + name);
    item->SetRadioItem(radio);
    item->SetGroupIndex(group);
    parent->Add(item);
    return item;
  }
  // "1" for each checked item of the menu's first level, "0" otherwise.
  std::string Checks() const {
    std::string marks;
    for (int i = 0; i < menu->Items()->Count(); ++i)
      marks += menu->Items()->Items(i)->Checked() ? '1' : '0';
    return marks;
  }
  TPopupMenu* menu;
};

TEST_F(MenusTest, CheckingARadioItemUnchecksItsGroupUnderTheSameParent) {
  TMenuItem* root = menu->Items();
  TMenuItem* a = Item("miA", root, true, 1);
  TMenuItem* b = Item("miB", root, true, 1);
  TMenuItem* c = Item("miC", root, true, 2);
  TMenuItem* d = Item("miD", root, false, 1);
  TMenuItem* e = Item("miE", root, true, 1);
  TMenuItem* nested = Item("miNested", a, true, 1);
  struct Step {
    std::function<void()> change;
    const char* checks;  // miA miB miC miD miE
  };
  const Step steps[] = {
      {[&] { a->SetChecked(true); }, "10000"},
      {[&] { d->SetChecked(true); }, "10010"},
      {[&] { c->SetChecked(true); }, "10110"},
      {[&] { nested->SetChecked(true); }, "10110"},  // another parent
      {[&] { b->SetChecked(true); }, "01110"},
      {[&] { c->SetGroupIndex(1); }, "00110"},  // joins group 1, checked
      {[&] { e->SetChecked(true); }, "00011"},
      {[&] { b->SetChecked(true), b->SetRadioItem(false); }, "01010"},
      {[&] { a->SetRadioItem(true), a->SetChecked(true); }, "11010"},
  };
  for (const Step& s : steps) {
    s.change();
    EXPECT_EQ(Checks(), s.checks);
  }
  EXPECT_TRUE(nested->Checked());

  // A checked radio item put into the menu unchecks its group there.
  TMenuItem* f = Create<TMenuItem>(form.get());
  f->SetRadioItem(true);
  f->SetGroupIndex(1);
  f->SetChecked(true);
  root->Insert(0, f);
  EXPECT_EQ(Checks(), "101010");
}

TEST_F(MenusTest, ClickRunsOnEnabledItemsAndAutoCheckToggles) {
  TMenuItem* plain = Item("miPlain", menu->Items());
  TMenuItem* toggle = Item("miToggle", menu->Items());
  TMenuItem* radio = Item("miRadio", menu->Items(), true);
  toggle->SetAutoCheck(true);
  radio->SetAutoCheck(true);
  for (TMenuItem* item : {plain, toggle, radio}) item->OnClick = Note(item->Name());
  plain->Click();
  toggle->Click();
  radio->Click();
  radio->Click();  // a radio item stays checked
  EXPECT_EQ(Checks(), "011");
  toggle->Click();
  plain->SetEnabled(false);
  plain->Click();
  EXPECT_EQ(Checks(), "001");
  EXPECT_EQ(journal, (Journal{"miPlain", "miToggle", "miRadio", "miRadio", "miToggle"}));
}

TEST_F(MenusTest, ItemsFormATreeWithoutCyclesOrDoubles) {
  TMenuItem* file = Item("miFile", menu->Items());
  TMenuItem* open = Item("miOpen", file);
  TMenuItem* save = Item("miSave", file);
  EXPECT_EQ(file->Count(), 2);
  EXPECT_EQ(save->MenuIndex(), 1);
  EXPECT_EQ(open->GetParentMenu(), menu);
  EXPECT_EQ(file->Find("MISAVE"), save);  // captions are "&miSave" ...
  EXPECT_EQ(file->Find("mi&Open"), open);
  EXPECT_EQ(file->Find("Close"), nullptr);

  save->SetMenuIndex(0);
  EXPECT_EQ(file->Items(0), save);
  const std::function<void()> bad[] = {
      [&] { file->Add(open); },  // already in the menu
      [&] { open->Add(file); },  // below itself
      [&] { file->Items(2); },
      [&] { file->Delete(-1); },
      [&] { menu->Items()->Add(menu->Items()); },
  };
  for (const auto& call : bad) EXPECT_THROW(call(), EMenuError);

  file->Remove(open);  // taken out, not freed
  EXPECT_EQ(open->Parent(), nullptr);
  EXPECT_EQ(form->FindComponent("miOpen"), open);
  menu->Items()->Add(open);
  EXPECT_EQ(open->GetParentMenu(), menu);
}

TEST_F(MenusTest, FreeingAnItemFreesTheItemsBelowIt) {
  TMenuItem* file = Item("miFile", menu->Items());
  Item("miOpen", file);
  TMenuItem* recent = Item("miRecent", file);
  Item("miFirst", recent);
  TMenuItem* save = Item("miSave", file);
  save->Free();
  EXPECT_EQ(file->Count(), 2);
  recent->Free();
  EXPECT_EQ(form->FindComponent("miFirst"), nullptr);
  EXPECT_EQ(file->Count(), 1);
  file->Clear();
  EXPECT_EQ(form->FindComponent("miOpen"), nullptr);
  Item("miLast", file);
  menu->Free();  // the root goes and takes the items with it
  EXPECT_EQ(form->FindComponent("miFile"), nullptr);
  EXPECT_EQ(form->FindComponent("miLast"), nullptr);
}

TEST_F(MenusTest, APopupRecordsWhereAndForWhom) {
  menu->OnPopup = Note("popup");
  menu->SetPopupComponent(other);
  menu->Popup(120, 45);
  EXPECT_EQ(menu->PopupPoint(), (TPoint{120, 45}));
  EXPECT_EQ(menu->PopupCount(), 1);
  EXPECT_EQ(menu->PopupComponent(), other);
  other->Free();
  EXPECT_EQ(menu->PopupComponent(), nullptr);
  EXPECT_EQ(journal, Journal{"popup"});
}

TEST_F(MenusTest, MenusAreReachedByName) {
  Item("miToday", menu->Items());
  EXPECT_TRUE(menu->InheritsFrom("TMenu"));
  const int changes = menu->ChangeCount();
  SetOrdProp(menu, "OwnerDraw", 1);
  EXPECT_TRUE(menu->OwnerDraw());
  EXPECT_EQ(GetObjectProp(menu, "Items"), menu->Items());
  EXPECT_EQ(PropType(menu, "Items"), tkClass);
  SetPropValue(menu->Items()->Items(0), "Caption", "今天");
  EXPECT_EQ(menu->Items()->Items(0)->Caption(), "今天");
  SetPropValue(menu->Items()->Items(0), "RadioItem", "True");
  EXPECT_EQ(menu->ChangeCount(), changes + 3);
}

}  // namespace
}  // namespace qv::test
