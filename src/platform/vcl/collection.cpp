#include "platform/vcl/collection.h"

#include <algorithm>

#include "platform/core/exception.h"

namespace qv {

QV_DEFINE_CLASS(TCollectionItem, TPersistent, r) {}

QV_DEFINE_CLASS(TCollection, TPersistent, r) {}

TCollectionItem::~TCollectionItem() = default;

int TCollectionItem::Index() const {
  return collection_ ? collection_->IndexOfItem(this) : -1;
}

void TCollectionItem::SetIndex(int index) {
  if (collection_ != nullptr) collection_->MoveItem(this, index);
}

std::string TCollectionItem::DisplayName() const {
  return ClassName();
}

std::string TCollectionItem::GetNamePath() const {
  if (collection_ == nullptr) return ClassName();
  return collection_->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

void TCollectionItem::Changed(bool all_items) {
  if (collection_ != nullptr) collection_->Changed(all_items ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() const {
  return collection_;
}

TCollection::TCollection(TPersistent* owner, std::string property_name)
    : owner_(owner), property_name_(std::move(property_name)) {}

TCollection::~TCollection() = default;

void TCollection::IndexError(int index) const {
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TCollection::IndexOfItem(const TCollectionItem* item) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == item) return static_cast<int>(i);
  return -1;
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return items_[static_cast<size_t>(index)].get();
}

TCollectionItem* TCollection::Add() {
  return Insert(Count());
}

TCollectionItem* TCollection::Insert(int index) {
  if (index < 0 || index > Count()) IndexError(index);
  std::unique_ptr<TCollectionItem> item = NewItem();
  TCollectionItem* raw = item.get();
  raw->collection_ = this;
  raw->id_ = next_id_++;
  items_.insert(items_.begin() + index, std::move(item));
  Added(raw);
  Changed(nullptr);
  return raw;
}

void TCollection::Delete(int index) {
  Remove(Items(index));
}

void TCollection::Remove(TCollectionItem* item) {
  const int index = IndexOfItem(item);
  if (index < 0) throw EListError("Item does not belong to this collection");
  Deleting(item);
  // The item leaves the list before it is freed, so that nothing reaches it
  // through the collection while it goes.
  std::unique_ptr<TCollectionItem> owned = std::move(items_[static_cast<size_t>(index)]);
  items_.erase(items_.begin() + index);
  owned->collection_ = nullptr;
  owned.reset();
  Changed(nullptr);
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) Remove(items_.back().get());
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (const auto& item : items_)
    if (item->id_ == id) return item.get();
  return nullptr;
}

void TCollection::MoveItem(TCollectionItem* item, int index) {
  const int current = IndexOfItem(item);
  if (current < 0) return;
  index = std::clamp(index, 0, Count() - 1);
  if (index == current) return;
  std::unique_ptr<TCollectionItem> owned = std::move(items_[static_cast<size_t>(current)]);
  items_.erase(items_.begin() + current);
  items_.insert(items_.begin() + index, std::move(owned));
  Changed(nullptr);
}

void TCollection::BeginUpdate() {
  ++update_count_;
}

void TCollection::EndUpdate() {
  if (update_count_ == 0) return;
  if (--update_count_ == 0 && changed_while_updating_) {
    changed_while_updating_ = false;
    Update(nullptr);
  }
}

void TCollection::Changed(TCollectionItem* item) {
  if (update_count_ > 0) {
    changed_while_updating_ = true;
    return;
  }
  Update(item);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Added(TCollectionItem*) {}

void TCollection::Deleting(TCollectionItem*) {}

std::string TCollection::GetNamePath() const {
  if (owner_ == nullptr) return ClassName();
  const std::string owner_path = owner_->GetNamePath();
  if (owner_path.empty() || property_name_.empty()) return ClassName();
  return owner_path + "." + property_name_;
}

void TCollection::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TCollection*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  try {
    Clear();
    for (const auto& item : other->items_) Add()->Assign(item.get());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

}  // namespace qv
