#pragma once
// Forms: top-level windows. A form keeps its active control and the focus
// inside it, shows and hides itself, runs modally until a modal result is
// set, and closes with a close action (hide, free, minimise or nothing).
//
// Frame metrics of the headless model: a sizeable border is 4 pixels on each
// side, other borders 3, the caption 19 pixels high (16 for tool windows);
// the client area is what remains.

#include <string>

#include "platform/vcl/win_control.h"

namespace qv {

QV_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin);
QV_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp);
using TBorderIcons = TSet<TBorderIcon>;
QV_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized);
QV_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
        poDesktopCenter, poMainFormCenter, poOwnerFormCenter);
QV_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop);

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

class TCustomForm : public TWinControl {
  QV_DECLARE_CLASS(TCustomForm)

  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;
  // Raises OnCreate.
  void AfterConstruction() override;
  // Raises OnDestroy while the form is still whole.
  void BeforeDestruction() override;

  // Shows the form and pumps the application's messages and input until a
  // modal result is set; then the form closes (OnCloseQuery, OnClose) and is
  // hidden. Raises EInvalidOperation for a visible form and EInputError when
  // the input runs out before a result is set.
  TModalResult ShowModal();
  // Modal: sets mrCancel. Otherwise, when OnCloseQuery allows, raises OnClose
  // with caHide and acts on the action: hide, minimise, free (Release) or
  // nothing. Closing the application's main form ends the application.
  void Close();
  virtual bool CloseQuery();
  // Frees the form once pending messages are processed.
  void Release();
  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult result) { modal_result_ = result; }
  bool Modal() const { return modal_; }

  // The active form of the screen.
  bool Active() const { return active_; }
  // The control that has (or gets, when the form is activated) the focus.
  TWinControl* ActiveControl() const { return active_control_; }
  // Raises EInvalidOperation when the control is not on this form or cannot
  // take the focus.
  void SetActiveControl(TWinControl* control);
  TWinControl* FocusedControl() const { return focused_control_; }
  void FocusControl(TWinControl* control);
  // Takes the focus away from a control (and what is inside it).
  void DefocusControl(TWinControl* control, bool removing);
  // Moves the focus: OnExit from the old control outwards up to the common
  // parent, then OnEnter from below that parent inwards to the new control;
  // then the form receives CM_FOCUSCHANGED with the control in LParam.
  // False when a handler moved the focus elsewhere on the way.
  bool SetFocusedControl(TWinControl* control);
  // Activates the form; raises EInvalidOperation when it is hidden or disabled.
  void SetFocus() override;
  bool CanFocus() const override { return Visible() && Enabled(); }

  bool KeyPreview() const { return key_preview_; }
  void SetKeyPreview(bool key_preview) { key_preview_ = key_preview; }
  TFormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return border_icons_; }
  void SetBorderIcons(TBorderIcons icons) { border_icons_ = icons; }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TFormStyle FormStyle() const { return form_style_; }
  void SetFormStyle(TFormStyle style) { form_style_ = style; }
  TWindowState WindowState() const { return window_state_; }
  void SetWindowState(TWindowState state);
  bool Scaled() const { return scaled_; }
  void SetScaled(bool scaled) { scaled_ = scaled; }

  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  void SetVisible(bool visible) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

 protected:
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual void Activate();
  virtual void Deactivate();

  void CMDialogKey(TMessage& message);
  void CMVisibleChanged(TMessage& message);
  void CMRelease(TMessage& message);
  void WMClose(TMessage& message);

 private:
  friend class TScreen;
  void SetActive(bool active);
  void PlaceOnShow();
  void CloseModal();
  int FrameWidth() const;
  int CaptionHeight() const;

  TWinControl* active_control_ = nullptr;
  TWinControl* focused_control_ = nullptr;
  int focus_changes_ = 0;
  bool active_ = false;
  bool modal_ = false;
  bool release_pending_ = false;
  bool* freed_while_modal_ = nullptr;
  bool shown_before_ = false;
  TModalResult modal_result_ = mrNone;
  bool key_preview_ = false;
  TFormBorderStyle border_style_ = bsSizeable;
  TBorderIcons border_icons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  TFormStyle form_style_ = fsNormal;
  TWindowState window_state_ = wsNormal;
  TRect normal_bounds_;
  bool scaled_ = true;
};

// The form class windows derive from; it publishes the form's properties
// and events.
class TForm : public TCustomForm {
  QV_DECLARE_CLASS(TForm)
  using TCustomForm::TCustomForm;
};

}  // namespace qv
