#include "platform/vcl/tree_view.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/vcl/type_info.h"
#include "platform/vcl_controls/controls_fixture.h"

namespace qv::test {
namespace {

class TreeViewTest : public ControlsTest {
 protected:
  // A(A1(A1a, A1b), A2), B, C(C1)
  TreeViewTest() {
    tree = Place<TTreeView>("tvGroups");
    TTreeNodes* n = tree->Items();
    a = n->Add(nullptr, "A");
    a1 = n->AddChild(a, "A1");
    n->AddChild(a1, "A1a");
    n->AddChild(a1, "A1b");
    n->AddChild(a, "A2");
    b = n->Add(a, "B");
    c = n->Add(nullptr, "C");
    n->AddChild(c, "C1");
  }
  std::string Flat() const {
    std::string text;
    for (int i = 0; i < tree->Items()->Count(); ++i) {
      TTreeNode* node = tree->Items()->Item(i);
      EXPECT_EQ(node->AbsoluteIndex(), i);
      text += (i ? " " : "") + node->Text();
    }
    return text;
  }
  TTreeNode* Find(const std::string& text) const {
    for (int i = 0; i < tree->Items()->Count(); ++i)
      if (tree->Items()->Item(i)->Text() == text) return tree->Items()->Item(i);
    return nullptr;
  }
  void RecordSelection() {
    tree->OnChange = [this](TObject*, TTreeNode* node) {
      journal.push_back("change " + (node ? node->Text() : std::string("none")));
    };
  }
  TTreeView* tree;
  TTreeNode* a;
  TTreeNode* a1;
  TTreeNode* b;
  TTreeNode* c;
};

TEST_F(TreeViewTest, AbsoluteIndexesCountEveryNodeDepthFirst) {
  struct Case {
    const char* change;
    std::function<void()> apply;
    const char* flat;
  };
  const Case cases[] = {
      {"built", [] {}, "A A1 A1a A1b A2 B C C1"},
      {"insert before B", [&] { tree->Items()->Insert(b, "X"); }, "A A1 A1a A1b A2 X B C C1"},
      {"first child", [&] { tree->Items()->AddChildFirst(c, "C0"); },
       "A A1 A1a A1b A2 X B C C0 C1"},
      {"first on top", [&] { tree->Items()->AddFirst(c, "Z"); }, "Z A A1 A1a A1b A2 X B C C0 C1"},
      {"delete a subtree", [&] { a1->Delete(); }, "Z A A2 X B C C0 C1"},
      {"move under B", [&] { c->MoveTo(b, naAddChild); }, "Z A A2 X B C C0 C1"},
      {"move before A", [&] { Find("C1")->MoveTo(a, naInsert); }, "Z C1 A A2 X B C C0"},
      {"move to the end", [&] { Find("Z")->MoveTo(b, naAdd); }, "C1 A A2 X B C C0 Z"},
      {"children gone", [&] { b->DeleteChildren(); }, "C1 A A2 X B Z"},
  };
  for (const Case& k : cases) {
    k.apply();
    EXPECT_EQ(Flat(), k.flat) << k.change;
  }
  EXPECT_EQ(b->Level(), 0);
  EXPECT_EQ(Find("A2")->Level(), 1);
  EXPECT_THROW(tree->Items()->Item(6), ETreeViewError);
  EXPECT_THROW(tree->Items()->Item(-1), ETreeViewError);
  EXPECT_THROW(a->Item(1), ETreeViewError);
  EXPECT_THROW(a->MoveTo(Find("A2"), naAddChild), ETreeViewError);
  EXPECT_THROW(a->MoveTo(a, naAddChildFirst), ETreeViewError);
  EXPECT_EQ(Flat(), "C1 A A2 X B Z");
}

TEST_F(TreeViewTest, KeysWalkTheShownLines) {
  form->Show();
  tree->SetFocus();
  RecordSelection();
  struct Step {
    Word key;
    const char* selected;
  };
  const Step steps[] = {
      {VK_DOWN, "A"},   {VK_DOWN, "B"},   {VK_UP, "A"},     {VK_RIGHT, "A"},
      {VK_RIGHT, "A1"}, {VK_RIGHT, "A1"}, {VK_DOWN, "A1a"}, {VK_END, "C"},
      {VK_UP, "B"},     {VK_HOME, "A"},   {VK_DOWN, "A1"},  {VK_LEFT, "A1"},
      {VK_DOWN, "A2"},  {VK_LEFT, "A"},   {VK_LEFT, "A"},   {VK_DOWN, "B"},
  };
  for (const Step& s : steps) {
    DeliverKeystroke(tree, s.key);
    ASSERT_NE(tree->Selected(), nullptr);
    EXPECT_EQ(tree->Selected()->Text(), s.selected) << "key " << s.key;
  }
  EXPECT_FALSE(a->Expanded());  // the last Left collapsed it
  EXPECT_EQ(journal.size(), 12u);
}

TEST_F(TreeViewTest, SelectionAsksFirstAndShowsTheNode) {
  RecordSelection();
  tree->OnChanging = [this](TObject*, TTreeNode* node, bool& allow) { allow = node != b; };
  tree->OnExpanding = [this](TObject*, TTreeNode* node, bool&) {
    journal.push_back("expand " + node->Text());
  };
  TTreeNode* deep = Find("A1b");
  EXPECT_TRUE(tree->SetSelected(deep));
  EXPECT_TRUE(deep->IsVisible());
  EXPECT_FALSE(tree->SetSelected(b));
  EXPECT_TRUE(deep->Selected());
  a->Collapse(false);  // the selection inside moves to the collapsed node
  EXPECT_EQ(tree->Selected(), a);
  EXPECT_EQ(journal, (Journal{"expand A", "expand A1", "change A1b", "change A"}));
}

TEST_F(TreeViewTest, DeletingTheSelectionLeavesNoneAndReportsEachNode) {
  tree->SetSelected(Find("A1a"));
  RecordSelection();
  tree->OnDeletion = [this](TObject*, TTreeNode* node) {
    journal.push_back("delete " + node->Text());
  };
  a->Delete();
  EXPECT_EQ(tree->Selected(), nullptr);
  EXPECT_EQ(journal, (Journal{"delete A2", "delete A1b", "delete A1a", "delete A1", "delete A"}));
  journal.clear();
  tree->Items()->Clear();
  EXPECT_EQ(tree->Items()->Count(), 0);
  EXPECT_EQ(journal, (Journal{"delete C1", "delete C", "delete B"}));
}

TEST_F(TreeViewTest, ChildrenMayArriveWhenANodeOpens) {
  TTreeNode* lazy = tree->Items()->Add(nullptr, "lazy");
  lazy->SetHasChildren(true);
  tree->OnExpanding = [&](TObject*, TTreeNode* node, bool&) {
    if (node->Count() == 0) tree->Items()->AddChild(node, "arrived");
  };
  lazy->SetExpanded(true);
  EXPECT_TRUE(lazy->Expanded());
  EXPECT_EQ(lazy->Item(0)->Text(), "arrived");
  b->SetExpanded(true);  // no children: stays closed
  EXPECT_FALSE(b->Expanded());
  Find("C1")->Delete();
  EXPECT_FALSE(c->HasChildren());
}

TEST_F(TreeViewTest, ClicksSelectTheLineUnderThePointer) {
  form->Show();
  a->Expand(false);
  ASSERT_EQ(tree->ItemHeight(), 16);
  struct Case {
    int y;
    const char* node;
  };
  for (const Case& k :
       {Case{0, "A"}, Case{17, "A1"}, Case{40, "A2"}, Case{50, "B"}, Case{70, "C"}}) {
    tree->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, k.y));
    tree->Perform(WM_LBUTTONUP, 0, MakeLParam(5, k.y));
    EXPECT_EQ(tree->Selected()->Text(), k.node) << "y " << k.y;
  }
  EXPECT_EQ(tree->GetNodeAt(5, 90), nullptr);
  EXPECT_EQ(tree->NodeRect(b), Bounds(0, 48, 121, 16));
  EXPECT_TRUE(tree->NodeRect(Find("A1a")).IsEmpty());
  EXPECT_TRUE(tree->Focused());
  for (unsigned msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    tree->Perform(msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MakeLParam(5, 17));
  EXPECT_EQ(tree->Selected(), a1);
  EXPECT_TRUE(a1->Expanded());  // a double click opens the node
}

TEST_F(TreeViewTest, NodesAndTheirTextsAreReachedByName) {
  EXPECT_EQ(GetPropInfo(tree, "Items")->TypeName(), "TTreeNodes");
  SetPropValue(tree->Items()->Item(3), "Text", "甲一乙");
  EXPECT_EQ(Find("甲一乙")->Parent(), a1);
  TTreeView* copy = Place<TTreeView>("tvCopy");
  a->Expand(true);
  SetObjectProp(copy, "Items", tree->Items());
  EXPECT_EQ(copy->Items()->Count(), 8);
  EXPECT_EQ(copy->Items()->Item(3)->Text(), "甲一乙");
  EXPECT_TRUE(copy->Items()->Item(1)->Expanded());
  EXPECT_THROW(copy->SetSelected(a), ETreeViewError);  // a node of another tree
}

}  // namespace
}  // namespace qv::test
