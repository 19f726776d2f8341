#pragma once
// A radio group whose buttons are TQvGroupButtons (radio buttons that draw
// their own caption): one button per line of Items, arranged in Columns
// (1 to 16) inside the group box, ItemIndex the checked one (-1 none).
// Clicking a button sets ItemIndex and raises the group's OnClick; keys
// pressed on a button reach the group's key events too.
//
// Arrangement, with T the text height of the group's font, N buttons and C
// columns: R = ceil(N / C) rows, column width (Width - 10) div C,
// H = Height - T - 5, row height H div R; item i stands in column i div R at
// left 8 + column * column width and row i mod R at top
// T + 1 + (H mod R) div 2 + row * row height, sized column width by row height.

#include <memory>
#include <vector>

#include "controls/qv_radio_button.h"
#include "platform/text/string_list.h"
#include "platform/vcl/group_box.h"

namespace ravlet {

class TQvRadioGroup;

class TQvGroupButton : public TQvRadioButton {
  QV_DECLARE_CLASS(TQvGroupButton)
  using TQvRadioButton::TQvRadioButton;

 protected:
  void KeyDown(qv::Word& key, qv::TShiftState shift) override;
  void KeyPress(char32_t& key) override;
};

class TQvRadioGroup : public qv::TCustomGroupBox {
  QV_DECLARE_CLASS(TQvRadioGroup)

  explicit TQvRadioGroup(qv::TComponent* owner);
  ~TQvRadioGroup() override;

  qv::TStringList* Items() const { return items_.get(); }
  void SetItems(const qv::TStrings& items) { items_->Assign(items); }
  int ItemIndex() const { return item_index_; }
  // Values below -1 become -1, values beyond the last item the last item.
  void SetItemIndex(int index);
  int Columns() const { return columns_; }
  // Limited to 1..16.
  void SetColumns(int columns);
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  // Raises qv::EListError for an index out of range.
  TQvGroupButton* Buttons(int index) const;

  void SetEnabled(bool enabled) override;
  void Loaded() override;
  void Notification(qv::TComponent* component, qv::TOperation operation) override;

 protected:
  void CMFontChanged(qv::TMessage& message);
  void BoundsChanged(bool moved, bool resized) override;

 private:
  friend class TQvGroupButton;
  void UpdateButtons();
  void ArrangeButtons();
  void ButtonClicked(qv::TObject* sender);

  std::unique_ptr<qv::TStringList> items_;
  std::vector<TQvGroupButton*> buttons_;
  int item_index_ = -1;
  int columns_ = 1;
  bool updating_ = false;
};

}  // namespace ravlet
