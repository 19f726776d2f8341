#include "platform/vcl/list_control.h"

namespace qv {

QV_DEFINE_CLASS(TCustomListControl, TWinControl, r) {}

TCustomListControl::TCustomListControl(TComponent* owner)
    : TWinControl(owner),
      items_(std::make_unique<TControlStrings>(static_cast<TListener*>(this))) {}

TCustomListControl::~TCustomListControl() = default;

void TCustomListControl::SetItemIndex(int index) {
  if (index < 0 || index >= items_->Count()) index = -1;
  StoreItemIndex(index);
}

void TCustomListControl::StoreItemIndex(int index) {
  if (index == item_index_) return;
  const int previous = item_index_;
  item_index_ = index;
  SelectionChanged(previous);
}

void TCustomListControl::DeleteSelected() {
  if (item_index_ >= 0) items_->Delete(item_index_);
}

void TCustomListControl::ItemInserted(int index) {
  if (item_index_ >= 0 && index <= item_index_) ++item_index_;
}

void TCustomListControl::ItemDeleted(int index) {
  if (item_index_ < 0) return;
  if (index == item_index_)
    StoreItemIndex(-1);
  else if (index < item_index_)
    --item_index_;
}

void TCustomListControl::ItemChanged(int index) {
  if (index == item_index_) SelectionChanged(item_index_);
}

void TCustomListControl::ItemsCleared() {
  StoreItemIndex(-1);
}

void TCustomListControl::ItemsReordered(const std::vector<int>& new_index) {
  if (item_index_ >= 0 && item_index_ < static_cast<int>(new_index.size()))
    item_index_ = new_index[static_cast<size_t>(item_index_)];
}

}  // namespace qv
