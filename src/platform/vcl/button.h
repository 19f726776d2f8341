#pragma once
// Push buttons. A click sets the modal result of the button's form (so a
// button with mrOk ends a modal run with mrOk) and raises OnClick. Enter
// clicks the focused button, or the default button when no other button has
// the focus; Esc clicks the cancel button; Space clicks the focused button.

#include "platform/vcl/form.h"
#include "platform/vcl/win_control.h"

namespace qv {

// Base of buttons, check boxes and radio buttons: windowed controls that take
// the focus when clicked.
class TButtonControl : public TWinControl {
  QV_DECLARE_CLASS(TButtonControl)
  explicit TButtonControl(TComponent* owner);

 protected:
  bool FocusOnClick() const override { return true; }
};

class TButton : public TButtonControl {
  QV_DECLARE_CLASS(TButton)

  explicit TButton(TComponent* owner);

  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult result) { modal_result_ = result; }

  void Click() override;

 protected:
  void DefaultHandler(TMessage& message) override;
  void CMDialogKey(TMessage& message);

 private:
  // Enter clicks this button: it has the focus, or it is the default button
  // and the focus is not on another button.
  bool TakesEnter() const;

  bool default_ = false;
  bool cancel_ = false;
  TModalResult modal_result_ = mrNone;
};

}  // namespace qv
