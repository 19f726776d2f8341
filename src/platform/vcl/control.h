#pragma once
// Controls: components with a parent, a position and size inside the
// parent's client area, visibility, enabled state, colour, font, text and
// hint, and message handling by message number. Changes reach a control as
// messages (CM_FONTCHANGED, CM_ENABLEDCHANGED ...), so a subclass reacts by
// registering a handler for the message and passing it on with Inherited.
//
// TControl publishes only Left, Top, Width, Height, Cursor and Hint; each
// concrete control publishes what it shows, as the original framework does.

#include <functional>
#include <memory>
#include <string>

#include "platform/vcl/colors.h"
#include "platform/vcl/component.h"
#include "platform/vcl/cursors.h"
#include "platform/vcl/events.h"
#include "platform/vcl/font.h"
#include "platform/vcl/geometry.h"
#include "platform/vcl/messages.h"

namespace qv {

QV_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient);
QV_ENUM(TControlStateItem, csLButtonDown, csClicked, csAlignmentNeeded, csFocusing, csCreating);
using TControlState = TSet<TControlStateItem>;
QV_ENUM(TControlStyleItem, csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
        csDoubleClicks, csFixedWidth, csFixedHeight);
using TControlStyle = TSet<TControlStyleItem>;

class TWinControl;
class TCustomForm;

using TWndMethod = std::function<void(TMessage&)>;

class TControl : public TComponent {
  QV_DECLARE_CLASS(TControl)

  explicit TControl(TComponent* owner);
  ~TControl() override;
  void BeforeDestruction() override;
  // A control whose caption still equals its name takes the new name as
  // caption (controls with csSetCaption, outside of loading).
  void SetName(const std::string& name) override;

  TWinControl* Parent() const { return parent_; }
  // Moves the control to the end of the new parent's children.
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  // Negative sizes become 0.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // The client area in the control's own coordinates.
  virtual TRect ClientRect() const { return Rect(0, 0, width_, height_); }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int width) { SetClientSize(width, ClientHeight()); }
  void SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }
  virtual void SetClientSize(int width, int height);
  // Screen position of the client area's top left corner.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint point) const;
  TPoint ScreenToClient(TPoint point) const;

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, with every parent visible up to a visible form.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool parent_color);
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* font) { font_->Assign(font); }
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool parent_font);
  // Caption and Text are the same window text.
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& caption) { SetText(caption); }
  const std::string& Text() const { return text_; }
  virtual void SetText(const std::string& text);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool show_hint);
  bool ParentShowHint() const { return parent_show_hint_; }
  void SetParentShowHint(bool parent_show_hint);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }

  TControlState ControlState() const { return control_state_; }
  void SetControlState(TControlState state) { control_state_ = state; }
  TControlStyle ControlStyle() const { return control_style_; }
  void SetControlStyle(TControlStyle style) { control_style_ = style; }

  // Sends a message straight to the control's message handling.
  LRESULT Perform(unsigned msg, WPARAM wparam = 0, LPARAM lparam = 0);
  // The entry of the message handling; may be replaced to watch or change
  // the messages of a control (call the saved value for the rest).
  TWndMethod WindowProc;
  virtual void WndProc(TMessage& message);

  virtual void Click();
  virtual void DblClick();
  // Repaint requests: each one is counted.
  virtual void Invalidate();
  int InvalidateCount() const { return invalidate_count_; }
  // Paints at once what is waiting to be painted (controls that draw
  // themselves paint into their canvas).
  virtual void Update() {}
  void Repaint() {
    Invalidate();
    Update();
  }
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 protected:
  // The size changed (not while loading).
  virtual void Resize();
  // Bounds changed; windowed controls arrange their children here.
  virtual void BoundsChanged(bool moved, bool resized);
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  // Asks the parent to arrange its aligned children again.
  void RequestAlign();
  // The visibility a new control starts with, set without any notice.
  void InitVisible(bool visible) { visible_ = visible; }
  void Loaded() override;

  void WMLButtonDown(TMessage& message);
  void WMLButtonUp(TMessage& message);
  void WMLButtonDblClk(TMessage& message);
  void WMRButtonDown(TMessage& message);
  void WMRButtonUp(TMessage& message);
  void WMMouseMove(TMessage& message);
  void CMParentFontChanged(TMessage& message);
  void CMParentColorChanged(TMessage& message);
  void CMParentShowHintChanged(TMessage& message);
  void CMChangedRepaints(TMessage& message);

 private:
  friend class TWinControl;
  void FontChanged();
  void TakeParentFont();

  TWinControl* parent_ = nullptr;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clWindow;
  bool parent_color_ = false;
  std::unique_ptr<TFont> font_;
  bool parent_font_ = true;
  bool taking_parent_font_ = false;
  std::string text_;
  std::string hint_;
  bool show_hint_ = false;
  bool parent_show_hint_ = true;
  TCursor cursor_ = crDefault;
  TControlState control_state_;
  TControlStyle control_style_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  int invalidate_count_ = 0;
};

// Shift state of mouse messages (MK_* flags in WParam) and key messages
// (KeyData in LParam).
WPARAM MouseFlagsFromShift(TShiftState shift);
TShiftState MouseFlagsToShiftState(WPARAM flags);
LPARAM KeyDataFromShift(TShiftState shift);
TShiftState KeyDataToShiftState(LPARAM key_data);

// The form a control sits on (the top of its parent chain), or null.
TCustomForm* GetParentForm(const TControl* control);

}  // namespace qv
