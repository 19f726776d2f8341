#pragma once
// Page controls and their tab sheets. A sheet joins a page control by being
// placed on it (SetParent or SetPageControl) and leaves it when it is moved
// elsewhere or freed. Pages keep their PageIndex order; a tab is shown for
// every page whose TabVisible is set, so tab indexes count visible tabs only.
// Only the active page is visible; it fills the display area below the tabs.
//
// Changing the page from code (ActivePage, ActivePageIndex) raises no event.
// The person's changes — a click on a tab, the arrow keys on the focused
// control, Ctrl+Tab and Ctrl+Shift+Tab while the focus is inside it, and
// SelectNextPage — ask OnChanging first (a refusal keeps the page) and raise
// OnChange after. SelectNextPage goes round from the last page to the first
// and skips pages whose tab is hidden. Hiding the active page's tab makes the
// page now at its tab position active (the one before when it was the last),
// without events; freeing the active page activates the next one.
//
// Geometry of the headless model, with H = TabHeight (or, when 0, the font's
// character height + 6) and W = TabWidth (or, when 0, the caption's width +
// 12): tabs stand in a row from (2, 2), W x H each, side by side; buttons
// (tsButtons, tsFlatButtons) from (0, 0) with 3 pixels between them. With
// MultiLine a tab that would cross the right edge (2 pixels inside for tabs)
// starts a new row H below; at least one row is always kept. The display
// area of tabs is inset 4 pixels from the sides and the bottom and starts
// 4 pixels below the last row; that of buttons spans the width and starts 3
// pixels below the last row. The active tab is drawn 2 pixels larger on
// each side. With OwnerDraw every tab is drawn by DrawTab.

#include <vector>

#include "platform/vcl/graphic_control.h"
#include "platform/vcl/win_control.h"

namespace qv {

QV_ENUM(TTabStyle, tsTabs, tsButtons, tsFlatButtons);

class TPageControl;

class TTabSheet : public TWinControl {
  QV_DECLARE_CLASS(TTabSheet)

  explicit TTabSheet(TComponent* owner);
  void BeforeDestruction() override;

  TPageControl* PageControl() const { return page_control_; }
  void SetPageControl(TPageControl* page_control);
  void SetParent(TWinControl* parent) override;

  // The position among the pages; -1 without a page control. Values outside
  // the pages are ignored.
  int PageIndex() const;
  void SetPageIndex(int index);
  // The position among the visible tabs; -1 when the tab is hidden.
  int TabIndex() const;
  bool TabVisible() const { return tab_visible_; }
  void SetTabVisible(bool visible);
  bool Highlighted() const { return highlighted_; }
  void SetHighlighted(bool highlighted);

  // Raised when the page becomes visible (active) and when it is hidden.
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

 protected:
  void CMTextChanged(TMessage& message);
  void CMVisibleChanged(TMessage& message);

 private:
  friend class TPageControl;
  TPageControl* page_control_ = nullptr;
  bool tab_visible_ = true;
  bool highlighted_ = false;
};

class TPageControl : public TWinControl {
  QV_DECLARE_CLASS(TPageControl)

  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;
  void BeforeDestruction() override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  // Raises EListError when the index is out of range.
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const { return active_page_; }
  // A page of another control is ignored; null shows no page.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  // An index outside the pages shows no page.
  void SetActivePageIndex(int index);
  // The active page's tab position; -1 when none is active or its tab is hidden.
  int TabIndex() const;
  int TabCount() const { return static_cast<int>(VisiblePages().size()); }
  // The page a tab stands for; null when the index is out of range.
  TTabSheet* PageForTab(int tab_index) const;

  // The page after (or before) `current` with a visible tab (any page when
  // check_tab_visible is false), going round; null when there is none.
  TTabSheet* FindNextPage(TTabSheet* current, bool go_forward, bool check_tab_visible) const;
  // Moves to that page as the person does: OnChanging, then OnChange.
  void SelectNextPage(bool go_forward, bool check_tab_visible = true);

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
  bool OwnerDraw() const { return owner_draw_; }
  void SetOwnerDraw(bool owner_draw);

  // The rectangle of a tab (as given out before the active tab is enlarged);
  // empty for an index out of range.
  TRect TabRect(int tab_index) const;
  // The tab under a client point; -1 when none.
  int IndexOfTabAt(int x, int y) const;
  int RowCount() const;
  // The area the active page fills.
  TRect DisplayRect() const;
  void AdjustClientRect(TRect& rect) const override;

  TCanvas* Canvas() const { return canvas_.Canvas(); }
  void Update() override;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  // True when OnChanging allows the change.
  virtual bool CanChange();
  virtual void Change();
  virtual void Paint();
  // Draws one tab (owner-drawn tabs): the base fills the rectangle.
  virtual void DrawTab(int tab_index, const TRect& rect, bool active);
  bool FocusOnClick() const override { return true; }
  bool WantsKey(Word key, TShiftState shift) const override;
  void DefaultHandler(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void CMDialogKey(TMessage& message);
  void CMFontChanged(TMessage& message);

 private:
  friend class TTabSheet;
  std::vector<TTabSheet*> VisiblePages() const;
  std::vector<TRect> TabRects() const;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void MovePage(TTabSheet* page, int index);
  void TabVisibilityChanged(TTabSheet* page, bool now_visible, int old_tab_index);
  // Lays the tabs out again and resizes the active page.
  void TabsChanged();
  // A change of page as the person makes it; false when refused.
  bool ChangePage(TTabSheet* page);

  std::vector<TTabSheet*> pages_;
  TTabSheet* active_page_ = nullptr;
  int tab_height_ = 0;
  int tab_width_ = 0;
  bool multi_line_ = false;
  TTabStyle style_ = tsTabs;
  bool hot_track_ = false;
  bool owner_draw_ = false;
  int hot_tab_ = -1;
  TControlCanvas canvas_;
};

}  // namespace qv
