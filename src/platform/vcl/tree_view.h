#pragma once
// Tree views: nodes with a text, data and images, children in order, shown
// as lines of the tree (children only while their parent is expanded).
// TTreeNodes (the Items property) reaches every node by its absolute index,
// counted depth-first over all nodes whether shown or not:
//
//   A          0
//     A1       1
//       A1a    2
//   B          3
//
// The person moves the selection with Up and Down (to the neighbouring
// shown line), Home and End, Right (expand, then first child) and Left
// (collapse, then parent), or by clicking a line; a double click expands or
// collapses. A change of the selection, by code too, asks OnChanging and
// then raises OnChange; collapsing a node that holds the selection selects
// the node. Deleting the selected node leaves no selection and raises no
// change; OnDeletion is raised for each deleted node, children first.

#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/image_list.h"
#include "platform/vcl/win_control.h"

namespace qv {

// Node indexes out of range, moves into a node's own subtree.
QV_DECLARE_EXCEPTION(ETreeViewError, Exception);

QV_ENUM(TNodeAttachMode, naAdd, naAddFirst, naAddChild, naAddChildFirst, naInsert);

class TTreeNodes;
class TCustomTreeView;

class TTreeNode : public TPersistent {
  QV_DECLARE_CLASS(TTreeNode)

  explicit TTreeNode(TTreeNodes* owner);
  ~TTreeNode() override;

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  void* Data() const { return data_; }
  void SetData(void* data) { data_ = data; }
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int index);
  int SelectedIndex() const { return selected_index_; }
  void SetSelectedIndex(int index);
  int StateIndex() const { return state_index_; }
  void SetStateIndex(int index);

  TTreeNodes* Owner() const { return owner_; }
  TCustomTreeView* TreeView() const;
  TTreeNode* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(children_.size()); }
  // A child by position; raises ETreeViewError "List index out of bounds".
  TTreeNode* Item(int index) const;
  // The position among its siblings.
  int Index() const;
  // The position in depth-first order over all nodes of the tree.
  int AbsoluteIndex() const;
  // 0 for a node at the top.
  int Level() const;
  bool HasAsParent(const TTreeNode* node) const;

  // True with children, or when set for children still to come (a handler
  // of OnExpanding may add them).
  bool HasChildren() const { return has_children_ || !children_.empty(); }
  void SetHasChildren(bool value);
  bool Expanded() const { return expanded_; }
  void SetExpanded(bool expanded);
  void Expand(bool recurse);
  void Collapse(bool recurse);
  // Shown: every parent expanded.
  bool IsVisible() const;
  bool Selected() const;
  void SetSelected(bool selected);

  TTreeNode* GetFirstChild() const;
  TTreeNode* GetLastChild() const;
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // Depth-first over all nodes.
  TTreeNode* GetNext() const;
  TTreeNode* GetPrev() const;
  // The neighbouring shown nodes.
  TTreeNode* GetNextVisible() const;
  TTreeNode* GetPrevVisible() const;

  // Raises ETreeViewError when `destination` is this node or below it.
  void MoveTo(TTreeNode* destination, TNodeAttachMode mode);
  void Delete();
  void DeleteChildren();

  // Copies the text, data, images and HasChildren (not the children).
  void Assign(const TPersistent* source) override;

 private:
  friend class TTreeNodes;
  friend class TCustomTreeView;

  TTreeNodes* owner_;
  TTreeNode* parent_ = nullptr;
  std::vector<std::unique_ptr<TTreeNode>> children_;
  std::string text_;
  void* data_ = nullptr;
  int image_index_ = -1;
  int selected_index_ = -1;
  int state_index_ = -1;
  bool has_children_ = false;
  bool expanded_ = false;
  // Kept by the owner's depth-first index.
  int absolute_index_ = -1;
};

class TTreeNodes : public TPersistent {
  QV_DECLARE_CLASS(TTreeNodes)

  explicit TTreeNodes(TCustomTreeView* owner);
  ~TTreeNodes() override;

  TCustomTreeView* Owner() const { return owner_; }
  // All nodes.
  int Count() const { return static_cast<int>(Flat().size()); }
  // A node by absolute index; raises ETreeViewError "List index out of bounds".
  TTreeNode* Item(int index) const;
  TTreeNode* GetFirstNode() const;

  // A new last (or first) node on the level of `sibling`; the top level when
  // it is null.
  TTreeNode* Add(TTreeNode* sibling, const std::string& text);
  TTreeNode* AddObject(TTreeNode* sibling, const std::string& text, void* data);
  TTreeNode* AddFirst(TTreeNode* sibling, const std::string& text);
  // A new last (or first) child of `parent`; a top-level node when it is null.
  TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
  TTreeNode* AddChildObject(TTreeNode* parent, const std::string& text, void* data);
  TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& text);
  // A new node just before `sibling`; the last top-level node when null.
  TTreeNode* Insert(TTreeNode* sibling, const std::string& text);

  void Delete(TTreeNode* node);
  void Clear();
  void BeginUpdate();
  void EndUpdate();

  // Copies the whole tree of another TTreeNodes.
  void Assign(const TPersistent* source) override;

 private:
  friend class TTreeNode;
  friend class TCustomTreeView;
  using TNodeList = std::vector<std::unique_ptr<TTreeNode>>;
  TNodeList& ListOf(TTreeNode* parent) { return parent ? parent->children_ : roots_; }
  TTreeNode* InsertNode(TTreeNode* parent, size_t position, const std::string& text, void* data);
  // Frees a node's subtree (children first), telling the tree view of each.
  std::unique_ptr<TTreeNode> Detach(TTreeNode* node);
  void FreeSubtree(std::unique_ptr<TTreeNode> node);
  const std::vector<TTreeNode*>& Flat() const;
  void Changed();
  void Owns(const TTreeNode* node) const;

  TCustomTreeView* owner_;
  TNodeList roots_;
  mutable std::vector<TTreeNode*> flat_;
  mutable bool flat_valid_ = true;
  int update_count_ = 0;
};

QV_EVENT_TYPE(TTVChangedEvent, TObject*, TTreeNode*);
// AllowChange: set to false to keep the selection.
QV_EVENT_TYPE(TTVChangingEvent, TObject*, TTreeNode*, bool&);
// AllowExpansion (or collapse): set to false to refuse.
QV_EVENT_TYPE(TTVExpandingEvent, TObject*, TTreeNode*, bool&);
QV_EVENT_TYPE(TTVExpandedEvent, TObject*, TTreeNode*);

class TCustomTreeView : public TWinControl {
  QV_DECLARE_CLASS(TCustomTreeView)

  explicit TCustomTreeView(TComponent* owner);
  ~TCustomTreeView() override;
  void BeforeDestruction() override;

  TTreeNodes* Items() const { return items_.get(); }
  // Copies the nodes of `items`.
  void SetItems(TTreeNodes* items);
  TTreeNode* Selected() const { return selected_; }
  // Expands the node's parents; null selects nothing. False when OnChanging
  // refused.
  bool SetSelected(TTreeNode* node);

  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only) { read_only_ = read_only; }
  bool ShowLines() const { return show_lines_; }
  void SetShowLines(bool show);
  bool ShowRoot() const { return show_root_; }
  void SetShowRoot(bool show);
  bool ShowButtons() const { return show_buttons_; }
  void SetShowButtons(bool show);
  bool HideSelection() const { return hide_selection_; }
  void SetHideSelection(bool hide);
  int Indent() const { return indent_; }
  void SetIndent(int indent);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);

  // One line per shown node, from the top.
  int ItemHeight() const;
  // The node shown at a client point; null when none.
  TTreeNode* GetNodeAt(int x, int y) const;
  // Where the node's line is; empty when the node is not shown.
  TRect NodeRect(const TTreeNode* node) const;
  void FullExpand();
  void FullCollapse();

  void Notification(TComponent* component, TOperation operation) override;

  TTVChangedEvent OnChange;
  TTVChangingEvent OnChanging;
  TTVExpandingEvent OnExpanding;
  TTVExpandedEvent OnExpanded;
  TTVExpandingEvent OnCollapsing;
  TTVExpandedEvent OnCollapsed;
  TTVExpandedEvent OnDeletion;

 protected:
  virtual bool CanChange(TTreeNode* node);
  virtual void Change(TTreeNode* node);
  bool FocusOnClick() const override { return true; }
  bool WantsKey(Word key, TShiftState shift) const override;
  void DefaultHandler(TMessage& message) override;
  void WMLButtonDown(TMessage& message);
  void DblClick() override;

 private:
  friend class TTreeNode;
  friend class TTreeNodes;
  // A node is about to be freed.
  void NodeDeleting(TTreeNode* node);
  // The node is collapsing: a selection inside it moves to it.
  void NodeCollapsing(TTreeNode* node);
  TTreeNode* LastVisible() const;

  std::unique_ptr<TTreeNodes> items_;
  TTreeNode* selected_ = nullptr;
  bool read_only_ = false;
  bool show_lines_ = true;
  bool show_root_ = true;
  bool show_buttons_ = true;
  bool hide_selection_ = true;
  int indent_ = 19;
  TImageList* images_ = nullptr;
};

class TTreeView : public TCustomTreeView {
  QV_DECLARE_CLASS(TTreeView)
  using TCustomTreeView::TCustomTreeView;
};

}  // namespace qv
