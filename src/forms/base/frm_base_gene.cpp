#include "forms/base/frm_base_gene.h"

#include <array>
#include <exception>

#include "platform/automation/ole_call.h"
#include "platform/core/exception.h"
#include "platform/text/format.h"
#include "platform/text/string_utils.h"
#include "platform/vcl/application.h"
#include "platform/vcl/button.h"
#include "platform/vcl/messages.h"
#include "runtime/button_caption.h"

namespace ravlet {
namespace {

constexpr size_t kMaxArguments = 10;
using TMessageArguments = std::array<std::string, kMaxArguments>;

struct TMessageKind {
  qv::TMsgDlgType Kind;
  qv::TMsgDlgButtons Buttons;
};

TMessageKind MessageKindOf(const std::string& type) {
  const std::string letter = qv::UpperCase(qv::Trim(type));
  if (letter == "C") return {qv::mtWarning, qv::mbOKCancel};
  if (letter == "D") return {qv::mtWarning, qv::mbYesNoCancel};
  if (letter == "E") return {qv::mtError, {qv::mbOK}};
  if (letter == "I") return {qv::mtInformation, {qv::mbOK}};
  if (letter == "Q") return {qv::mtConfirmation, qv::mbOKCancel};
  if (letter == "W") return {qv::mtWarning, qv::mbOKCancel};
  return {qv::mtCustom, {qv::mbOK}};
}

// "%s" takes the next argument. A text that does not fit its arguments is
// kept as it is, followed by every argument and ";".
std::string FormatMessageText(const std::string& fmt, const TMessageArguments& a) {
  try {
    return qv::Format(fmt, {a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]});
  } catch (const std::exception&) {
    std::string text = fmt + "\r";
    for (const std::string& argument : a) text += argument + ";";
    return text;
  }
}

// The next piece of `rest` up to ";" (or its end); the piece and the ";" are
// taken off.
std::string TakePiece(std::string& rest) {
  const size_t end = rest.find(';');
  std::string piece = rest.substr(0, end);
  rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
  return piece;
}

qv::EVariantBadIndexError TooManyArguments(const std::string& what) {
  return qv::EVariantBadIndexError(what + ": a message takes at most " +
                                   std::to_string(kMaxArguments) + " arguments");
}

std::string CannotGetMessage(const std::string& type, const std::string& id) {
  return qv::Format("Can not Get Message\rType= %s, ID= %s ", {type, id});
}

}  // namespace

QV_DEFINE_CLASS(TfrmBaseGene, TQVForm, r) {
  r.Property("ErrorCodes", &TfrmBaseGene::GetErrorCodes);
  r.Property("ErrorTexts", &TfrmBaseGene::GetErrorTexts);
  r.Property("QuietMessages", &TfrmBaseGene::GetQuietMessages, &TfrmBaseGene::SetQuietMessages);
  r.Message(qv::CM_FOCUSCHANGED, &TfrmBaseGene::CMFocusChanged);
}

TfrmBaseGene::TfrmBaseGene(qv::TComponent* owner) : TQVForm(owner) {
  SetErrorFocusControl(this);
}

TfrmBaseGene::~TfrmBaseGene() = default;

void TfrmBaseGene::SetErrorFocusControl(qv::TWinControl* control) {
  if (control == error_focus_control_) return;
  if (error_focus_control_ != nullptr && error_focus_control_ != this)
    RemoveFreeNotification(error_focus_control_);
  error_focus_control_ = control;
  if (control != nullptr && control != this) FreeNotification(control);
}

void TfrmBaseGene::Notification(qv::TComponent* component, qv::TOperation operation) {
  if (operation == qv::opRemove && component != nullptr && component == error_focus_control_)
    error_focus_control_ = nullptr;
  TQVForm::Notification(component, operation);
}

void TfrmBaseGene::CMFocusChanged(qv::TMessage& message) {
  SetErrorFocusControl(ActiveControl());
  Inherited(message);
}

void TfrmBaseGene::ConvertTextsOnHandOver() {
  ConvertTexts();
}

bool TfrmBaseGene::CancelIsActive() const {
  const qv::TWinControl* active = ActiveControl();
  return active != nullptr && active == FindComponent("btnCancel");
}

void TfrmBaseGene::AddErrorText(const std::string& text) {
  if (ErrorTexts.find(text) == std::string::npos) ErrorTexts += text + "; ";
}

void TfrmBaseGene::ShowMessageCode(const std::string& code) {
  if (CancelIsActive()) return;
  if (code.empty()) {
    ErrorCodes.clear();
    ErrorTexts.clear();
    return;
  }
  ErrorCodes += code + "; ";

  std::string rest = code;
  const std::string type = TakePiece(rest);
  std::string id = TakePiece(rest);
  TMessageArguments args;
  size_t count = 0;
  while (!rest.empty()) {
    if (count == kMaxArguments) throw TooManyArguments("Message code " + code);
    args[count++] = TakePiece(rest);
  }

  const bool show = qv::StrToIntDef(id, 0) > 0;
  if (!show && !id.empty()) id.erase(0, 1);
  const std::string text = FormatMessageText(GetMessageText(type, id), args);
  AddErrorText(text);
  if (show) ShowDialog(text, MessageKindOf(type).Kind, {qv::mbOK});
}

void TfrmBaseGene::RecordErrorText(const std::string& text) {
  if (CancelIsActive()) return;
  const std::string trimmed = qv::Trim(text);
  if (trimmed.empty()) {
    ErrorCodes.clear();
    ErrorTexts.clear();
    return;
  }
  ErrorCodes += "E;-1; ";
  AddErrorText(trimmed);
}

std::string TfrmBaseGene::GetMessageText(const std::string& type, const std::string& id) {
  std::string text;
  if (WorkCenter.IsEmpty()) {
    text = CannotGetMessage(type, id);
  } else {
    try {
      text =
          qv::VarToStr(qv::OleCall(WorkCenter, "GetMessage", {qv::Variant(type), qv::Variant(id)}));
    } catch (const std::exception&) {
      // The message must still reach the person: say which one it was.
      text = CannotGetMessage(type, id);
    }
  }
  return QvConverter->ConvertDBToUI(qv::Variant(text)).AsString();
}

qv::TModalResult TfrmBaseGene::ShowDialog(const std::string& text, qv::TMsgDlgType kind,
                                          qv::TMsgDlgButtons buttons) {
  if (QuietMessages && kind != qv::mtError) return 0;
  qv::TModalResult result = qv::mrNone;
  {
    qv::TComponentPtr<qv::TMessageForm> dialog = qv::CreateMessageDialog(text, kind, buttons);
    dialog->SetCaption(Caption());
    if (GetUICodePage() != "437") {
      for (int i = 0; i < dialog->ComponentCount(); ++i) {
        if (auto* button = dynamic_cast<qv::TButton*>(dialog->Components(i)))
          button->SetCaption(
              QvConverter->ConvertToUI(qv::Variant(ButtonCaption(button->Name()))).AsString());
      }
    }
    TCodeConverter::SetFontForMode(GetUIConvertMode(), dialog->Font());
    result = dialog->ShowModal();
  }
  // No mouse capture may survive the dialog.
  if (qv::TWinControl* active = ActiveControl())
    qv::PostMessage(active->Handle(), qv::WM_LBUTTONUP);
  if (kind == qv::mtError && error_focus_control_ != nullptr && error_focus_control_->CanFocus())
    error_focus_control_->SetFocus();
  return result;
}

qv::TModalResult TfrmBaseGene::ShowMessageByID(const std::string& type, const std::string& id,
                                               qv::TMsgDlgButtons buttons,
                                               const std::vector<std::string>& args) {
  if (args.size() > kMaxArguments) throw TooManyArguments("Message " + type + ";" + id);
  TMessageArguments slots;
  for (size_t i = 0; i < args.size(); ++i) slots[i] = args[i];
  const std::string text = FormatMessageText(GetMessageText(type, id), slots);
  const TMessageKind kind = MessageKindOf(type);
  return ShowDialog(text, kind.Kind, buttons.Empty() ? kind.Buttons : buttons);
}

}  // namespace ravlet
