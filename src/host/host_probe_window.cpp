#include "host/host_probe_window.h"

#include <cctype>
#include <optional>

#include "host/window_class.h"
#include "platform/automation/ole_call.h"
#include "platform/system/paths.h"
#include "platform/text/string_utils.h"
#include "platform/vcl/application.h"
#include "platform/vcl/dialogs.h"
#include "runtime/message_code.h"

namespace ravlet {

QV_DEFINE_CLASS(TfrmHostProbe, qv::TForm, r) {
  r.Property("ErrorCodes", &TfrmHostProbe::ErrorCodes);
  r.Property("ResultCode", &TfrmHostProbe::Outcome);
}

namespace {

[[maybe_unused]] const THostWindowClass* const kProbeClass =
    RegisterWindowClass<TfrmHostProbe>("TfrmHostProbe");

template <typename T>
T* Place(qv::TWinControl* parent, const char* name, int left, int top, int width, int height) {
  T* control = qv::Create<T>(parent);
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

qv::TMsgDlgType DialogTypeOf(char type) {
  switch (std::toupper(static_cast<unsigned char>(type))) {
    case 'C':
    case 'D':
    case 'W':
      return qv::mtWarning;
    case 'E':
      return qv::mtError;
    case 'I':
      return qv::mtInformation;
    case 'Q':
      return qv::mtConfirmation;
    default:
      return qv::mtCustom;
  }
}

std::string Describe(const qv::Variant& value) {
  try {
    if (value.IsEmpty()) return "(none)";
    if (value.IsArray()) return "(array)";
    return qv::VarToStr(value);
  } catch (const std::exception& e) {
    return std::string("(") + e.what() + ")";
  }
}

}  // namespace

TfrmHostProbe::TfrmHostProbe(qv::TComponent* owner) : qv::TForm(owner) {
  SetName("frmHostProbe");
  SetCaption("Host probe");
  SetBounds(0, 0, 440, 300);
  SetPosition(qv::poScreenCenter);
  lblUser = Place<qv::TLabel>(this, "lblUser", 8, 8, 400, 16);
  lblCompany = Place<qv::TLabel>(this, "lblCompany", 8, 28, 400, 16);
  lblDatabase = Place<qv::TLabel>(this, "lblDatabase", 8, 48, 400, 16);
  lblHostWindow = Place<qv::TLabel>(this, "lblHostWindow", 8, 68, 400, 16);
  lblExtra = Place<qv::TLabel>(this, "lblExtra", 8, 88, 400, 16);
  lblModule = Place<qv::TLabel>(this, "lblModule", 8, 108, 400, 16);
  lblWorkCenter = Place<qv::TLabel>(this, "lblWorkCenter", 8, 128, 400, 16);
  lblLookup = Place<qv::TLabel>(this, "lblLookup", 8, 148, 400, 16);
  lblLookup->SetCaption("Lookup: [F2]");
  edHandOver = Place<qv::TEdit>(this, "edHandOver", 8, 172, 416, 21);
  edHandOver->SetReadOnly(true);
  edHandOver->SetText("");
  btnOk = Place<qv::TButton>(this, "btnOk", 268, 236, 75, 25);
  btnOk->SetCaption("OK");
  btnOk->SetModalResult(qv::mrOk);
  btnOk->SetDefault(true);
  btnOk->OnClick = qv::TNotifyEvent(this, &TfrmHostProbe::btnOkClick);
  btnCancel = Place<qv::TButton>(this, "btnCancel", 349, 236, 75, 25);
  btnCancel->SetCaption("Cancel");
  btnCancel->SetModalResult(qv::mrCancel);
  btnCancel->SetCancel(true);
  btnCancel->OnClick = qv::TNotifyEvent(this, &TfrmHostProbe::btnCancelClick);
  OnClose = qv::TCloseEvent(this, &TfrmHostProbe::FormClose);
  SetKeyPreview(true);
  OnKeyDown = qv::TKeyEvent(this, &TfrmHostProbe::FormKeyDown);
  VersionText = "HOSTPROBE-1";
  ProgramName = "Host probe";
}

bool TfrmHostProbe::InitModule(const qv::Variant& start_params) {
  if (initialised_) return false;
  initialised_ = true;
  ProgramCode = qv::UpperCase(qv::ChangeFileExt(qv::ExtractFileName(ModuleFile), ""));
  lblModule->SetCaption("Module: " + ModuleFile);
  lblWorkCenter->SetCaption("Work center: " + WorkCenterState());

  int high = -1;
  if (start_params.IsArray() && qv::VarArrayDimCount(start_params) == 1)
    high = qv::VarArrayHighBound(start_params, 1);
  std::string* texts[] = {&UserID, &CompanyID, &database_};
  try {
    for (int i = 0; i < 3; ++i) *texts[i] = qv::VarToStr(start_params[i]);
  } catch (const std::exception&) {
    // The first element that cannot be read ends the reading, as in a report window.
  }
  int host_window = 0;
  if (high >= 3) {
    try {
      host_window = start_params[3].AsInteger();
    } catch (const std::exception&) {
    }
  }
  lblUser->SetCaption("User: " + UserID);
  lblCompany->SetCaption("Company: " + CompanyID);
  lblDatabase->SetCaption("Database: " + database_);
  lblHostWindow->SetCaption("Host window: " + std::to_string(host_window));
  if (high < 4) {
    lblExtra->SetCaption("Extra: missing");
    ShowMessageCode("E;000038");
    qv::PostMessage(Handle(), qv::WM_CLOSE);
    return false;
  }
  lblExtra->SetCaption("Extra: " + Describe(start_params[4]));
  return true;
}

void TfrmHostProbe::ApplyHostConditions(const qv::Variant& hand_over) {
  last_action_ = "nothing run";
  THostWindow::ApplyHostConditions(hand_over);
  if (!hand_over.IsArray()) {
    edHandOver->SetText("Hand-over: not an array");
    return;
  }
  if (AutoRun && last_action_ == "nothing run") last_action_ = "OK clicked";
  edHandOver->SetText("Hand-over: action " + Describe(hand_over[0]) +
                      (FromScheme ? ", from a scheme, " : ", ") + last_action_);
}

bool TfrmHostProbe::RunHostAction(int32_t code) {
  last_action_ = "host action " + std::to_string(code) + " run";
  return true;
}

void TfrmHostProbe::ShowMessageCode(const std::string& code) {
  error_codes_ += code + "; ";
  const std::optional<MessageCode> parsed = ParseMessageCode(code);
  if (!parsed || !parsed->Shown) return;
  std::string text = MessageText(std::string(1, parsed->Type), parsed->Id);
  for (const std::string& argument : parsed->Arguments) text += "\r" + argument;
  qv::MessageDlg(text, DialogTypeOf(parsed->Type), {qv::mbOK});
}

std::string TfrmHostProbe::MessageText(const std::string& type, const std::string& id) const {
  if (!qv::VarIsDispatchObject(WorkCenter))
    return "Can not Get Message\rType= " + type + ", ID= " + id + " ";
  try {
    return qv::VarToStr(
        qv::OleCall(WorkCenter, "GetMessage", {qv::Variant(type), qv::Variant(id)}));
  } catch (const std::exception& e) {
    return type + ";" + id + " (" + e.what() + ")";
  }
}

std::string TfrmHostProbe::WorkCenterState() const {
  if (!qv::VarIsDispatchObject(WorkCenter)) return "none";
  try {
    return "version type " + qv::VarToStr(qv::OleCall(WorkCenter, "VersionType")) + ", product " +
           qv::VarToStr(qv::OleCall(WorkCenter, "ProductID"));
  } catch (const std::exception& e) {
    return std::string("fails: ") + e.what();
  }
}

void TfrmHostProbe::FormClose(qv::TObject*, qv::TCloseAction& action) {
  action = qv::caFree;
}

void TfrmHostProbe::FormKeyDown(qv::TObject*, qv::Word& key, qv::TShiftState shift) {
  if (key != qv::VK_F2 || !shift.Empty()) return;
  key = 0;
  LookUpUser();
}

void TfrmHostProbe::LookUpUser() {
  try {
    const qv::Variant service = qv::OleCall(WorkCenter, "Com_F2Window");
    // The lookup request: table, key, arguments, multi-select, start text,
    // company, database, ..., user (element 18).
    qv::Variant asked = qv::VarArrayCreate({0, 18});
    asked[0] = qv::Variant("QVRMA");
    asked[1] = qv::Variant("04");
    asked[3] = qv::Variant(false);
    asked[4] = qv::Variant("");
    asked[5] = qv::Variant(CompanyID);
    asked[6] = qv::Variant(database_);
    asked[18] = qv::Variant(UserID);
    const qv::Variant rows = qv::OleCall(service, "F2GetData", {asked});
    if (!rows.IsArray()) {
      lblLookup->SetCaption("Lookup: nothing chosen");
      return;
    }
    const qv::Variant& row = rows[qv::VarArrayLowBound(rows, 1)];
    lblLookup->SetCaption("Lookup: " + qv::VarToStr(row[qv::VarArrayLowBound(row, 1)]));
  } catch (const std::exception& e) {
    lblLookup->SetCaption(std::string("Lookup fails: ") + e.what());
  }
}

void TfrmHostProbe::btnOkClick(qv::TObject*) {
  ResultCode = 0;
  if (!Modal()) Close();
}

void TfrmHostProbe::btnCancelClick(qv::TObject*) {
  ResultCode = 2;
  if (!Modal()) Close();
}

}  // namespace ravlet
