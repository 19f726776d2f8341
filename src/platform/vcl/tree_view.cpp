#include "platform/vcl/tree_view.h"

#include <algorithm>

namespace qv {

namespace {

[[noreturn]] void IndexError(int index) {
  throw ETreeViewError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace

// --------------------------------------------------------------- TTreeNode

QV_DEFINE_CLASS(TTreeNode, TPersistent, r) {
  r.Property("Text", &TTreeNode::Text, &TTreeNode::SetText);
  r.Property("ImageIndex", &TTreeNode::ImageIndex, &TTreeNode::SetImageIndex);
  r.Property("SelectedIndex", &TTreeNode::SelectedIndex, &TTreeNode::SetSelectedIndex);
  r.Property("StateIndex", &TTreeNode::StateIndex, &TTreeNode::SetStateIndex);
  r.Property("HasChildren", &TTreeNode::HasChildren, &TTreeNode::SetHasChildren);
  r.Property("Expanded", &TTreeNode::Expanded, &TTreeNode::SetExpanded);
}

TTreeNode::TTreeNode(TTreeNodes* owner) : owner_(owner) {}

TTreeNode::~TTreeNode() = default;

TCustomTreeView* TTreeNode::TreeView() const {
  return owner_ ? owner_->Owner() : nullptr;
}

void TTreeNode::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  owner_->Changed();
}

void TTreeNode::SetImageIndex(int index) {
  if (index == image_index_) return;
  image_index_ = index;
  owner_->Changed();
}

void TTreeNode::SetSelectedIndex(int index) {
  if (index == selected_index_) return;
  selected_index_ = index;
  owner_->Changed();
}

void TTreeNode::SetStateIndex(int index) {
  if (index == state_index_) return;
  state_index_ = index;
  owner_->Changed();
}

TTreeNode* TTreeNode::Item(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return children_[static_cast<size_t>(index)].get();
}

int TTreeNode::Index() const {
  const auto& list = parent_ ? parent_->children_ : owner_->roots_;
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].get() == this) return static_cast<int>(i);
  return -1;
}

int TTreeNode::AbsoluteIndex() const {
  owner_->Flat();
  return absolute_index_;
}

int TTreeNode::Level() const {
  int level = 0;
  for (const TTreeNode* p = parent_; p != nullptr; p = p->parent_) ++level;
  return level;
}

bool TTreeNode::HasAsParent(const TTreeNode* node) const {
  for (const TTreeNode* p = parent_; p != nullptr; p = p->parent_)
    if (p == node) return true;
  return false;
}

void TTreeNode::SetHasChildren(bool value) {
  if (value == has_children_) return;
  has_children_ = value;
  owner_->Changed();
}

void TTreeNode::SetExpanded(bool expanded) {
  if (expanded == expanded_) return;
  TCustomTreeView* view = TreeView();
  bool allow = true;
  if (expanded) {
    if (!HasChildren()) return;
    if (view != nullptr) view->OnExpanding(view, this, allow);
    // A handler may have added the children, or found there are none.
    if (!allow || children_.empty()) return;
    expanded_ = true;
    owner_->Changed();
    if (view != nullptr) view->OnExpanded(view, this);
  } else {
    if (view != nullptr) view->OnCollapsing(view, this, allow);
    if (!allow) return;
    if (view != nullptr) view->NodeCollapsing(this);
    expanded_ = false;
    owner_->Changed();
    if (view != nullptr) view->OnCollapsed(view, this);
  }
}

void TTreeNode::Expand(bool recurse) {
  SetExpanded(true);
  if (recurse)
    for (size_t i = 0; i < children_.size(); ++i) children_[i]->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
  if (recurse)
    for (size_t i = 0; i < children_.size(); ++i) children_[i]->Collapse(true);
  SetExpanded(false);
}

bool TTreeNode::IsVisible() const {
  for (const TTreeNode* p = parent_; p != nullptr; p = p->parent_)
    if (!p->expanded_) return false;
  return true;
}

bool TTreeNode::Selected() const {
  const TCustomTreeView* view = TreeView();
  return view != nullptr && view->Selected() == this;
}

void TTreeNode::SetSelected(bool selected) {
  TCustomTreeView* view = TreeView();
  if (view == nullptr) return;
  if (selected)
    view->SetSelected(this);
  else if (Selected())
    view->SetSelected(nullptr);
}

TTreeNode* TTreeNode::GetFirstChild() const {
  return children_.empty() ? nullptr : children_.front().get();
}

TTreeNode* TTreeNode::GetLastChild() const {
  return children_.empty() ? nullptr : children_.back().get();
}

TTreeNode* TTreeNode::GetNextSibling() const {
  const auto& list = parent_ ? parent_->children_ : owner_->roots_;
  const int index = Index();
  return index + 1 < static_cast<int>(list.size()) ? list[static_cast<size_t>(index + 1)].get()
                                                   : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
  const auto& list = parent_ ? parent_->children_ : owner_->roots_;
  const int index = Index();
  return index > 0 ? list[static_cast<size_t>(index - 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!children_.empty()) return children_.front().get();
  for (const TTreeNode* n = this; n != nullptr; n = n->parent_)
    if (TTreeNode* next = n->GetNextSibling()) return next;
  return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
  TTreeNode* prev = GetPrevSibling();
  if (prev == nullptr) return parent_;
  while (!prev->children_.empty()) prev = prev->children_.back().get();
  return prev;
}

TTreeNode* TTreeNode::GetNextVisible() const {
  if (expanded_ && !children_.empty()) return children_.front().get();
  for (const TTreeNode* n = this; n != nullptr; n = n->parent_)
    if (TTreeNode* next = n->GetNextSibling()) return next;
  return nullptr;
}

TTreeNode* TTreeNode::GetPrevVisible() const {
  TTreeNode* prev = GetPrevSibling();
  if (prev == nullptr) return parent_;
  while (prev->expanded_ && !prev->children_.empty()) prev = prev->children_.back().get();
  return prev;
}

void TTreeNode::MoveTo(TTreeNode* destination, TNodeAttachMode mode) {
  if (destination != nullptr) owner_->Owns(destination);
  const bool as_child = mode == naAddChild || mode == naAddChildFirst;
  TTreeNode* new_parent =
      destination == nullptr ? nullptr : (as_child ? destination : destination->parent_);
  if (new_parent == this || (new_parent != nullptr && new_parent->HasAsParent(this)))
    throw ETreeViewError("A node cannot move below itself");
  if (mode == naInsert && destination == this) return;
  TTreeNodes* nodes = owner_;
  std::unique_ptr<TTreeNode> self = nodes->Detach(this);
  auto& list = nodes->ListOf(new_parent);
  size_t position = list.size();
  if (mode == naAddFirst || mode == naAddChildFirst)
    position = 0;
  else if (mode == naInsert && destination != nullptr)
    position = static_cast<size_t>(destination->Index());
  parent_ = new_parent;
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(position), std::move(self));
  nodes->Changed();
}

void TTreeNode::Delete() {
  owner_->Delete(this);
}

void TTreeNode::DeleteChildren() {
  owner_->BeginUpdate();
  while (!children_.empty()) owner_->Delete(children_.back().get());
  owner_->EndUpdate();
}

void TTreeNode::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TTreeNode*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  text_ = other->text_;
  data_ = other->data_;
  image_index_ = other->image_index_;
  selected_index_ = other->selected_index_;
  state_index_ = other->state_index_;
  has_children_ = other->has_children_;
  owner_->Changed();
}

// -------------------------------------------------------------- TTreeNodes

QV_DEFINE_CLASS(TTreeNodes, TPersistent, r) {}

TTreeNodes::TTreeNodes(TCustomTreeView* owner) : owner_(owner) {}

TTreeNodes::~TTreeNodes() = default;

const std::vector<TTreeNode*>& TTreeNodes::Flat() const {
  if (!flat_valid_) {
    flat_.clear();
    struct TWalk {
      std::vector<TTreeNode*>& flat;
      void Add(TTreeNode* node) {
        node->absolute_index_ = static_cast<int>(flat.size());
        flat.push_back(node);
        for (const auto& child : node->children_) Add(child.get());
      }
    } walk{flat_};
    for (const auto& root : roots_) walk.Add(root.get());
    flat_valid_ = true;
  }
  return flat_;
}

void TTreeNodes::Changed() {
  flat_valid_ = false;
  if (owner_ != nullptr && update_count_ == 0) owner_->Invalidate();
}

void TTreeNodes::Owns(const TTreeNode* node) const {
  if (node != nullptr && node->owner_ != this)
    throw ETreeViewError("The node belongs to another tree");
}

TTreeNode* TTreeNodes::Item(int index) const {
  const auto& flat = Flat();
  if (index < 0 || index >= static_cast<int>(flat.size())) IndexError(index);
  return flat[static_cast<size_t>(index)];
}

TTreeNode* TTreeNodes::GetFirstNode() const {
  return roots_.empty() ? nullptr : roots_.front().get();
}

TTreeNode* TTreeNodes::InsertNode(TTreeNode* parent, size_t position, const std::string& text,
                                  void* data) {
  auto node = std::make_unique<TTreeNode>(this);
  TTreeNode* raw = node.get();
  raw->text_ = text;
  raw->data_ = data;
  raw->parent_ = parent;
  auto& list = ListOf(parent);
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(position, list.size())),
              std::move(node));
  Changed();
  return raw;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) {
  return AddObject(sibling, text, nullptr);
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const std::string& text, void* data) {
  Owns(sibling);
  TTreeNode* parent = sibling ? sibling->parent_ : nullptr;
  return InsertNode(parent, ListOf(parent).size(), text, data);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const std::string& text) {
  Owns(sibling);
  return InsertNode(sibling ? sibling->parent_ : nullptr, 0, text, nullptr);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
  return AddChildObject(parent, text, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& text, void* data) {
  Owns(parent);
  return InsertNode(parent, ListOf(parent).size(), text, data);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::string& text) {
  Owns(parent);
  return InsertNode(parent, 0, text, nullptr);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const std::string& text) {
  Owns(sibling);
  if (sibling == nullptr) return InsertNode(nullptr, roots_.size(), text, nullptr);
  return InsertNode(sibling->parent_, static_cast<size_t>(sibling->Index()), text, nullptr);
}

std::unique_ptr<TTreeNode> TTreeNodes::Detach(TTreeNode* node) {
  TTreeNode* parent = node->parent_;
  auto& list = ListOf(parent);
  auto it =
      std::find_if(list.begin(), list.end(), [node](const auto& p) { return p.get() == node; });
  std::unique_ptr<TTreeNode> owned = std::move(*it);
  list.erase(it);
  // A parent left without children shows no button and cannot stay open.
  if (parent != nullptr && parent->children_.empty()) parent->expanded_ = false;
  Changed();
  return owned;
}

void TTreeNodes::FreeSubtree(std::unique_ptr<TTreeNode> node) {
  while (!node->children_.empty()) {
    std::unique_ptr<TTreeNode> child = std::move(node->children_.back());
    node->children_.pop_back();
    FreeSubtree(std::move(child));
  }
  if (owner_ != nullptr) owner_->NodeDeleting(node.get());
}

void TTreeNodes::Delete(TTreeNode* node) {
  if (node == nullptr) return;
  Owns(node);
  FreeSubtree(Detach(node));
}

void TTreeNodes::Clear() {
  if (roots_.empty()) return;
  BeginUpdate();
  while (!roots_.empty()) Delete(roots_.back().get());
  EndUpdate();
}

void TTreeNodes::BeginUpdate() {
  ++update_count_;
}

void TTreeNodes::EndUpdate() {
  if (update_count_ > 0 && --update_count_ == 0) Changed();
}

void TTreeNodes::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TTreeNodes*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  Clear();
  struct TCopy {
    TTreeNodes& target;
    void Subtree(const TTreeNode& from, TTreeNode* parent) {
      TTreeNode* node = target.AddChild(parent, from.Text());
      node->Assign(&from);
      for (const auto& child : from.children_) Subtree(*child, node);
      node->expanded_ = from.expanded_ && !node->children_.empty();
    }
  } copy{*this};
  for (const auto& root : other->roots_) copy.Subtree(*root, nullptr);
  EndUpdate();
}

// --------------------------------------------------------- TCustomTreeView

QV_DEFINE_CLASS(TCustomTreeView, TWinControl, r) {
  r.Message(WM_LBUTTONDOWN, &TCustomTreeView::WMLButtonDown);
}

QV_DEFINE_CLASS(TTreeView, TCustomTreeView, r) {
  r.Property("Align", &TTreeView::Align, &TTreeView::SetAlign);
  r.Property("Color", &TTreeView::Color, &TTreeView::SetColor, "TColor");
  r.Property("Ctl3D", &TTreeView::Ctl3D, &TTreeView::SetCtl3D);
  r.Property("Enabled", &TTreeView::Enabled, &TTreeView::SetEnabled);
  r.Property("Font", &TTreeView::Font, &TTreeView::SetFont);
  r.Property("HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection);
  r.Property("Images", &TTreeView::Images, &TTreeView::SetImages);
  r.Property("Indent", &TTreeView::Indent, &TTreeView::SetIndent);
  r.Property("Items", &TTreeView::Items, &TTreeView::SetItems);
  r.Property("ParentColor", &TTreeView::ParentColor, &TTreeView::SetParentColor);
  r.Property("ParentCtl3D", &TTreeView::ParentCtl3D, &TTreeView::SetParentCtl3D);
  r.Property("ParentFont", &TTreeView::ParentFont, &TTreeView::SetParentFont);
  r.Property("ParentShowHint", &TTreeView::ParentShowHint, &TTreeView::SetParentShowHint);
  r.Property("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly);
  r.Property("ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons);
  r.Property("ShowHint", &TTreeView::ShowHint, &TTreeView::SetShowHint);
  r.Property("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines);
  r.Property("ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot);
  r.Property("TabOrder", &TTreeView::TabOrder, &TTreeView::SetTabOrder);
  r.Property("TabStop", &TTreeView::TabStop, &TTreeView::SetTabStop);
  r.Property("Visible", &TTreeView::Visible, &TTreeView::SetVisible);
  r.Event("OnChange", &TTreeView::OnChange);
  r.Event("OnChanging", &TTreeView::OnChanging);
  r.Event("OnClick", &TTreeView::OnClick);
  r.Event("OnCollapsed", &TTreeView::OnCollapsed);
  r.Event("OnCollapsing", &TTreeView::OnCollapsing);
  r.Event("OnDblClick", &TTreeView::OnDblClick);
  r.Event("OnDeletion", &TTreeView::OnDeletion);
  r.Event("OnEnter", &TTreeView::OnEnter);
  r.Event("OnExit", &TTreeView::OnExit);
  r.Event("OnExpanded", &TTreeView::OnExpanded);
  r.Event("OnExpanding", &TTreeView::OnExpanding);
  r.Event("OnKeyDown", &TTreeView::OnKeyDown);
  r.Event("OnKeyPress", &TTreeView::OnKeyPress);
  r.Event("OnKeyUp", &TTreeView::OnKeyUp);
  r.Event("OnMouseDown", &TTreeView::OnMouseDown);
  r.Event("OnMouseMove", &TTreeView::OnMouseMove);
  r.Event("OnMouseUp", &TTreeView::OnMouseUp);
}

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TTreeNodes>(this)) {
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomTreeView::~TCustomTreeView() = default;

void TCustomTreeView::BeforeDestruction() {
  TWinControl::BeforeDestruction();
  selected_ = nullptr;
}

void TCustomTreeView::SetItems(TTreeNodes* items) {
  if (items != nullptr && items != items_.get()) items_->Assign(items);
}

bool TCustomTreeView::CanChange(TTreeNode* node) {
  bool allow = true;
  OnChanging(this, node, allow);
  return allow;
}

void TCustomTreeView::Change(TTreeNode* node) {
  OnChange(this, node);
}

bool TCustomTreeView::SetSelected(TTreeNode* node) {
  if (node == selected_) return true;
  items_->Owns(node);
  if (!CanChange(node)) return false;
  selected_ = node;
  if (node != nullptr) {
    std::vector<TTreeNode*> parents;
    for (TTreeNode* p = node->Parent(); p != nullptr; p = p->Parent()) parents.push_back(p);
    for (auto it = parents.rbegin(); it != parents.rend(); ++it) (*it)->SetExpanded(true);
  }
  Invalidate();
  Change(node);
  return true;
}

void TCustomTreeView::NodeDeleting(TTreeNode* node) {
  if (IsDestroying()) return;
  if (selected_ == node) selected_ = nullptr;
  OnDeletion(this, node);
}

void TCustomTreeView::NodeCollapsing(TTreeNode* node) {
  if (selected_ != nullptr && selected_->HasAsParent(node)) SetSelected(node);
}

void TCustomTreeView::SetShowLines(bool show) {
  if (show == show_lines_) return;
  show_lines_ = show;
  Invalidate();
}

void TCustomTreeView::SetShowRoot(bool show) {
  if (show == show_root_) return;
  show_root_ = show;
  Invalidate();
}

void TCustomTreeView::SetShowButtons(bool show) {
  if (show == show_buttons_) return;
  show_buttons_ = show;
  Invalidate();
}

void TCustomTreeView::SetHideSelection(bool hide) {
  if (hide == hide_selection_) return;
  hide_selection_ = hide;
  Invalidate();
}

void TCustomTreeView::SetIndent(int indent) {
  indent = std::max(indent, 0);
  if (indent == indent_) return;
  indent_ = indent;
  Invalidate();
}

void TCustomTreeView::SetImages(TImageList* images) {
  if (images == images_) return;
  if (images_ != nullptr) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_ != nullptr) images_->FreeNotification(this);
  Invalidate();
}

void TCustomTreeView::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == images_) images_ = nullptr;
}

int TCustomTreeView::ItemHeight() const {
  return Font()->Em() + 3;
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) const {
  if (!ClientRect().Contains({x, y})) return nullptr;
  int row = y / ItemHeight();
  TTreeNode* node = items_->GetFirstNode();
  while (node != nullptr && row-- > 0) node = node->GetNextVisible();
  return node;
}

TRect TCustomTreeView::NodeRect(const TTreeNode* node) const {
  if (node == nullptr || node->owner_ != items_.get() || !node->IsVisible()) return {};
  int row = 0;
  for (TTreeNode* n = items_->GetFirstNode(); n != nullptr && n != node; n = n->GetNextVisible())
    ++row;
  return Bounds(0, row * ItemHeight(), ClientWidth(), ItemHeight());
}

void TCustomTreeView::FullExpand() {
  for (TTreeNode* n = items_->GetFirstNode(); n != nullptr; n = n->GetNextSibling())
    n->Expand(true);
}

void TCustomTreeView::FullCollapse() {
  for (TTreeNode* n = items_->GetFirstNode(); n != nullptr; n = n->GetNextSibling())
    n->Collapse(true);
}

TTreeNode* TCustomTreeView::LastVisible() const {
  TTreeNode* node = items_->GetFirstNode();
  if (node == nullptr) return nullptr;
  while (TTreeNode* next = node->GetNextVisible()) node = next;
  return node;
}

bool TCustomTreeView::WantsKey(Word key, TShiftState) const {
  return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT;
}

void TCustomTreeView::DefaultHandler(TMessage& message) {
  if (message.Msg != WM_KEYDOWN) {
    TWinControl::DefaultHandler(message);
    return;
  }
  TTreeNode* node = selected_;
  TTreeNode* target = nullptr;
  switch (message.WParam) {
    case VK_UP:
      target = node ? node->GetPrevVisible() : items_->GetFirstNode();
      break;
    case VK_DOWN:
      target = node ? node->GetNextVisible() : items_->GetFirstNode();
      break;
    case VK_HOME:
      target = items_->GetFirstNode();
      break;
    case VK_END:
      target = LastVisible();
      break;
    case VK_RIGHT:
      if (node == nullptr) break;
      if (!node->Expanded())
        node->SetExpanded(true);
      else
        target = node->GetFirstChild();
      break;
    case VK_LEFT:
      if (node == nullptr) break;
      if (node->Expanded())
        node->SetExpanded(false);
      else
        target = node->Parent();
      break;
    default:
      TWinControl::DefaultHandler(message);
      return;
  }
  if (target != nullptr) SetSelected(target);
}

void TCustomTreeView::WMLButtonDown(TMessage& message) {
  Inherited(message);
  if (TTreeNode* node = GetNodeAt(LParamX(message.LParam), LParamY(message.LParam)))
    SetSelected(node);
}

void TCustomTreeView::DblClick() {
  TWinControl::DblClick();
  if (selected_ != nullptr) selected_->SetExpanded(!selected_->Expanded());
}

}  // namespace qv
