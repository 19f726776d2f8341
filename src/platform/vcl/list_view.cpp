#include "platform/vcl/list_view.h"

#include <algorithm>

#include "platform/vcl/form.h"

namespace qv {

// A run of consecutive items. Blocks split when they grow past kBlockMax
// and merge with a neighbour when they shrink below kBlockMin, so inserting
// or deleting moves at most a few hundred pointers; an item's index is its
// block's start (a prefix sum of block sizes in a Fenwick tree) plus its slot.
struct TListItem::TBlock {
  std::vector<std::unique_ptr<TListItem>> Items;
  // The block's position in blocks_.
  int Position = 0;
};

namespace {

constexpr size_t kBlockMax = 512;
constexpr size_t kBlockFill = 256;
constexpr size_t kBlockMin = 64;

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Without regard to ASCII case first; texts that differ only in case put
// the lower-case letter first.
int CompareCaptions(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(LowerAscii(a[i]));
    const auto cb = static_cast<unsigned char>(LowerAscii(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return a[i] >= 'a' && a[i] <= 'z' ? -1 : 1;
  return 0;
}

bool SameText(const std::string& a, const std::string& b, bool prefix) {
  if (prefix ? a.size() < b.size() : a.size() != b.size()) return false;
  for (size_t i = 0; i < b.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

void FrameEdges(TCanvas* canvas, const TRect& r, TColor top_left, TColor bottom_right) {
  canvas->Brush()->SetColor(top_left);
  canvas->FillRect(Rect(r.Left, r.Top, r.Right, r.Top + 1));
  canvas->FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom));
  canvas->Brush()->SetColor(bottom_right);
  canvas->FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
  canvas->FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
}

}  // namespace

// ---- Columns ----

QV_DEFINE_CLASS(TListColumn, TCollectionItem, r) {
  r.Property("Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment);
  r.Property("AutoSize", &TListColumn::AutoSize, &TListColumn::SetAutoSize);
  r.Property("Caption", &TListColumn::Caption, &TListColumn::SetCaption);
  r.Property("MaxWidth", &TListColumn::MaxWidth, &TListColumn::SetMaxWidth);
  r.Property("MinWidth", &TListColumn::MinWidth, &TListColumn::SetMinWidth);
  r.Property("Width", &TListColumn::Width, &TListColumn::SetWidth);
}

TListView* TListColumn::ListView() const {
  const auto* columns = dynamic_cast<const TListColumns*>(Collection());
  return columns != nullptr ? columns->Owner() : nullptr;
}

void TListColumn::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed();
}

int TListColumn::Limited(int width) const {
  if (min_width_ > 0) width = std::max(width, min_width_);
  if (max_width_ > 0) width = std::min(width, max_width_);
  return std::max(width, 0);
}

int TListColumn::Width() const {
  const TListView* view = ListView();
  if (!auto_size_ || view == nullptr) return width_;
  int fixed = 0;
  int autos = 0;
  for (int i = 0; i < view->Columns()->Count(); ++i) {
    const TListColumn* column = view->Column(i);
    if (column->auto_size_)
      ++autos;
    else
      fixed += column->width_;
  }
  return Limited((view->ClientWidth() - fixed) / std::max(autos, 1));
}

void TListColumn::SetWidth(int width) {
  if (width == ColumnTextWidth || width == ColumnHeaderWidth) {
    const TListView* view = ListView();
    int content = view != nullptr ? view->ContentWidth(Index()) : 0;
    if (width == ColumnHeaderWidth && view != nullptr)
      content = std::max(content, view->Font()->TextWidth(caption_) + 12);
    width = content;
  }
  width = Limited(width);
  if (width == width_) return;
  width_ = width;
  Changed();
}

void TListColumn::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Changed();
}

void TListColumn::SetAutoSize(bool auto_size) {
  if (auto_size == auto_size_) return;
  auto_size_ = auto_size;
  Changed(true);
}

void TListColumn::SetMinWidth(int width) {
  min_width_ = std::max(width, 0);
  width_ = Limited(width_);
  Changed();
}

void TListColumn::SetMaxWidth(int width) {
  max_width_ = std::max(width, 0);
  width_ = Limited(width_);
  Changed();
}

std::string TListColumn::DisplayName() const {
  return caption_.empty() ? TCollectionItem::DisplayName() : caption_;
}

void TListColumn::Assign(const TPersistent* source) {
  const auto* column = dynamic_cast<const TListColumn*>(source);
  if (column == nullptr) {
    TCollectionItem::Assign(source);
    return;
  }
  caption_ = column->caption_;
  width_ = column->width_;
  alignment_ = column->alignment_;
  auto_size_ = column->auto_size_;
  min_width_ = column->min_width_;
  max_width_ = column->max_width_;
  Changed();
}

QV_DEFINE_CLASS(TListColumns, TCollection, r) {}

TListColumns::TListColumns(TListView* owner) : TCollection(owner, "Columns"), list_view_(owner) {}

std::unique_ptr<TCollectionItem> TListColumns::NewItem() {
  return std::make_unique<TListColumn>();
}

void TListColumns::Update(TCollectionItem* item) {
  TCollection::Update(item);
  if (list_view_ != nullptr) list_view_->RequestRepaint();
}

// ---- Items ----

QV_DEFINE_CLASS(TListItem, TPersistent, r) {
  r.Property("Caption", &TListItem::Caption, &TListItem::SetCaption);
  r.Property("ImageIndex", &TListItem::ImageIndex, &TListItem::SetImageIndex);
}

TListItem::TListItem(TListItems* owner) : owner_(owner) {}

TListItem::~TListItem() = default;

TListView* TListItem::ListView() const {
  return owner_ != nullptr ? owner_->list_view_ : nullptr;
}

int TListItem::Index() const {
  if (block_ == nullptr) return -1;
  return owner_->BlockStart(block_->Position) + owner_->SlotOf(this);
}

void TListItem::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  TListView* view = block_ != nullptr ? ListView() : nullptr;
  if (view != nullptr && !view->CanChange(this, ctText)) return;
  caption_ = caption;
  if (view == nullptr) return;
  view->Change(this, ctText);
  if (view->sort_type_ == stText || view->sort_type_ == stBoth) view->PlaceSorted(this);
  view->RequestRepaint();
}

TStrings* TListItem::SubItems() const {
  if (!sub_items_) {
    sub_items_ = std::make_unique<TStringList>();
    sub_items_->OnChange = [this](TStringList&) {
      if (TListView* view = block_ != nullptr ? ListView() : nullptr) view->RequestRepaint();
    };
  }
  return sub_items_.get();
}

void TListItem::SetSubItems(const TStrings& items) {
  SubItems()->Assign(items);
}

void TListItem::SetImageIndex(int index) {
  if (index == image_index_) return;
  TListView* view = block_ != nullptr ? ListView() : nullptr;
  if (view != nullptr && !view->CanChange(this, ctImage)) return;
  image_index_ = index;
  if (view == nullptr) return;
  view->Change(this, ctImage);
  view->RequestRepaint();
}

void TListItem::SetData(void* data) {
  if (data == data_) return;
  data_ = data;
  TListView* view = block_ != nullptr ? ListView() : nullptr;
  if (view != nullptr && (view->sort_type_ == stData || view->sort_type_ == stBoth))
    view->PlaceSorted(this);
}

void TListItem::SetSelected(bool selected) {
  if (TListView* view = block_ != nullptr ? ListView() : nullptr)
    view->ItemSelecting(this, selected);
  else
    selected_ = selected;
}

bool TListItem::Focused() const {
  const TListView* view = ListView();
  return view != nullptr && view->focused_ == this;
}

void TListItem::SetFocused(bool focused) {
  TListView* view = block_ != nullptr ? ListView() : nullptr;
  if (view == nullptr) return;
  if (focused)
    view->SetItemFocused(this);
  else if (view->focused_ == this)
    view->SetItemFocused(nullptr);
}

void TListItem::Delete() {
  if (block_ != nullptr) owner_->Delete(Index());
}

bool TListItem::EditCaption() {
  TListView* view = block_ != nullptr ? ListView() : nullptr;
  if (view == nullptr) return false;
  if (view->editing_ != nullptr) view->EndEdit(true);
  if (block_ == nullptr || !view->CanEdit(this)) return false;
  view->StartEdit(this);
  return true;
}

void TListItem::MakeVisible() {
  TListView* view = block_ != nullptr ? ListView() : nullptr;
  if (view == nullptr) return;
  const int index = Index();
  const int rows = std::max(view->VisibleRowCount(), 1);
  if (index < view->top_index_)
    view->SetTopIndex(index);
  else if (index >= view->top_index_ + rows)
    view->SetTopIndex(index - rows + 1);
}

TRect TListItem::DisplayRect() const {
  const TListView* view = ListView();
  return view != nullptr && block_ != nullptr ? view->ItemRect(Index()) : TRect{};
}

void TListItem::Assign(const TPersistent* source) {
  const auto* item = dynamic_cast<const TListItem*>(source);
  if (item == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  SetCaption(item->caption_);
  if (item->sub_items_)
    SubItems()->Assign(*item->sub_items_);
  else if (sub_items_)
    sub_items_->Clear();
  SetImageIndex(item->image_index_);
  SetData(item->data_);
}

QV_DEFINE_CLASS(TListItems, TPersistent, r) {}

TListItems::TListItems(TListView* owner) : list_view_(owner) {}

TListItems::~TListItems() = default;

void TListItems::RebuildTree() const {
  const size_t n = blocks_.size();
  tree_.assign(n + 1, 0);
  for (size_t i = 1; i <= n; ++i) {
    tree_[i] += static_cast<int>(blocks_[i - 1]->Items.size());
    const size_t parent = i + (i & (~i + 1));
    if (parent <= n) tree_[parent] += tree_[i];
  }
  tree_valid_ = true;
}

void TListItems::BlockResized(int block, int delta) {
  if (!tree_valid_) return;
  for (size_t i = static_cast<size_t>(block) + 1; i < tree_.size(); i += i & (~i + 1))
    tree_[i] += delta;
}

int TListItems::BlockStart(int block) const {
  if (!tree_valid_) RebuildTree();
  int start = 0;
  for (size_t i = static_cast<size_t>(block); i > 0; i -= i & (~i + 1)) start += tree_[i];
  return start;
}

void TListItems::Locate(int index, int& block, int& slot) const {
  if (!tree_valid_) RebuildTree();
  // The last block whose start is at most `index`, by descending the tree.
  const size_t n = blocks_.size();
  size_t step = 1;
  while (step * 2 <= n) step *= 2;
  size_t position = 0;
  int rest = index;
  for (; step > 0; step /= 2) {
    if (position + step <= n && tree_[position + step] <= rest) {
      position += step;
      rest -= tree_[position];
    }
  }
  block = static_cast<int>(position);
  slot = rest;
}

int TListItems::SlotOf(const TListItem* item) const {
  const auto& items = item->block_->Items;
  const auto slot = static_cast<size_t>(item->slot_);
  if (slot < items.size() && items[slot].get() == item) return item->slot_;
  const auto it = std::find_if(items.begin(), items.end(),
                               [item](const auto& owned) { return owned.get() == item; });
  item->slot_ = static_cast<int>(it - items.begin());
  return item->slot_;
}

void TListItems::Renumber(TBlock& block, int from) const {
  for (size_t i = static_cast<size_t>(from); i < block.Items.size(); ++i) {
    block.Items[i]->block_ = &block;
    block.Items[i]->slot_ = static_cast<int>(i);
  }
}

TListItem* TListItems::Item(int index) const {
  if (index < 0 || index >= count_)
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  int block = 0;
  int slot = 0;
  Locate(index, block, slot);
  return blocks_[static_cast<size_t>(block)]->Items[static_cast<size_t>(slot)].get();
}

TListItem* TListItems::InsertAt(int index, std::unique_ptr<TListItem> item) {
  if (blocks_.empty()) {
    blocks_.push_back(std::make_unique<TBlock>());
    tree_valid_ = false;
  }
  int b = 0;
  int slot = 0;
  if (index == count_) {
    b = static_cast<int>(blocks_.size()) - 1;
    slot = static_cast<int>(blocks_.back()->Items.size());
  } else {
    Locate(index, b, slot);
  }
  TBlock& block = *blocks_[static_cast<size_t>(b)];
  TListItem* raw = item.get();
  block.Items.insert(block.Items.begin() + slot, std::move(item));
  raw->block_ = &block;
  raw->slot_ = slot;
  ++count_;
  BlockResized(b, 1);
  if (block.Items.size() > kBlockMax) {
    auto fresh = std::make_unique<TBlock>();
    fresh->Items.assign(std::make_move_iterator(block.Items.begin() + kBlockFill),
                        std::make_move_iterator(block.Items.end()));
    block.Items.resize(kBlockFill);
    Renumber(*fresh, 0);
    blocks_.insert(blocks_.begin() + b + 1, std::move(fresh));
    for (size_t i = static_cast<size_t>(b) + 1; i < blocks_.size(); ++i)
      blocks_[i]->Position = static_cast<int>(i);
    tree_valid_ = false;
  }
  return raw;
}

void TListItems::RemoveBlock(int block) {
  blocks_.erase(blocks_.begin() + block);
  for (size_t i = static_cast<size_t>(block); i < blocks_.size(); ++i)
    blocks_[i]->Position = static_cast<int>(i);
  tree_valid_ = false;
}

void TListItems::MergeIfSmall(int block) {
  if (blocks_[static_cast<size_t>(block)]->Items.size() >= kBlockMin) return;
  // Merge into the block before, or take in the block after.
  int into = block - 1;
  int from = block;
  if (into < 0 || blocks_[static_cast<size_t>(into)]->Items.size() +
                          blocks_[static_cast<size_t>(from)]->Items.size() >
                      kBlockMax) {
    into = block;
    from = block + 1;
    if (from >= static_cast<int>(blocks_.size()) ||
        blocks_[static_cast<size_t>(into)]->Items.size() +
                blocks_[static_cast<size_t>(from)]->Items.size() >
            kBlockMax)
      return;
  }
  TBlock& target = *blocks_[static_cast<size_t>(into)];
  TBlock& source = *blocks_[static_cast<size_t>(from)];
  const int first = static_cast<int>(target.Items.size());
  target.Items.insert(target.Items.end(), std::make_move_iterator(source.Items.begin()),
                      std::make_move_iterator(source.Items.end()));
  Renumber(target, first);
  RemoveBlock(from);
}

std::unique_ptr<TListItem> TListItems::Extract(TListItem* item) {
  TBlock* block = item->block_;
  const int b = block->Position;
  const int slot = SlotOf(item);
  std::unique_ptr<TListItem> owned = std::move(block->Items[static_cast<size_t>(slot)]);
  block->Items.erase(block->Items.begin() + slot);
  --count_;
  owned->block_ = nullptr;
  BlockResized(b, -1);
  if (block->Items.empty())
    RemoveBlock(b);
  else
    MergeIfSmall(b);
  return owned;
}

std::vector<std::unique_ptr<TListItem>> TListItems::TakeAll() {
  std::vector<std::unique_ptr<TListItem>> all;
  all.reserve(static_cast<size_t>(count_));
  for (auto& block : blocks_)
    for (auto& item : block->Items) {
      item->block_ = nullptr;
      all.push_back(std::move(item));
    }
  blocks_.clear();
  count_ = 0;
  tree_valid_ = false;
  return all;
}

void TListItems::PutAll(std::vector<std::unique_ptr<TListItem>> items) {
  blocks_.clear();
  for (size_t i = 0; i < items.size(); i += kBlockFill) {
    auto block = std::make_unique<TBlock>();
    const size_t end = std::min(items.size(), i + kBlockFill);
    block->Items.assign(std::make_move_iterator(items.begin() + static_cast<std::ptrdiff_t>(i)),
                        std::make_move_iterator(items.begin() + static_cast<std::ptrdiff_t>(end)));
    block->Position = static_cast<int>(blocks_.size());
    Renumber(*block, 0);
    blocks_.push_back(std::move(block));
  }
  count_ = static_cast<int>(items.size());
  tree_valid_ = false;
}

TListItem* TListItems::Add() {
  return Insert(count_);
}

TListItem* TListItems::Insert(int index) {
  if (index < 0 || index > count_)
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  TListItem* item = InsertAt(index, std::make_unique<TListItem>(this));
  if (list_view_ != nullptr) list_view_->ItemInserted(item);
  return item;
}

void TListItems::Delete(int index) {
  TListItem* item = Item(index);
  if (list_view_ != nullptr) list_view_->ItemRemoving(item);
  Extract(item);
}

void TListItems::Clear() {
  if (count_ == 0) return;
  if (list_view_ != nullptr) list_view_->ItemsCleared();
  blocks_.clear();
  count_ = 0;
  tree_valid_ = false;
  if (list_view_ != nullptr) list_view_->RequestRepaint();
}

int TListItems::IndexOf(const TListItem* item) const {
  if (item == nullptr || item->owner_ != this || item->block_ == nullptr) return -1;
  return item->Index();
}

void TListItems::BeginUpdate() {
  ++update_count_;
}

void TListItems::EndUpdate() {
  if (update_count_ == 0) return;
  if (--update_count_ == 0 && list_view_ != nullptr) list_view_->UpdateEnded();
}

void TListItems::Assign(const TPersistent* source) {
  const auto* items = dynamic_cast<const TListItems*>(source);
  if (items == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (items == this) return;
  BeginUpdate();
  Clear();
  for (int i = 0; i < items->Count(); ++i) Add()->Assign(items->Item(i));
  EndUpdate();
}

// ---- Caption editor ----

QV_DEFINE_CLASS(TListViewEditor, TEdit, r) {}

bool TListViewEditor::WantsKey(Word key, TShiftState shift) const {
  return key == VK_RETURN || key == VK_ESCAPE || TEdit::WantsKey(key, shift);
}

void TListViewEditor::KeyDown(Word& key, TShiftState shift) {
  TEdit::KeyDown(key, shift);
  auto* view = dynamic_cast<TListView*>(Parent());
  if (view == nullptr || view->editing_ == nullptr) return;
  if (key == VK_RETURN || key == VK_ESCAPE) {
    const bool accept = key == VK_RETURN;
    key = 0;
    view->EndEdit(accept);
  }
}

void TListViewEditor::DoExit() {
  TEdit::DoExit();
  auto* view = dynamic_cast<TListView*>(Parent());
  // Leaving the edit ends it where the focus went.
  if (view != nullptr && view->editing_ != nullptr) view->FinishEdit(true, false);
}

// ---- List view ----

QV_DEFINE_CLASS(TListView, TWinControl, r) {
  r.Property("Align", &TListView::Align, &TListView::SetAlign);
  r.Property("Color", &TListView::Color, &TListView::SetColor, "TColor");
  r.Property("ColumnClick", &TListView::ColumnClick, &TListView::SetColumnClick);
  r.Property("Columns", &TListView::Columns, &TListView::SetColumns);
  r.Property("Ctl3D", &TListView::Ctl3D, &TListView::SetCtl3D);
  r.Property("Enabled", &TListView::Enabled, &TListView::SetEnabled);
  r.Property("Font", &TListView::Font, &TListView::SetFont);
  r.Property("GridLines", &TListView::GridLines, &TListView::SetGridLines);
  r.Property("HideSelection", &TListView::HideSelection, &TListView::SetHideSelection);
  r.Property("HotTrack", &TListView::HotTrack, &TListView::SetHotTrack);
  r.Property("Items", &TListView::Items, &TListView::SetItems);
  r.Property("LargeImages", &TListView::LargeImages, &TListView::SetLargeImages);
  r.Property("MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect);
  r.Property("ParentColor", &TListView::ParentColor, &TListView::SetParentColor);
  r.Property("ParentFont", &TListView::ParentFont, &TListView::SetParentFont);
  r.Property("ParentShowHint", &TListView::ParentShowHint, &TListView::SetParentShowHint);
  r.Property("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly);
  r.Property("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect);
  r.Property("ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders);
  r.Property("ShowHint", &TListView::ShowHint, &TListView::SetShowHint);
  r.Property("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages);
  r.Property("SortType", &TListView::SortType, &TListView::SetSortType);
  r.Property("TabOrder", &TListView::TabOrder, &TListView::SetTabOrder);
  r.Property("TabStop", &TListView::TabStop, &TListView::SetTabStop);
  r.Property("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle);
  r.Property("Visible", &TListView::Visible, &TListView::SetVisible);
  r.Event("OnChange", &TListView::OnChange);
  r.Event("OnChanging", &TListView::OnChanging);
  r.Event("OnClick", &TListView::OnClick);
  r.Event("OnColumnClick", &TListView::OnColumnClick);
  r.Event("OnCompare", &TListView::OnCompare);
  r.Event("OnDblClick", &TListView::OnDblClick);
  r.Event("OnDeletion", &TListView::OnDeletion);
  r.Event("OnEdited", &TListView::OnEdited);
  r.Event("OnEditing", &TListView::OnEditing);
  r.Event("OnEnter", &TListView::OnEnter);
  r.Event("OnExit", &TListView::OnExit);
  r.Event("OnInsert", &TListView::OnInsert);
  r.Event("OnKeyDown", &TListView::OnKeyDown);
  r.Event("OnKeyPress", &TListView::OnKeyPress);
  r.Event("OnKeyUp", &TListView::OnKeyUp);
  r.Event("OnMouseDown", &TListView::OnMouseDown);
  r.Event("OnMouseMove", &TListView::OnMouseMove);
  r.Event("OnMouseUp", &TListView::OnMouseUp);
  r.Event("OnResize", &TListView::OnResize);
  r.Event("OnSelectItem", &TListView::OnSelectItem);
}

TListView::TListView(TComponent* owner)
    : TWinControl(owner),
      items_(std::make_unique<TListItems>(this)),
      columns_(std::make_unique<TListColumns>(this)) {
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetColor(clWindow);
}

TListView::~TListView() = default;

void TListView::BeforeDestruction() {
  editing_ = nullptr;
  TWinControl::BeforeDestruction();
}

void TListView::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == large_images_) large_images_ = nullptr;
  if (component == small_images_) small_images_ = nullptr;
  if (component == editor_) {
    editor_ = nullptr;
    editing_ = nullptr;
  }
}

void TListView::SetItems(TListItems* items) {
  if (items != nullptr) items_->Assign(items);
}

void TListView::SetColumns(TListColumns* columns) {
  if (columns != nullptr) columns_->Assign(columns);
}

void TListView::SetViewStyle(TViewStyle style) {
  if (style == view_style_) return;
  view_style_ = style;
  RequestRepaint();
}

void TListView::SetSortType(TSortType sort_type) {
  if (sort_type == sort_type_) return;
  sort_type_ = sort_type;
  if (!KeepsOrder()) return;
  if (items_->UpdateCount() > 0)
    needs_sort_ = true;
  else
    AlphaSort();
}

void TListView::SetMultiSelect(bool multi_select) {
  if (multi_select == multi_select_) return;
  multi_select_ = multi_select;
  if (!multi_select_ && selected_.size() > 1) {
    std::vector<TListItem*> selected = SelectedItems();
    for (size_t i = 1; i < selected.size(); ++i) ItemSelecting(selected[i], false);
  }
}

void TListView::SetRowSelect(bool row_select) {
  if (row_select == row_select_) return;
  row_select_ = row_select;
  RequestRepaint();
}

void TListView::SetGridLines(bool grid_lines) {
  if (grid_lines == grid_lines_) return;
  grid_lines_ = grid_lines;
  RequestRepaint();
}

void TListView::SetHideSelection(bool hide_selection) {
  if (hide_selection == hide_selection_) return;
  hide_selection_ = hide_selection;
  RequestRepaint();
}

void TListView::SetShowColumnHeaders(bool show) {
  if (show == show_column_headers_) return;
  show_column_headers_ = show;
  RequestRepaint();
}

void TListView::SetLargeImages(TImageList* images) {
  if (images == large_images_) return;
  if (large_images_ != nullptr && large_images_ != small_images_)
    large_images_->RemoveFreeNotification(this);
  large_images_ = images;
  if (images != nullptr) images->FreeNotification(this);
  RequestRepaint();
}

void TListView::SetSmallImages(TImageList* images) {
  if (images == small_images_) return;
  if (small_images_ != nullptr && small_images_ != large_images_)
    small_images_->RemoveFreeNotification(this);
  small_images_ = images;
  if (images != nullptr) images->FreeNotification(this);
  RequestRepaint();
}

void TListView::RequestRepaint() {
  if (items_ && items_->UpdateCount() > 0)
    repaint_pending_ = true;
  else
    Invalidate();
}

void TListView::UpdateEnded() {
  bool repaint = repaint_pending_;
  repaint_pending_ = false;
  if (needs_sort_) {
    needs_sort_ = false;
    if (KeepsOrder()) {
      SortAll([this](TListItem* a, TListItem* b) { return CompareItems(a, b); });
      repaint = true;
    }
  }
  if (repaint) Invalidate();
}

// ---- Events ----

bool TListView::CanChange(TListItem* item, TItemChange change) {
  bool allow = true;
  OnChanging(this, item, change, allow);
  return allow;
}

void TListView::Change(TListItem* item, TItemChange change) {
  OnChange(this, item, change);
}

void TListView::DoSelectItem(TListItem* item, bool selected) {
  OnSelectItem(this, item, selected);
}

void TListView::ColClick(TListColumn* column) {
  OnColumnClick(this, column);
}

void TListView::ItemInserted(TListItem* item) {
  OnInsert(this, item);
  RequestRepaint();
}

void TListView::ItemRemoving(TListItem* item) {
  OnDeletion(this, item);
  if (editing_ == item) FinishEdit(false, true);
  if (ending_edit_ == item) ending_edit_ = nullptr;
  selected_.erase(item);
  if (focused_ == item) focused_ = nullptr;
  RequestRepaint();
}

void TListView::ItemsCleared() {
  if (OnDeletion)
    for (int i = 0; i < items_->Count(); ++i) OnDeletion(this, items_->Item(i));
  if (editing_ != nullptr) FinishEdit(false, true);
  ending_edit_ = nullptr;
  selected_.clear();
  focused_ = nullptr;
  top_index_ = 0;
}

// ---- Sorting ----

int TListView::CompareItems(TListItem* a, TListItem* b) const {
  if (OnCompare) {
    int result = 0;
    OnCompare(const_cast<TListView*>(this), a, b, 0, result);
    return result;
  }
  return CompareCaptions(a->caption_, b->caption_);
}

void TListView::PlaceSorted(TListItem* item) {
  const int count = items_->Count();
  if (count < 2) return;
  if (items_->UpdateCount() > 0) {
    needs_sort_ = true;
    return;
  }
  const int index = item->Index();
  const bool left_ok = index == 0 || CompareItems(items_->Item(index - 1), item) <= 0;
  const bool right_ok = index == count - 1 || CompareItems(item, items_->Item(index + 1)) < 0;
  if (left_ok && right_ok) return;
  // The place after the equal items among the others, found before the item
  // is taken out, so a compare handler that raises leaves the list whole.
  int low = 0;
  int high = count - 1;
  while (low < high) {
    const int middle = low + (high - low) / 2;
    TListItem* other = items_->Item(middle < index ? middle : middle + 1);
    if (CompareItems(item, other) < 0)
      high = middle;
    else
      low = middle + 1;
  }
  std::unique_ptr<TListItem> owned = items_->Extract(item);
  items_->InsertAt(low, std::move(owned));
}

void TListView::SortAll(const std::function<int(TListItem*, TListItem*)>& compare) {
  if (items_->Count() < 2) return;
  std::vector<std::unique_ptr<TListItem>> owned = items_->TakeAll();
  std::vector<TListItem*> order;
  order.reserve(owned.size());
  for (const auto& item : owned) order.push_back(item.get());
  try {
    std::stable_sort(order.begin(), order.end(),
                     [&](TListItem* a, TListItem* b) { return compare(a, b) < 0; });
  } catch (...) {
    items_->PutAll(std::move(owned));
    throw;
  }
  for (auto& item : owned) item.release();
  std::vector<std::unique_ptr<TListItem>> sorted;
  sorted.reserve(order.size());
  for (TListItem* item : order) sorted.emplace_back(item);
  items_->PutAll(std::move(sorted));
}

bool TListView::AlphaSort() {
  if (items_->Count() == 0) return false;
  SortAll([this](TListItem* a, TListItem* b) { return CompareItems(a, b); });
  RequestRepaint();
  return true;
}

bool TListView::CustomSort(const std::function<int(TListItem*, TListItem*, std::intptr_t)>& compare,
                           std::intptr_t data) {
  if (!compare) return AlphaSort();
  if (items_->Count() == 0) return false;
  SortAll([&](TListItem* a, TListItem* b) { return compare(a, b, data); });
  RequestRepaint();
  return true;
}

// ---- Selection ----

void TListView::ItemSelecting(TListItem* item, bool selected) {
  if (item->selected_ == selected) return;
  if (selected && !multi_select_) {
    const std::vector<TListItem*> others(selected_.begin(), selected_.end());
    for (TListItem* other : others) {
      ItemSelecting(other, false);
      if (other->selected_) return;
    }
  }
  if (!CanChange(item, ctState)) return;
  item->selected_ = selected;
  if (selected)
    selected_.insert(item);
  else
    selected_.erase(item);
  Change(item, ctState);
  DoSelectItem(item, selected);
  RequestRepaint();
}

std::vector<TListItem*> TListView::SelectedItems() const {
  std::vector<std::pair<int, TListItem*>> indexed;
  indexed.reserve(selected_.size());
  for (TListItem* item : selected_) indexed.emplace_back(item->Index(), item);
  std::sort(indexed.begin(), indexed.end());
  std::vector<TListItem*> items;
  items.reserve(indexed.size());
  for (const auto& entry : indexed) items.push_back(entry.second);
  return items;
}

TListItem* TListView::Selected() const {
  TListItem* first = nullptr;
  int first_index = 0;
  for (TListItem* item : selected_) {
    const int index = item->Index();
    if (first == nullptr || index < first_index) {
      first = item;
      first_index = index;
    }
  }
  return first;
}

void TListView::SetSelected(TListItem* item) {
  if (item == nullptr)
    ClearSelection();
  else if (item->ListView() == this)
    item->SetSelected(true);
}

int TListView::ItemIndex() const {
  const TListItem* item = Selected();
  return item != nullptr ? item->Index() : -1;
}

void TListView::SetItemIndex(int index) {
  if (index < 0 || index >= items_->Count()) {
    ClearSelection();
    return;
  }
  TListItem* item = items_->Item(index);
  item->SetSelected(true);
  focused_ = item;
}

void TListView::SetItemFocused(TListItem* item) {
  if (item != nullptr && item->ListView() != this) return;
  focused_ = item;
  RequestRepaint();
}

void TListView::ClearSelection() {
  for (TListItem* item : SelectedItems()) ItemSelecting(item, false);
}

void TListView::SelectAll() {
  if (!multi_select_) return;
  for (int i = 0; i < items_->Count(); ++i) ItemSelecting(items_->Item(i), true);
}

void TListView::SelectOnly(TListItem* item) {
  for (TListItem* other : SelectedItems())
    if (other != item) ItemSelecting(other, false);
  ItemSelecting(item, true);
}

// ---- Finding ----

TListItem* TListView::FindCaption(int start, const std::string& value, bool partial, bool inclusive,
                                  bool wrap) const {
  const int count = items_->Count();
  if (count == 0) return nullptr;
  int first = std::max(inclusive ? start : start + 1, 0);
  for (int i = first; i < count; ++i)
    if (SameText(items_->Item(i)->caption_, value, partial)) return items_->Item(i);
  if (wrap)
    for (int i = 0; i < std::min(first, count); ++i)
      if (SameText(items_->Item(i)->caption_, value, partial)) return items_->Item(i);
  return nullptr;
}

TListItem* TListView::FindData(int start, const void* value, bool inclusive, bool wrap) const {
  const int count = items_->Count();
  if (count == 0) return nullptr;
  int first = std::max(inclusive ? start : start + 1, 0);
  for (int i = first; i < count; ++i)
    if (items_->Item(i)->data_ == value) return items_->Item(i);
  if (wrap)
    for (int i = 0; i < std::min(first, count); ++i)
      if (items_->Item(i)->data_ == value) return items_->Item(i);
  return nullptr;
}

// ---- Caption editing ----

bool TListView::CanEdit(TListItem* item) {
  if (read_only_) return false;
  bool allow = true;
  OnEditing(this, item, allow);
  return allow;
}

void TListView::StartEdit(TListItem* item) {
  if (editor_ == nullptr) {
    editor_ = Create<TListViewEditor>(this);
    editor_->Hide();
    editor_->SetParent(this);
  }
  editing_ = item;
  item->MakeVisible();
  const TRect r = ItemRect(item->Index());
  const int label_width =
      view_style_ == vsReport && columns_->Count() > 0 ? Column(0)->Width() : r.Width();
  editor_->SetBounds(r.Left, r.Top, std::max(label_width, 20), r.Height());
  editor_->SetText(item->caption_);
  editor_->Show();
  if (editor_->CanFocus()) {
    editor_->SetFocus();
    editor_->SelectAll();
  }
}

void TListView::EndEdit(bool accept) {
  FinishEdit(accept, true);
}

void TListView::FinishEdit(bool accept, bool refocus) {
  if (editing_ == nullptr || editor_ == nullptr) return;
  TListItem* item = editing_;
  editing_ = nullptr;
  std::string text = editor_->Text();
  if (refocus && editor_->Focused() && CanFocus()) SetFocus();
  editor_->Hide();
  if (!accept) return;
  ending_edit_ = item;
  OnEdited(this, item, text);
  // The handler may have deleted the item.
  if (ending_edit_ == item) item->SetCaption(text);
  ending_edit_ = nullptr;
}

// ---- Geometry ----

int TListView::RowHeight() const {
  int height = Font()->Em() + 4;
  if (small_images_ != nullptr) height = std::max(height, small_images_->Height() + 1);
  return height;
}

int TListView::HeaderHeight() const {
  return view_style_ == vsReport && show_column_headers_ ? Font()->Em() + 6 : 0;
}

int TListView::ColumnsWidth() const {
  int width = 0;
  for (int i = 0; i < columns_->Count(); ++i) width += Column(i)->Width();
  return width;
}

int TListView::ContentWidth(int column) const {
  int width = 0;
  for (int i = 0; i < items_->Count(); ++i) {
    const TListItem* item = items_->Item(i);
    std::string text;
    if (column <= 0)
      text = item->caption_;
    else if (item->sub_items_ && column - 1 < item->sub_items_->Count())
      text = item->sub_items_->StringRef(column - 1);
    width = std::max(width, Font()->TextWidth(text));
  }
  return width + 12;
}

int TListView::ListCellWidth() const {
  int width = 0;
  for (int i = 0; i < items_->Count(); ++i)
    width = std::max(width, Font()->TextWidth(items_->Item(i)->caption_));
  width += 4;
  if (small_images_ != nullptr) width += small_images_->Width() + 2;
  return width;
}

int TListView::VisibleRowCount() const {
  const int row = RowHeight();
  switch (view_style_) {
    case vsReport:
      return std::max((ClientHeight() - HeaderHeight()) / row, 0);
    case vsList: {
      const int per_column = std::max(ClientHeight() / row, 1);
      return per_column * std::max(ClientWidth() / std::max(ListCellWidth(), 1), 1);
    }
    case vsSmallIcon:
      return std::max(ClientHeight() / row, 1) *
             std::max(ClientWidth() / std::max(ListCellWidth(), 1), 1);
    case vsIcon: {
      const int cell = (large_images_ != nullptr ? large_images_->Height() : 32) + 4 + row;
      return std::max(ClientHeight() / cell, 1) * std::max(ClientWidth() / 75, 1);
    }
  }
  return 0;
}

TRect TListView::ItemRect(int index) const {
  if (index < 0 || index >= items_->Count()) return {};
  const int row = RowHeight();
  const int offset = index - top_index_;
  switch (view_style_) {
    case vsReport: {
      const int width = columns_->Count() == 0
                            ? ClientWidth()
                            : (row_select_ ? ColumnsWidth() : Column(0)->Width());
      return Bounds(0, HeaderHeight() + offset * row, width, row);
    }
    case vsList: {
      const int cell = ListCellWidth();
      const int per_column = std::max(ClientHeight() / row, 1);
      return Bounds((offset / per_column) * cell, (offset % per_column) * row, cell, row);
    }
    case vsSmallIcon: {
      const int cell = ListCellWidth();
      const int per_row = std::max(ClientWidth() / std::max(cell, 1), 1);
      return Bounds((offset % per_row) * cell, (offset / per_row) * row, cell, row);
    }
    case vsIcon: {
      const int height = (large_images_ != nullptr ? large_images_->Height() : 32) + 4 + row;
      const int per_row = std::max(ClientWidth() / 75, 1);
      return Bounds((offset % per_row) * 75, (offset / per_row) * height, 75, height);
    }
  }
  return {};
}

TListItem* TListView::GetItemAt(int x, int y) const {
  if (x < 0 || y < HeaderHeight() || items_->Count() == 0) return nullptr;
  const int row = RowHeight();
  int offset = -1;
  switch (view_style_) {
    case vsReport: {
      const int width = columns_->Count() == 0
                            ? ClientWidth()
                            : (row_select_ ? ColumnsWidth() : Column(0)->Width());
      if (x >= width) return nullptr;
      offset = (y - HeaderHeight()) / row;
      break;
    }
    case vsList: {
      const int per_column = std::max(ClientHeight() / row, 1);
      if (y / row >= per_column) return nullptr;
      offset = (x / std::max(ListCellWidth(), 1)) * per_column + y / row;
      break;
    }
    case vsSmallIcon: {
      const int cell = std::max(ListCellWidth(), 1);
      const int per_row = std::max(ClientWidth() / cell, 1);
      if (x / cell >= per_row) return nullptr;
      offset = (y / row) * per_row + x / cell;
      break;
    }
    case vsIcon: {
      const int height = (large_images_ != nullptr ? large_images_->Height() : 32) + 4 + row;
      const int per_row = std::max(ClientWidth() / 75, 1);
      if (x / 75 >= per_row) return nullptr;
      offset = (y / height) * per_row + x / 75;
      break;
    }
  }
  const int index = top_index_ + offset;
  return index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
}

int TListView::ColumnAtHeader(int x, int y) const {
  if (HeaderHeight() == 0 || y < 0 || y >= HeaderHeight() || x < 0) return -1;
  int left = 0;
  for (int i = 0; i < columns_->Count(); ++i) {
    left += Column(i)->Width();
    if (x < left) return i;
  }
  return -1;
}

void TListView::SetTopIndex(int index) {
  index = std::clamp(index, 0, std::max(items_->Count() - 1, 0));
  if (index == top_index_) return;
  top_index_ = index;
  RequestRepaint();
}

// ---- Input ----

bool TListView::WantsKey(Word key, TShiftState shift) const {
  if (key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT) return true;
  return TWinControl::WantsKey(key, shift);
}

void TListView::MoveFocusTo(int index, TShiftState shift) {
  const int count = items_->Count();
  if (count == 0) return;
  index = std::clamp(index, 0, count - 1);
  TListItem* item = items_->Item(index);
  if (multi_select_ && shift.Contains(ssCtrl)) {
    focused_ = item;
  } else {
    SelectOnly(item);
    if (item->ListView() == this && item->block_ != nullptr) focused_ = item;
  }
  if (item->block_ != nullptr) item->MakeVisible();
  RequestRepaint();
}

void TListView::DefaultHandler(TMessage& message) {
  if (message.Msg == WM_KEYDOWN) {
    const TShiftState shift = KeyDataToShiftState(message.LParam);
    const int current = focused_ != nullptr ? focused_->Index() : -1;
    const int page = std::max(VisibleRowCount(), 1);
    switch (message.WParam) {
      case VK_UP:
      case VK_LEFT:
        MoveFocusTo(current < 0 ? 0 : current - 1, shift);
        return;
      case VK_DOWN:
      case VK_RIGHT:
        MoveFocusTo(current + 1, shift);
        return;
      case VK_HOME:
        MoveFocusTo(0, shift);
        return;
      case VK_END:
        MoveFocusTo(items_->Count() - 1, shift);
        return;
      case VK_PRIOR:
        MoveFocusTo(current < 0 ? 0 : current - page, shift);
        return;
      case VK_NEXT:
        MoveFocusTo(current + page, shift);
        return;
      case VK_F2:
        if (focused_ != nullptr) focused_->EditCaption();
        return;
      case 'A':
        if (shift.Contains(ssCtrl)) {
          SelectAll();
          return;
        }
        break;
      default:
        break;
    }
  }
  TWinControl::DefaultHandler(message);
}

void TListView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && !shift.Contains(ssDouble)) {
    if (HeaderHeight() > 0 && y < HeaderHeight()) {
      const int column = ColumnAtHeader(x, y);
      if (column >= 0 && column_click_) ColClick(Column(column));
    } else if (TListItem* item = GetItemAt(x, y)) {
      if (multi_select_ && shift.Contains(ssCtrl)) {
        item->SetSelected(!item->selected_);
        if (item->block_ != nullptr) focused_ = item;
      } else if (multi_select_ && shift.Contains(ssShift) && focused_ != nullptr) {
        const int from = focused_->Index();
        const int to = item->Index();
        for (TListItem* other : SelectedItems()) {
          const int at = other->Index();
          if (at < std::min(from, to) || at > std::max(from, to)) ItemSelecting(other, false);
        }
        for (int i = std::min(from, to); i <= std::max(from, to) && i < items_->Count(); ++i)
          ItemSelecting(items_->Item(i), true);
      } else {
        SelectOnly(item);
        if (item->block_ != nullptr) focused_ = item;
      }
    } else if (!shift.Contains(ssCtrl)) {
      ClearSelection();
    }
  }
  TWinControl::MouseDown(button, shift, x, y);
}

// ---- Painting ----

void TListView::Update() {
  canvas_.Prepare(*this);
  Paint();
}

void TListView::PaintItem(int index, const TRect& rect) {
  TCanvas* canvas = Canvas();
  const TListItem* item = items_->Item(index);
  const bool focused = Focused();
  const bool highlight = item->selected_ && (focused || !hide_selection_);
  const TColor text_color = canvas->Font()->Color();
  TImageList* images = view_style_ == vsIcon ? large_images_ : small_images_;
  if (highlight) {
    canvas->Brush()->SetColor(focused ? clHighlight : clBtnFace);
    canvas->FillRect(rect);
    if (focused) canvas->Font()->SetColor(clHighlightText);
  }
  canvas->Brush()->SetStyle(bsClear);
  int text_left = rect.Left + 2;
  if (images != nullptr && item->image_index_ >= 0 && item->image_index_ < images->Count()) {
    if (view_style_ == vsIcon) {
      images->Draw(canvas, rect.Left + (rect.Width() - images->Width()) / 2, rect.Top + 2,
                   item->image_index_, Enabled());
    } else {
      images->Draw(canvas, rect.Left + 2, rect.Top, item->image_index_, Enabled());
      text_left += images->Width() + 2;
    }
  }
  if (view_style_ == vsReport && columns_->Count() > 0) {
    int left = 0;
    for (int c = 0; c < columns_->Count(); ++c) {
      const TListColumn* column = Column(c);
      const int width = column->Width();
      std::string text;
      if (c == 0)
        text = item->caption_;
      else if (item->sub_items_ && c - 1 < item->sub_items_->Count())
        text = item->sub_items_->StringRef(c - 1);
      TRect cell = Rect(c == 0 ? text_left : left + 6, rect.Top, left + width - 4, rect.Bottom);
      if (c > 0 && highlight && !row_select_) canvas->Font()->SetColor(text_color);
      unsigned format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
      if (column->Alignment() == taRightJustify) format |= DT_RIGHT;
      if (column->Alignment() == taCenter) format |= DT_CENTER;
      if (!cell.IsEmpty()) canvas->DrawText(text, cell, format);
      left += width;
    }
  } else {
    TRect cell = Rect(text_left, rect.Top, rect.Right, rect.Bottom);
    unsigned format = DT_SINGLELINE | DT_NOPREFIX;
    if (view_style_ == vsIcon) {
      cell.Top = rect.Bottom - RowHeight();
      cell.Left = rect.Left;
      format |= DT_CENTER;
    } else {
      format |= DT_VCENTER;
    }
    canvas->DrawText(item->caption_, cell, format);
  }
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Font()->SetColor(text_color);
  if (focused && focused_ == item) canvas->DrawFocusRect(rect);
}

void TListView::Paint() {
  TCanvas* canvas = Canvas();
  const int header = HeaderHeight();
  if (header > 0) {
    int left = 0;
    for (int c = 0; c < columns_->Count(); ++c) {
      const TListColumn* column = Column(c);
      const TRect cell = Rect(left, 0, left + column->Width(), header);
      canvas->Brush()->SetColor(clBtnFace);
      canvas->FillRect(cell);
      FrameEdges(canvas, cell, clBtnHighlight, clBtnShadow);
      canvas->Brush()->SetStyle(bsClear);
      TRect text = Rect(cell.Left + 6, cell.Top, cell.Right - 6, cell.Bottom);
      if (!text.IsEmpty())
        canvas->DrawText(column->Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      canvas->Brush()->SetStyle(bsSolid);
      left += column->Width();
    }
  }
  const int last = std::min(items_->Count(), top_index_ + VisibleRowCount() + 1);
  for (int i = top_index_; i < last; ++i) PaintItem(i, ItemRect(i));
  if (grid_lines_ && view_style_ == vsReport) {
    canvas->Pen()->SetColor(clBtnFace);
    const int row = RowHeight();
    for (int y = header + row - 1; y < ClientHeight(); y += row) {
      canvas->MoveTo(0, y);
      canvas->LineTo(ClientWidth(), y);
    }
    int left = 0;
    for (int c = 0; c < columns_->Count(); ++c) {
      left += Column(c)->Width();
      canvas->MoveTo(left - 1, header);
      canvas->LineTo(left - 1, ClientHeight());
    }
  }
}

}  // namespace qv
