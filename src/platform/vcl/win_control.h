#pragma once
// Windowed controls: controls that hold child controls, take the keyboard
// focus, have a tab order and a native handle (an integer id given out when
// first asked for). Children are kept in child order (which is also their
// z-order, the first at the back); aligned children are arranged inside the
// client area whenever it or they change.

#include <string_view>
#include <vector>

#include "platform/vcl/control.h"

namespace qv {

QV_ENUM(TImeMode, imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata,
        imKata, imChinese, imSHanguel, imHanguel);

class TWinControl : public TControl {
  QV_DECLARE_CLASS(TWinControl)

  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  void BeforeDestruction() override;

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  // Raises EListError when the index is out of range.
  TControl* Controls(int index) const;
  // True for this control and every control inside it, at any depth.
  bool ContainsControl(const TControl* control) const;
  // The child (at any depth) of that name, without regard to case.
  TControl* FindChildControl(std::string_view name) const;
  // The visible (and, unless allowed, enabled) child under a client point;
  // the front-most wins.
  TControl* ControlAtPos(TPoint pos, bool allow_disabled = false) const;

  // Arranging the aligned children waits while disabled, and happens on the
  // last EnableAlign when something asked for it meanwhile.
  void DisableAlign();
  void EnableAlign();
  void Realign();
  // The area aligned children share, in client coordinates.
  virtual void AdjustClientRect(TRect& rect) const;

  // The position in the parent's tab order (0 first); -1 without parent.
  int TabOrder() const;
  // Out-of-range values are limited to the parent's tab list.
  void SetTabOrder(int tab_order);
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool tab_stop) { tab_stop_ = tab_stop; }
  // Visible and enabled up the parent chain (to the form).
  virtual bool CanFocus() const;
  // Has the keyboard focus: the focused control of the active form.
  bool Focused() const;
  // Raises EInvalidOperation "Cannot focus a disabled or invisible window"
  // when the control cannot take the focus.
  virtual void SetFocus();
  // This control's windowed children in tab order, each followed by its own.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  TWinControl* FindNextControl(TWinControl* current, bool go_forward, bool check_tab_stop,
                               bool check_parent) const;
  void SelectFirst();
  void SelectNext(TWinControl* current, bool go_forward, bool check_tab_stop);

  HWND Handle();
  bool HandleAllocated() const { return handle_ != 0; }

  // The input method a control asks for when it has the focus.
  const std::string& ImeName() const { return ime_name_; }
  void SetImeName(const std::string& name) { ime_name_ = name; }
  TImeMode ImeMode() const { return ime_mode_; }
  void SetImeMode(TImeMode mode) { ime_mode_ = mode; }

  bool Ctl3D() const { return ctl3d_; }
  void SetCtl3D(bool ctl3d);
  bool ParentCtl3D() const { return parent_ctl3d_; }
  void SetParentCtl3D(bool parent_ctl3d);

  // Key input: the form sees keys first when it has KeyPreview. Each returns
  // true when the key was consumed (set to 0 by a handler).
  bool DoKeyDown(Word& key, TShiftState shift);
  bool DoKeyUp(Word& key, TShiftState shift);
  bool DoKeyPress(char32_t& key);

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  virtual void KeyDown(Word& key, TShiftState shift);
  virtual void KeyUp(Word& key, TShiftState shift);
  virtual void KeyPress(char32_t& key);
  virtual void DoEnter();
  virtual void DoExit();
  // A left click gives this control the focus (edits, buttons, lists ...).
  virtual bool FocusOnClick() const { return false; }
  // Tab, arrows, Enter and Esc are dialog keys, handled by the form
  // (next control, default and cancel buttons) unless the control wants them.
  virtual bool WantsKey(Word key, TShiftState shift) const;
  // Arranges the aligned children; `control` goes first among its kind.
  virtual void AlignControls(TControl* control, TRect& rect);
  void BoundsChanged(bool moved, bool resized) override;
  void Loaded() override;

  void WMKeyDown(TMessage& message);
  void WMKeyUp(TMessage& message);
  void WMChar(TMessage& message);
  void WMLButtonDown(TMessage& message);
  void CMEnter(TMessage& message);
  void CMExit(TMessage& message);
  void CMDialogKey(TMessage& message);
  void CMWantSpecialKey(TMessage& message);
  void CMFontChanged(TMessage& message);
  void CMColorChanged(TMessage& message);
  void CMShowHintChanged(TMessage& message);
  void CMCtl3DChanged(TMessage& message);
  void CMParentCtl3DChanged(TMessage& message);
  void CMVisibleChanged(TMessage& message);
  void CMEnabledChanged(TMessage& message);

 private:
  friend class TControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void MoveChild(TControl* control, bool to_front);
  void AlignControl(TControl* control);
  void NotifyControls(unsigned msg);
  void LoseFocusIfInside();

  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tab_list_;
  int pending_tab_order_ = -1;
  int align_level_ = 0;
  bool aligning_ = false;
  bool tab_stop_ = false;
  bool ctl3d_ = true;
  bool parent_ctl3d_ = true;
  HWND handle_ = 0;
  std::string ime_name_;
  TImeMode ime_mode_ = imDontCare;
};

// The windowed control that owns a native handle; null when there is none
// (the control was freed, or no such handle was given out).
TWinControl* FindControl(HWND handle);

}  // namespace qv
