#pragma once
// Standard message dialogs: a small form with the message text and one push
// button per requested button, named after it ("Yes", "No", "OK", "Cancel",
// "Abort", "Retry", "Ignore", "All", "NoToAll", "YesToAll", "Help"), each
// ending the modal run with its modal result. The default button (Enter) is
// OK, else Yes, else Retry; the cancel button (Esc) is Cancel, else No, else
// OK. The caption, the buttons' captions and the font may be changed before
// the dialog runs.

#include <string>

#include "platform/vcl/button.h"
#include "platform/vcl/form.h"
#include "platform/vcl/label.h"

namespace qv {

QV_ENUM(TMsgDlgType, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom);
QV_ENUM(TMsgDlgBtn, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
        mbYesToAll, mbHelp);
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline constexpr TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// The dialog form: "Message" is the text label, "Image" the kind's icon.
class TMessageForm : public TForm {
  QV_DECLARE_CLASS(TMessageForm)
  using TForm::TForm;

  TLabel* Message() const { return FindComponentAs<TLabel>("Message"); }
  // The button of that kind, or null when the dialog has none.
  TButton* Button(TMsgDlgBtn button) const;
  TMsgDlgType DialogType() const { return type_; }

 private:
  friend TComponentPtr<TMessageForm> CreateMessageDialog(const std::string&, TMsgDlgType,
                                                         TMsgDlgButtons);
  TMsgDlgType type_ = mtCustom;
};

// The component name and the standard caption of a button.
std::string MsgDlgButtonName(TMsgDlgBtn button);
std::string MsgDlgButtonCaption(TMsgDlgBtn button);
TModalResult MsgDlgButtonResult(TMsgDlgBtn button);
// "Warning", "Error", "Information", "Confirm"; the application title for mtCustom.
std::string MsgDlgTitle(TMsgDlgType type);

// Builds the dialog; the caller runs it (ShowModal) and frees it with the holder.
TComponentPtr<TMessageForm> CreateMessageDialog(const std::string& text, TMsgDlgType type,
                                                TMsgDlgButtons buttons);
// Builds, runs and frees a message dialog; the result is the modal result.
TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
void ShowMessage(const std::string& text);

// The system's message box. Buttons (low four bits): MB_OK, MB_OKCANCEL,
// MB_ABORTRETRYIGNORE, MB_YESNOCANCEL, MB_YESNO, MB_RETRYCANCEL; icons:
// MB_ICONERROR, MB_ICONQUESTION, MB_ICONWARNING, MB_ICONINFORMATION. The
// result is the IDOK ... IDNO of the button chosen.
constexpr unsigned MB_OK = 0x0000;
constexpr unsigned MB_OKCANCEL = 0x0001;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x0002;
constexpr unsigned MB_YESNOCANCEL = 0x0003;
constexpr unsigned MB_YESNO = 0x0004;
constexpr unsigned MB_RETRYCANCEL = 0x0005;
constexpr unsigned MB_ICONERROR = 0x0010;
constexpr unsigned MB_ICONQUESTION = 0x0020;
constexpr unsigned MB_ICONWARNING = 0x0030;
constexpr unsigned MB_ICONINFORMATION = 0x0040;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
int MessageBox(const std::string& text, const std::string& caption, unsigned flags);

}  // namespace qv
