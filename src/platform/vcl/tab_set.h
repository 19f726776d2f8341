#pragma once
// Tab sets: a strip of tabs, one per line of Tabs, from StartMargin on (each
// the width of its text plus 2 x 9 pixels, TabHeight high), showing the tabs
// from FirstIndex. A change of TabIndex — by a click, SelectNext or code —
// asks OnChange (which may refuse it) and raises OnClick after. An index
// outside -1 .. Tabs.Count - 1 raises EInvalidOperation "Tab index out of
// bounds". TabIndex stays on its tab while Tabs changes (no events); deleting
// the selected tab selects none.

#include <memory>
#include <vector>

#include "platform/vcl/control_strings.h"
#include "platform/vcl/custom_control.h"

namespace qv {

// NewTab: the tab about to be selected; AllowChange: set to false to refuse.
QV_EVENT_TYPE(TTabChangeEvent, TObject*, int, bool&);

class TTabSet : public TCustomControl, protected TControlStrings::TListener {
  QV_DECLARE_CLASS(TTabSet)

  static constexpr int kEdgeWidth = 9;

  explicit TTabSet(TComponent* owner);
  ~TTabSet() override;

  TStrings* Tabs() const { return tabs_.get(); }
  void SetTabs(const TStrings& tabs) { tabs_->Assign(tabs); }
  int TabIndex() const { return tab_index_; }
  void SetTabIndex(int index);
  // Selects the next (or previous) tab, going round.
  void SelectNext(bool go_forward);

  int FirstIndex() const { return first_index_; }
  // Limited to the tabs.
  void SetFirstIndex(int index);
  int StartMargin() const { return start_margin_; }
  void SetStartMargin(int margin);
  int EndMargin() const { return end_margin_; }
  void SetEndMargin(int margin);
  int TabHeight() const { return tab_height_; }
  void SetTabHeight(int height);
  TColor SelectedColor() const { return selected_color_; }
  void SetSelectedColor(TColor color);
  TColor UnselectedColor() const { return unselected_color_; }
  void SetUnselectedColor(TColor color);
  bool AutoScroll() const { return auto_scroll_; }
  void SetAutoScroll(bool auto_scroll) { auto_scroll_ = auto_scroll; }

  // Where a tab is shown; empty when it is scrolled off or out of range.
  TRect ItemRect(int index) const;
  // The tab under a client point; -1 when none.
  int ItemAtPos(TPoint pos) const;
  // Tabs that fit from FirstIndex before the end margin (at least 1 when
  // there are tabs).
  int VisibleTabs() const;

  TTabChangeEvent OnChange;

 protected:
  virtual bool CanChange(int new_tab);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void Paint() override;

  void ItemInserted(int index) override;
  void ItemDeleted(int index) override;
  void ItemsCleared() override;
  void ItemsReordered(const std::vector<int>& new_index) override;
  void ItemsChanged() override;

 private:
  int TabWidth(int index) const;
  void MakeVisible(int index);

  std::unique_ptr<TControlStrings> tabs_;
  int tab_index_ = -1;
  int first_index_ = 0;
  int start_margin_ = 5;
  int end_margin_ = 5;
  int tab_height_ = 20;
  TColor selected_color_ = clBtnFace;
  TColor unselected_color_ = clWindow;
  bool auto_scroll_ = true;
};

}  // namespace qv
