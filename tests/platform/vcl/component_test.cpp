#include "platform/vcl/component.h"

#include <gtest/gtest.h>

#include "platform/vcl/test_widget.h"

namespace qv::test {
namespace {

TTestWidget* NewWidget(TComponent* owner, const std::string& name,
                       std::vector<std::string>* journal = nullptr) {
  TTestWidget* widget = Create<TTestWidget>(owner);
  widget->SetName(name);
  widget->journal = journal;
  return widget;
}

TEST(Component, OwnerFreesWhatItOwnsLastCreatedFirst) {
  std::vector<std::string> journal;
  {
    auto root = CreateUnowned<TTestWidget>();
    root->SetName("Root");
    root->journal = &journal;
    TTestWidget* a = NewWidget(root.get(), "A", &journal);
    NewWidget(a, "A1", &journal);
    NewWidget(root.get(), "B", &journal);
    ASSERT_EQ(root->ComponentCount(), 2);
    EXPECT_EQ(root->Components(0), a);
    EXPECT_EQ(a->Owner(), root.get());
  }
  const std::vector<std::string> expected = {"free Root (destroying)", "free B (destroying)",
                                             "free A (destroying)", "free A1 (destroying)"};
  EXPECT_EQ(journal, expected);
}

TEST(Component, FindComponentIgnoresCaseAndNamesAreChecked) {
  auto root = CreateUnowned<TTestWidget>();
  TTestWidget* edit = NewWidget(root.get(), "edBegin");
  EXPECT_EQ(root->FindComponent("EDBEGIN"), edit);
  EXPECT_EQ(root->FindComponentAs<TTestWidget>("edbegin"), edit);
  EXPECT_EQ(root->FindComponent("edFinal"), nullptr);
  EXPECT_EQ(root->FindComponent(""), nullptr);

  TTestWidget* other = NewWidget(root.get(), "edFinal");
  struct Case {
    const char* name;
    bool valid;
  };
  const Case cases[] = {{"EDBEGIN", false}, {"1st", false}, {"a b", false},   {"选择", false},
                        {"_x9", true},      {"", true},     {"edFinal", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.valid) {
      EXPECT_NO_THROW(other->SetName(c.name));
    } else {
      EXPECT_THROW(other->SetName(c.name), EComponentError);
    }
  }
  EXPECT_THROW(root->Components(5), EListError);
}

TEST(Component, OwnerAndSiblingsHearOfInsertAndRemove) {
  auto root = CreateUnowned<TTestWidget>();
  TTestWidget* first = NewWidget(root.get(), "First");
  TTestWidget* second = NewWidget(root.get(), "Second");
  ASSERT_FALSE(root->notices.empty());
  EXPECT_EQ(root->notices.back(), std::make_pair(static_cast<TComponent*>(second), opInsert));
  EXPECT_EQ(first->notices.back(), std::make_pair(static_cast<TComponent*>(second), opInsert));

  second->Free();
  EXPECT_EQ(root->ComponentCount(), 1);
  EXPECT_EQ(root->notices.back(), std::make_pair(static_cast<TComponent*>(second), opRemove));
  EXPECT_EQ(first->notices.back(), std::make_pair(static_cast<TComponent*>(second), opRemove));
}

TEST(Component, FreeNotificationClearsLinksAcrossOwners) {
  auto form1 = CreateUnowned<TTestWidget>();
  auto form2 = CreateUnowned<TTestWidget>();
  TTestWidget* label = NewWidget(form1.get(), "Label");
  TTestWidget* edit = NewWidget(form2.get(), "Edit");
  label->SetBuddy(edit);
  edit->Free();
  EXPECT_EQ(label->Buddy(), nullptr);

  // The link works both ways: freeing the label leaves no stale entry behind.
  TTestWidget* edit2 = NewWidget(form2.get(), "Edit2");
  label->SetBuddy(edit2);
  label->Free();
  edit2->Free();
  EXPECT_EQ(form1->ComponentCount(), 0);
  EXPECT_EQ(form2->ComponentCount(), 0);
}

TEST(Component, HolderEmptiesWhenTheComponentFreesItself) {
  auto widget = CreateUnowned<TTestWidget>();
  ASSERT_TRUE(widget);
  widget->Free();
  EXPECT_FALSE(widget);
  EXPECT_EQ(widget.get(), nullptr);
}

TEST(Component, OwnershipMovesWithInsertAndRemove) {
  auto root = CreateUnowned<TTestWidget>();
  TTestWidget* child = NewWidget(root.get(), "Child");
  TComponentPtr<TComponent> held = root->RemoveComponent(child);
  EXPECT_EQ(child->Owner(), nullptr);
  EXPECT_EQ(root->ComponentCount(), 0);
  EXPECT_EQ(held.get(), child);

  auto other = CreateUnowned<TTestWidget>();
  NewWidget(other.get(), "Child");
  EXPECT_THROW(other->InsertComponent(std::move(held)), EComponentError);
  ASSERT_TRUE(held);
  root->InsertComponent(std::move(held));
  EXPECT_FALSE(held);
  EXPECT_EQ(child->Owner(), root.get());
  EXPECT_EQ(root->FindComponent("child"), child);
}

TEST(Component, LoadingEndsRootFirstAndDesigningFollowsTheOwner) {
  std::vector<std::string> journal;
  auto root = CreateUnowned<TTestWidget>();
  root->SetName("Root");
  root->journal = &journal;
  TTestWidget* a = NewWidget(root.get(), "A", &journal);
  TTestWidget* a1 = NewWidget(a, "A1", &journal);
  root->BeginLoading();
  EXPECT_TRUE(a1->IsLoading());
  root->EndLoading();
  EXPECT_FALSE(a1->IsLoading());
  const std::vector<std::string> expected = {"loaded Root", "loaded A", "loaded A1"};
  EXPECT_EQ(journal, expected);
  journal.clear();
  root->journal = nullptr;
  a->journal = nullptr;
  a1->journal = nullptr;

  root->SetDesigning(true);
  EXPECT_TRUE(a1->IsDesigning());
  EXPECT_TRUE(Create<TTestWidget>(a)->IsDesigning());
}

TEST(Component, ClassNamesFollowTheClassChain) {
  auto gadget = CreateUnowned<TTestGadget>();
  EXPECT_EQ(gadget->ClassName(), "TTestGadget");
  EXPECT_TRUE(gadget->InheritsFrom("ttestwidget"));
  EXPECT_FALSE(gadget->InheritsFrom("TFont"));
  const std::vector<std::string> below = {"TTestWidget", "TTestGadget"};
  EXPECT_EQ(gadget->ClassInfo().ClassNamesBelow("TComponent"), below);
  const std::vector<std::string> whole = {"TObject", "TPersistent", "TComponent", "TTestWidget",
                                          "TTestGadget"};
  EXPECT_EQ(gadget->ClassInfo().ClassNamesBelow("TForm"), whole);
  // Properties are inherited along the chain.
  EXPECT_NE(gadget->ClassInfo().FindProperty("caption"), nullptr);
}

}  // namespace
}  // namespace qv::test
