#pragma once
// TfrmBaseGene: the condition window, the base of every report window. This
// level holds what the window needs to turn message codes into shown
// messages: the record of the current operation's codes and texts, quiet
// mode, and the control that gets the focus back after an error.
//
// A message code is a type letter, ";", a number and up to ten arguments,
// each after a ";" ("E;000038", "I;-000004;reply"). The text of a type and
// number comes from the host's work-center object (GetMessage), in the
// database code page; "%s" in it takes the arguments in order. A "-" before
// the number records the message without showing it.
//
// Dialog kinds by type letter: C, D, W warning; E error; I information;
// Q confirmation; any other custom.

#include <cstdint>
#include <string>
#include <vector>

#include "forms/base/qv_form.h"
#include "host/host_window.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/win_control.h"

namespace ravlet {

class TfrmBaseGene : public TQVForm, public THostWindow {
  QV_DECLARE_CLASS(TfrmBaseGene)

 public:
  explicit TfrmBaseGene(qv::TComponent* owner);
  ~TfrmBaseGene() override;

  // Records the code in ErrorCodes and its text in ErrorTexts and, for a
  // positive number, shows the text with an OK button. An empty code clears
  // the record. Nothing happens while btnCancel is the active control (the
  // person is leaving). More than ten arguments raise
  // qv::EVariantBadIndexError once the code is recorded.
  void ShowMessageCode(const std::string& code) override;
  // Records a free error text (trimmed) as the code "E;-1" without showing
  // it; an empty text clears the record. Nothing happens while btnCancel is
  // the active control.
  void RecordErrorText(const std::string& text);
  // The message text of a type letter and number, converted from the
  // database code page. Without a work-center object, or when it cannot
  // answer, "Can not Get Message" with the type and number.
  std::string GetMessageText(const std::string& type, const std::string& id);
  // Shows a standard message dialog with the window's caption, Chinese
  // button captions (except on an English user interface) and the font of
  // the user-interface mode; returns its modal result. While QuietMessages
  // is set only errors are shown (others return 0). An error gives the
  // focus back to ErrorFocusControl.
  qv::TModalResult ShowDialog(const std::string& text, qv::TMsgDlgType kind,
                              qv::TMsgDlgButtons buttons);
  // Shows the text of Type and ID formatted with Args, with the kind and
  // default buttons of the type letter (C: OK, Cancel; D: Yes, No, Cancel;
  // E, I and others: OK; Q, W: OK, Cancel). Buttons, when not empty,
  // replace the defaults. Records nothing.
  qv::TModalResult ShowMessageByID(const std::string& type, const std::string& id,
                                   qv::TMsgDlgButtons buttons,
                                   const std::vector<std::string>& args = {});

  // The control that gets the focus back after an error dialog: the window
  // at creation, then whichever control last got the focus. It forgets a
  // control that is freed.
  qv::TWinControl* ErrorFocusControl() const { return error_focus_control_; }
  void SetErrorFocusControl(qv::TWinControl* control);

  void Notification(qv::TComponent* component, qv::TOperation operation) override;

  // Every message code of the current operation, each followed by "; ".
  std::string ErrorCodes;
  // Every distinct message text of the current operation, each followed by "; ".
  std::string ErrorTexts;
  // While set, dialogs other than errors are not shown.
  bool QuietMessages = false;

 protected:
  void ConvertTextsOnHandOver() override;
  void CMFocusChanged(qv::TMessage& message);

 private:
  bool CancelIsActive() const;
  void AddErrorText(const std::string& text);

  const std::string& GetErrorCodes() const { return ErrorCodes; }
  const std::string& GetErrorTexts() const { return ErrorTexts; }
  bool GetQuietMessages() const { return QuietMessages; }
  void SetQuietMessages(bool quiet) { QuietMessages = quiet; }

  qv::TWinControl* error_focus_control_ = nullptr;
};

}  // namespace ravlet
