#pragma once
// Radio groups: one radio button per line of Items, arranged in Columns
// (1 to 16) inside the group box; ItemIndex is the checked one (-1 none).
// Clicking a button sets ItemIndex and raises the group's OnClick; keys
// pressed on a button reach the group's key events too.
//
// Arrangement, with T the text height of the group's font, N buttons and C
// columns: R = ceil(N / C) rows, column width (Width - 10) div C,
// H = Height - T - 5, row height H div R; item i stands in column i div R at
// left 8 + column * column width and row i mod R at top
// T + 1 + (H mod R) div 2 + row * row height.

#include <memory>
#include <vector>

#include "platform/text/string_list.h"
#include "platform/vcl/group_box.h"
#include "platform/vcl/radio_button.h"

namespace qv {

class TCustomRadioGroup;

// The buttons a radio group makes for its items.
class TGroupButton : public TRadioButton {
  QV_DECLARE_CLASS(TGroupButton)
  using TRadioButton::TRadioButton;

 protected:
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
};

class TCustomRadioGroup : public TCustomGroupBox {
  QV_DECLARE_CLASS(TCustomRadioGroup)

  explicit TCustomRadioGroup(TComponent* owner);
  ~TCustomRadioGroup() override;

  TStringList* Items() const { return items_.get(); }
  void SetItems(const TStrings& items) { items_->Assign(items); }
  int ItemIndex() const { return item_index_; }
  // Values below -1 become -1, values beyond the last item the last item.
  void SetItemIndex(int index);
  int Columns() const { return columns_; }
  void SetColumns(int columns);
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TGroupButton* Buttons(int index) const;

  void SetEnabled(bool enabled) override;
  void Loaded() override;

 protected:
  // Makes the button of one item; a subclass may make buttons of its own kind.
  virtual TGroupButton* CreateButton();
  void CMFontChanged(TMessage& message);
  void BoundsChanged(bool moved, bool resized) override;

 private:
  friend class TGroupButton;
  void UpdateButtons();
  void ArrangeButtons();
  void ButtonClicked(TObject* sender);
  void Notification(TComponent* component, TOperation operation) override;

  std::unique_ptr<TStringList> items_;
  std::vector<TGroupButton*> buttons_;
  int item_index_ = -1;
  int columns_ = 1;
  bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
  QV_DECLARE_CLASS(TRadioGroup)
  using TCustomRadioGroup::TCustomRadioGroup;
};

}  // namespace qv
