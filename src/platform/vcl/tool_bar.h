#pragma once
// Tool bars and their buttons. A tool bar lays its buttons out from left to
// right in child order, ButtonWidth x ButtonHeight each (separators and
// dividers keep their own width), starting a new row when Wrapable and a
// button would pass the right edge.
//
// A click on a tbsCheck button toggles Down; among adjacent Grouped check
// buttons one is down at a time (none only with AllowAllUp). A tbsDropDown
// button drops its DropdownMenu from its arrow (the right-hand
// kDropDownArrowWidth pixels) and clicks elsewhere; any other button with a
// DropdownMenu drops the menu instead of clicking.

#include "platform/vcl/graphic_control.h"
#include "platform/vcl/image_list.h"
#include "platform/vcl/menus.h"
#include "platform/vcl/win_control.h"

namespace qv {

QV_ENUM(TToolButtonStyle, tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider);

class TToolBar;

class TToolButton : public TGraphicControl {
  QV_DECLARE_CLASS(TToolButton)

  static constexpr int kDropDownArrowWidth = 12;

  explicit TToolButton(TComponent* owner);
  void BeforeDestruction() override;
  void SetParent(TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  void Notification(TComponent* component, TOperation operation) override;

  TToolBar* ToolBar() const;
  // The position among the tool bar's buttons; -1 outside a tool bar.
  int Index() const;

  TToolButtonStyle Style() const { return style_; }
  void SetStyle(TToolButtonStyle style);
  bool Down() const { return down_; }
  // Raising the down button of a group is refused unless AllowAllUp.
  void SetDown(bool down);
  bool Grouped() const { return grouped_; }
  void SetGrouped(bool grouped);
  bool AllowAllUp() const { return allow_all_up_; }
  void SetAllowAllUp(bool allow) { allow_all_up_ = allow; }
  bool Indeterminate() const { return indeterminate_; }
  void SetIndeterminate(bool value);
  bool Marked() const { return marked_; }
  void SetMarked(bool value);
  bool Wrap() const { return wrap_; }
  void SetWrap(bool wrap);
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int index);
  TPopupMenu* DropdownMenu() const { return dropdown_menu_; }
  void SetDropdownMenu(TPopupMenu* menu);

  // Drops the menu below the button; false when there is none to drop.
  bool CheckMenuDropdown();
  void Click() override;

 protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void Paint() override;
  void CMVisibleChanged(TMessage& message);
  void CMTextChanged(TMessage& message);

 private:
  bool IsSeparator() const { return style_ == tbsSeparator || style_ == tbsDivider; }
  // The adjacent grouped check buttons this one belongs to (itself included).
  std::vector<TToolButton*> Group() const;
  void Rearrange();

  TToolButtonStyle style_ = tbsButton;
  bool down_ = false;
  bool grouped_ = false;
  bool allow_all_up_ = false;
  bool indeterminate_ = false;
  bool marked_ = false;
  bool wrap_ = false;
  int image_index_ = -1;
  TPopupMenu* dropdown_menu_ = nullptr;
  bool menu_dropped_ = false;
};

class TToolBar : public TWinControl {
  QV_DECLARE_CLASS(TToolBar)

  explicit TToolBar(TComponent* owner);

  int ButtonCount() const;
  // Raises EListError "List index out of bounds (<index>)".
  TToolButton* Buttons(int index) const;

  int ButtonWidth() const { return button_width_; }
  void SetButtonWidth(int width);
  int ButtonHeight() const { return button_height_; }
  void SetButtonHeight(int height);
  int Indent() const { return indent_; }
  void SetIndent(int indent);
  bool Wrapable() const { return wrapable_; }
  void SetWrapable(bool wrapable);
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  bool ShowCaptions() const { return show_captions_; }
  void SetShowCaptions(bool show);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  TImageList* DisabledImages() const { return disabled_images_; }
  void SetDisabledImages(TImageList* images);

  // Places the buttons again.
  void ArrangeButtons();
  void Notification(TComponent* component, TOperation operation) override;

 protected:
  void BoundsChanged(bool moved, bool resized) override;

 private:
  friend class TToolButton;
  int button_width_ = 23;
  int button_height_ = 22;
  int indent_ = 0;
  bool wrapable_ = true;
  bool flat_ = false;
  bool show_captions_ = false;
  TImageList* images_ = nullptr;
  TImageList* disabled_images_ = nullptr;
  bool arranging_ = false;
};

}  // namespace qv
