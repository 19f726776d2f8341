#pragma once
// Controls that show a list of texts and select one of them (combo boxes,
// list boxes). The control holds its Items and keeps ItemIndex on the same
// item while the list changes: an insertion or deletion before it moves it,
// deleting the selected item or clearing the list selects nothing (-1), and
// sorting follows the item to its new place.

#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/control_strings.h"
#include "platform/vcl/win_control.h"

namespace qv {

class TCustomListControl : public TWinControl, protected TControlStrings::TListener {
  QV_DECLARE_CLASS(TCustomListControl)

  explicit TCustomListControl(TComponent* owner);
  ~TCustomListControl() override;

  TStrings* Items() const { return items_.get(); }
  // Replaces the items with a copy of `items`.
  void SetItems(const TStrings& items) { items_->Assign(items); }
  // -1 when no item is selected.
  int ItemIndex() const { return item_index_; }
  // An index outside the items selects nothing (-1). Selecting from code
  // raises no event.
  virtual void SetItemIndex(int index);
  bool Sorted() const { return items_->Sorted(); }
  void SetSorted(bool sorted) { items_->SetSorted(sorted); }

  void AddItem(const std::string& text, void* object = nullptr) { items_->AddObject(text, object); }
  void DeleteSelected();
  void Clear() { items_->Clear(); }

 protected:
  // The selection moved to another item (or to none), by code or by the list
  // changing under it; `previous` is the index before. Also called, with
  // `previous` equal to ItemIndex, when the selected item's text changed.
  virtual void SelectionChanged(int /*previous*/) { Invalidate(); }
  // The list changed (once per change or batch).
  virtual void ListChanged() { Invalidate(); }
  // Sets the index without the range rule, for subclasses that checked it.
  void StoreItemIndex(int index);

  void ItemInserted(int index) override;
  void ItemDeleted(int index) override;
  void ItemChanged(int index) override;
  void ItemsCleared() override;
  void ItemsReordered(const std::vector<int>& new_index) override;
  void ItemsChanged() override { ListChanged(); }

 private:
  std::unique_ptr<TControlStrings> items_;
  int item_index_ = -1;
};

}  // namespace qv
