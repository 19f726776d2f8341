#pragma once
// Collections: an ordered list of items of one class that a persistent object
// (a status bar's panels, a list view's columns) owns and publishes as one
// property. The collection owns its items; each item knows its position and
// keeps an ID that does not change when items move. Every change reaches
// Update (the item that changed, or null when the list itself changed), which
// a collection overrides to tell its owner; BeginUpdate/EndUpdate gather the
// changes of a batch into one Update(null) at its end.
//
//   TStatusPanel* panel = bar->Panels()->Add();   // typed Add of the subclass
//   bar->Panels()->Items(0)->SetText("Ready");

#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/persistent.h"

namespace qv {

class TCollection;

class TCollectionItem : public TPersistent {
  QV_DECLARE_CLASS(TCollectionItem)

  TCollectionItem() = default;
  ~TCollectionItem() override;

  // The collection holding the item; null while it is held by none.
  TCollection* Collection() const { return collection_; }
  // The position in the collection; -1 without one.
  int Index() const;
  // Moves the item; values outside the list are limited to it.
  void SetIndex(int index);
  // Unique within the collection, given out in creation order from 0.
  int ID() const { return id_; }
  // The text a designer shows for the item: the class name unless a
  // subclass has a better one.
  virtual std::string DisplayName() const;
  // "<collection path>[<index>]", e.g. "StatusBar1.Panels[0]".
  std::string GetNamePath() const override;

 protected:
  // Reports a change of the item (or, with all_items, of the whole list).
  void Changed(bool all_items = false);
  TPersistent* GetOwner() const override;

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = -1;
};

class TCollection : public TPersistent {
  QV_DECLARE_CLASS(TCollection)

  // `owner` is the object that publishes the collection; `property_name`
  // the name it publishes it under (for GetNamePath).
  explicit TCollection(TPersistent* owner = nullptr, std::string property_name = {});
  ~TCollection() override;

  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError "List index out of bounds (<index>)".
  TCollectionItem* Items(int index) const;
  TCollectionItem* Add();
  // Inserts before `index` (0 to Count); raises EListError otherwise.
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  // The item with that ID; null when none.
  TCollectionItem* FindItemID(int id) const;
  // Frees the item, which must be one of this collection's.
  void Remove(TCollectionItem* item);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return update_count_; }

  TPersistent* Owner() const { return owner_; }
  const std::string& PropertyName() const { return property_name_; }
  std::string GetNamePath() const override;

  // Copies the items of another collection (each with Assign).
  void Assign(const TPersistent* source) override;

 protected:
  // A new item of the collection's item class.
  virtual std::unique_ptr<TCollectionItem> NewItem() = 0;
  // An item changed, or (item null) the list or every item did.
  virtual void Update(TCollectionItem* item);
  // The item was added, or is about to be freed.
  virtual void Added(TCollectionItem* item);
  virtual void Deleting(TCollectionItem* item);
  TPersistent* GetOwner() const override { return owner_; }

 private:
  friend class TCollectionItem;
  void Changed(TCollectionItem* item);
  void MoveItem(TCollectionItem* item, int index);
  int IndexOfItem(const TCollectionItem* item) const;
  [[noreturn]] void IndexError(int index) const;

  TPersistent* owner_;
  std::string property_name_;
  std::vector<std::unique_ptr<TCollectionItem>> items_;
  int next_id_ = 0;
  int update_count_ = 0;
  bool changed_while_updating_ = false;
};

}  // namespace qv
