#pragma once
// Tab controls: a row of tabs named by the lines of Tabs above a display
// area that other controls are placed in (the same for every tab; the
// program changes what it shows when the tab changes). TabIndex is the
// selected tab (-1 none) and stays on its tab while Tabs changes; deleting
// the selected tab selects none.
//
// Selecting from code (TabIndex) raises no event. The person's changes — a
// click on a tab, the arrow keys on the focused control, Ctrl+Tab and
// Ctrl+Shift+Tab while the focus is inside it — ask OnChanging first (a
// refusal keeps the tab) and raise OnChange after.
//
// Geometry as the page control's: with H = TabHeight (or the font's
// character height + 6) and W = TabWidth (or the text's width + 12), tabs
// stand side by side from (2, 2), buttons from (0, 0) with 3 pixels between
// them; MultiLine starts a new row where a tab would cross the right edge
// (2 pixels inside for tabs). The display area of tabs is inset 4 pixels
// from the sides and the bottom and starts 4 pixels below the last row; that
// of buttons spans the width and starts 3 pixels below the last row.

#include <memory>
#include <vector>

#include "platform/vcl/control_strings.h"
#include "platform/vcl/page_control.h"
#include "platform/vcl/win_control.h"

namespace qv {

class TCustomTabControl : public TWinControl, protected TControlStrings::TListener {
  QV_DECLARE_CLASS(TCustomTabControl)

  explicit TCustomTabControl(TComponent* owner);
  ~TCustomTabControl() override;

  TStrings* Tabs() const { return tabs_.get(); }
  void SetTabs(const TStrings& tabs) { tabs_->Assign(tabs); }
  int TabIndex() const { return tab_index_; }
  // An index outside the tabs selects none.
  void SetTabIndex(int index);

  int TabHeight() const { return tab_height_; }
  void SetTabHeight(int height);
  int TabWidth() const { return tab_width_; }
  void SetTabWidth(int width);
  bool MultiLine() const { return multi_line_; }
  void SetMultiLine(bool multi_line);
  TTabStyle Style() const { return style_; }
  void SetStyle(TTabStyle style);
  bool HotTrack() const { return hot_track_; }
  void SetHotTrack(bool hot_track) { hot_track_ = hot_track; }

  // Empty for an index out of range.
  TRect TabRect(int index) const;
  // The tab under a client point; -1 when none.
  int IndexOfTabAt(int x, int y) const;
  int RowCount() const;
  TRect DisplayRect() const;
  void AdjustClientRect(TRect& rect) const override;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  virtual bool CanChange();
  virtual void Change();
  bool FocusOnClick() const override { return true; }
  bool WantsKey(Word key, TShiftState shift) const override;
  void DefaultHandler(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void CMDialogKey(TMessage& message);
  void CMFontChanged(TMessage& message);

  void ItemInserted(int index) override;
  void ItemDeleted(int index) override;
  void ItemsCleared() override;
  void ItemsReordered(const std::vector<int>& new_index) override;
  void ItemsChanged() override;

 private:
  std::vector<TRect> TabRects() const;
  // A change of tab as the person makes it; false when refused.
  bool ChangeTab(int index);
  void TabsChanged();

  std::unique_ptr<TControlStrings> tabs_;
  int tab_index_ = -1;
  int tab_height_ = 0;
  int tab_width_ = 0;
  bool multi_line_ = false;
  TTabStyle style_ = tsTabs;
  bool hot_track_ = false;
};

class TTabControl : public TCustomTabControl {
  QV_DECLARE_CLASS(TTabControl)
  using TCustomTabControl::TCustomTabControl;
};

}  // namespace qv
