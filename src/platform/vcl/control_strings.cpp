#include "platform/vcl/control_strings.h"

#include <algorithm>
#include <numeric>

#include "platform/core/exception.h"

namespace qv {

TControlStrings::~TControlStrings() = default;

void TControlStrings::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) ErrorIndex(index);
}

int TControlStrings::SortedPosition(std::string_view text) const {
  auto it = std::upper_bound(
      items_.begin(), items_.end(), text,
      [this](std::string_view t, const TItem& item) { return CompareStrings(t, item.Text) < 0; });
  return static_cast<int>(it - items_.begin());
}

int TControlStrings::Add(const std::string& text) {
  return AddObject(text, nullptr);
}

int TControlStrings::AddObject(const std::string& text, void* object) {
  const int index = sorted_ ? SortedPosition(text) : Count();
  InsertObject(index, text, object);
  return index;
}

void TControlStrings::Insert(int index, const std::string& text) {
  InsertObject(index, text, nullptr);
}

void TControlStrings::InsertObject(int index, const std::string& text, void* object) {
  if (index < 0 || index > Count()) ErrorIndex(index);
  items_.insert(items_.begin() + index, TItem{text, object});
  if (listener_) listener_->ItemInserted(index);
  Changed();
}

void TControlStrings::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  if (listener_) listener_->ItemDeleted(index);
  Changed();
}

void TControlStrings::Clear() {
  if (items_.empty()) return;
  items_.clear();
  if (listener_) listener_->ItemsCleared();
  Changed();
}

std::string TControlStrings::Get(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].Text;
}

void TControlStrings::Put(int index, const std::string& text) {
  CheckIndex(index);
  std::string& slot = items_[static_cast<size_t>(index)].Text;
  if (slot == text) return;
  slot = text;
  if (listener_) listener_->ItemChanged(index);
  Changed();
}

void* TControlStrings::GetObject(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].Object;
}

void TControlStrings::PutObject(int index, void* object) {
  CheckIndex(index);
  items_[static_cast<size_t>(index)].Object = object;
}

void TControlStrings::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  if (!sorted_ || items_.size() < 2) return;
  std::vector<int> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
    return CompareStrings(items_[static_cast<size_t>(a)].Text,
                          items_[static_cast<size_t>(b)].Text) < 0;
  });
  std::vector<TItem> sorted_items;
  sorted_items.reserve(items_.size());
  std::vector<int> new_index(items_.size());
  for (size_t i = 0; i < order.size(); ++i) {
    sorted_items.push_back(std::move(items_[static_cast<size_t>(order[i])]));
    new_index[static_cast<size_t>(order[i])] = static_cast<int>(i);
  }
  items_ = std::move(sorted_items);
  if (listener_) listener_->ItemsReordered(new_index);
  Changed();
}

void TControlStrings::SetUpdateState(bool updating) {
  updating_ = updating;
  if (!updating_ && changed_while_updating_) {
    changed_while_updating_ = false;
    if (listener_) listener_->ItemsChanged();
  }
}

void TControlStrings::Changed() {
  if (updating_) {
    changed_while_updating_ = true;
    return;
  }
  if (listener_) listener_->ItemsChanged();
}

}  // namespace qv
