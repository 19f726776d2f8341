#pragma once
// Menus: a tree of menu items under a main menu or a pop-up menu. An item
// has a caption, may be checked, and belongs to a group by GroupIndex;
// checking a radio item unchecks the other radio items of its group under
// the same parent. Click raises OnClick on an enabled item (toggling Checked
// first with AutoCheck). A pop-up menu records where and for whom it last
// popped up, since nothing is drawn.
//
// Items are components of some owner (usually the form); the parent item
// holds them in menu order. Freeing an item frees the items below it; Delete
// and Remove only take an item out of the menu.

#include <string>
#include <vector>

#include "platform/vcl/component.h"
#include "platform/vcl/events.h"
#include "platform/vcl/geometry.h"
#include "platform/vcl/image_list.h"

namespace qv {

// A menu index out of range, an item inserted twice or into itself.
QV_DECLARE_EXCEPTION(EMenuError, Exception);

QV_ENUM(TPopupAlignment, paLeft, paRight, paCenter);

class TMenu;

class TMenuItem : public TComponent {
  QV_DECLARE_CLASS(TMenuItem)

  explicit TMenuItem(TComponent* owner);
  void BeforeDestruction() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool RadioItem() const { return radio_item_; }
  void SetRadioItem(bool radio_item);
  uint8_t GroupIndex() const { return group_index_; }
  void SetGroupIndex(uint8_t group_index);
  bool AutoCheck() const { return auto_check_; }
  void SetAutoCheck(bool auto_check) { auto_check_ = auto_check; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Default() const { return default_; }
  void SetDefault(bool value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int index);
  // Key and shift flags as the system packs them; 0 for none.
  int ShortCut() const { return short_cut_; }
  void SetShortCut(int short_cut) { short_cut_ = short_cut; }

  TMenuItem* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EMenuError "Menu index out of range".
  TMenuItem* Items(int index) const;
  int IndexOf(const TMenuItem* item) const;
  // The position under the parent (-1 without one); setting it moves the item.
  int MenuIndex() const;
  void SetMenuIndex(int index);
  // Raise EMenuError when the item is already in a menu, is this item or
  // one above it, or the index is out of range.
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Delete(int index);
  void Remove(TMenuItem* item);
  // Frees the items below this one.
  void Clear();
  // The item below this one whose caption, without accelerator marks, is
  // `caption` (without regard to case); null when none.
  TMenuItem* Find(std::string_view caption) const;
  // The menu the item belongs to, through its parents; null when none.
  TMenu* GetParentMenu() const;

  virtual void Click();

  TNotifyEvent OnClick;

 private:
  friend class TMenu;
  void TurnSiblingsOff();
  void Changed();

  std::string caption_;
  bool checked_ = false;
  bool radio_item_ = false;
  uint8_t group_index_ = 0;
  bool auto_check_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool default_ = false;
  std::string hint_;
  int image_index_ = -1;
  int short_cut_ = 0;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
  TMenu* menu_ = nullptr;
};

class TMenu : public TComponent {
  QV_DECLARE_CLASS(TMenu)

  explicit TMenu(TComponent* owner);

  // The root item; the menu's items are its children.
  TMenuItem* Items() const { return items_; }
  bool OwnerDraw() const { return owner_draw_; }
  void SetOwnerDraw(bool owner_draw);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  // Changes of the menu's items (captions, checks, the tree) are counted,
  // as the system would redraw the menu for each.
  int ChangeCount() const { return change_count_; }

  void Notification(TComponent* component, TOperation operation) override;

  TNotifyEvent OnChange;

 private:
  friend class TMenuItem;
  void ItemChanged();

  TMenuItem* items_;
  bool owner_draw_ = false;
  TImageList* images_ = nullptr;
  int change_count_ = 0;
};

class TMainMenu : public TMenu {
  QV_DECLARE_CLASS(TMainMenu)
  using TMenu::TMenu;

  bool AutoMerge() const { return auto_merge_; }
  void SetAutoMerge(bool auto_merge) { auto_merge_ = auto_merge; }

 private:
  bool auto_merge_ = false;
};

class TPopupMenu : public TMenu {
  QV_DECLARE_CLASS(TPopupMenu)
  using TMenu::TMenu;

  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment alignment) { alignment_ = alignment; }
  bool AutoPopup() const { return auto_popup_; }
  void SetAutoPopup(bool auto_popup) { auto_popup_ = auto_popup; }
  // The component the menu last popped up for (set by whoever pops it up).
  TComponent* PopupComponent() const { return popup_component_; }
  void SetPopupComponent(TComponent* component);

  // Raises OnPopup and records the screen point.
  virtual void Popup(int x, int y);
  TPoint PopupPoint() const { return popup_point_; }
  int PopupCount() const { return popup_count_; }

  void Notification(TComponent* component, TOperation operation) override;

  TNotifyEvent OnPopup;

 private:
  TPopupAlignment alignment_ = paLeft;
  bool auto_popup_ = true;
  TComponent* popup_component_ = nullptr;
  TPoint popup_point_;
  int popup_count_ = 0;
};

}  // namespace qv
