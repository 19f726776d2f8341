#pragma once
// The item texts a control shows (a combo box's or list box's Items, a radio
// group's items, a tab set's Tabs): a string list that tells its control of
// every change as it happens, so the control keeps its selection on the same
// item and its display in step. A sorted list adds each new text at its
// place in order (without regard to case); Insert puts a text where asked.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/string_list.h"

namespace qv {

class TControlStrings : public TStrings {
 public:
  // What the control hears. Each change is told first; Changed follows once
  // per change, or once at the end of a BeginUpdate/EndUpdate batch.
  class TListener {
   public:
    virtual ~TListener() = default;
    virtual void ItemInserted(int /*index*/) {}
    // The item at `index` is gone.
    virtual void ItemDeleted(int /*index*/) {}
    // The text of an item was replaced.
    virtual void ItemChanged(int /*index*/) {}
    virtual void ItemsCleared() {}
    // Sorting moved the items: new_index[i] is where the old item i went.
    virtual void ItemsReordered(const std::vector<int>& /*new_index*/) {}
    virtual void ItemsChanged() {}
  };

  explicit TControlStrings(TListener* listener = nullptr) : listener_(listener) {}
  ~TControlStrings() override;

  int Count() const override { return static_cast<int>(items_.size()); }
  int Add(const std::string& text) override;
  int AddObject(const std::string& text, void* object) override;
  void Clear() override;
  void Delete(int index) override;
  void Insert(int index, const std::string& text) override;
  void InsertObject(int index, const std::string& text, void* object) override;

  bool Sorted() const { return sorted_; }
  // Turning sorting on sorts the items present.
  void SetSorted(bool sorted);

 protected:
  std::string Get(int index) const override;
  void Put(int index, const std::string& text) override;
  void* GetObject(int index) const override;
  void PutObject(int index, void* object) override;
  void SetUpdateState(bool updating) override;

 private:
  struct TItem {
    std::string Text;
    void* Object = nullptr;
  };
  void CheckIndex(int index) const;
  int SortedPosition(std::string_view text) const;
  void Changed();

  TListener* listener_;
  std::vector<TItem> items_;
  bool sorted_ = false;
  bool updating_ = false;
  bool changed_while_updating_ = false;
};

}  // namespace qv
