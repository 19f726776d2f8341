#include "host/dll_rp_ctrller.h"

#include "host/module_events.h"
#include "host/window_class.h"
#include "platform/system/environment.h"
#include "platform/text/unicode.h"
#include "platform/vcl/screen.h"

namespace ravlet {

namespace {

const TDLLControllerClass kRPCtrllerClass{
    "TDLLRPCtrller",
    []() -> std::unique_ptr<TDLLBaseController> { return std::make_unique<TDLLRPCtrller>(); }};

// Only the first start of this unit registers its class.
[[maybe_unused]] const bool kControllerClassRegistered = [] {
  if (DLLControllerClass == nullptr) DLLControllerClass = &kRPCtrllerClass;
  return true;
}();

std::string ThisLibraryFile() {
  return qv::GetModuleFileNameOf(reinterpret_cast<const void*>(&ThisLibraryFile));
}

const qv::Variant kCancelled(int32_t{qv::mrCancel});

}  // namespace

TDLLRPCtrller::~TDLLRPCtrller() {
  if (Window != nullptr) CloseWindow();
}

void TDLLRPCtrller::GetVersion(std::u16string& text) {
  if (Window == nullptr) return;
  try {
    text = qv::Utf8ToUtf16(Window->VersionText);
  } catch (...) {
  }
}

int32_t TDLLRPCtrller::IsVisible() {
  return form_ != nullptr && form_->Visible() ? -1 : 0;
}

void TDLLRPCtrller::SetVisible(int16_t show) {
  if (form_ == nullptr) return;
  try {
    form_->SetVisible(show != 0);
    if (show == 0 || form_ == nullptr || !form_->Visible()) return;
    if (form_->WindowState() == qv::wsMinimized) form_->SetWindowState(qv::wsNormal);
    if (form_->Enabled() && qv::Screen->AcceptsInput(form_)) form_->SetFocus();
  } catch (...) {
  }
}

qv::HWND TDLLRPCtrller::GetWindowHandle() {
  if (form_ == nullptr) return 0;
  try {
    return form_->Handle();
  } catch (...) {
    return 0;
  }
}

void TDLLRPCtrller::CreateWindow() {
  qv::TComponentPtr<qv::TCustomForm> form = frmBaseGeneClass->Create();
  auto* window = dynamic_cast<THostWindow*>(form.get());
  if (window == nullptr) throw qv::EInvalidCast("The window class makes no host window");
  holder_ = std::move(form);
  form_ = holder_.get();
  Window = window;
  try {
    // The whole path: a path cut at some length would name another file.
    window->SetModuleFile(ThisLibraryFile());
    window->WorkCenter = WorkCenter;
    DoWindowCreated();
    // Once per window, so the controller never keeps its own handler as the saved one.
    SavedOnShow = form_->OnShow;
    form_->OnShow = qv::TNotifyEvent([this](qv::TObject* sender) { WindowShow(sender); });
    SavedOnHide = form_->OnHide;
    form_->OnHide = qv::TNotifyEvent([this](qv::TObject* sender) { WindowHide(sender); });
    SavedOnDestroy = form_->OnDestroy;
    form_->OnDestroy = qv::TNotifyEvent([this](qv::TObject* sender) { WindowDestroy(sender); });
  } catch (...) {
    // A window that was not set up completely would never report to the host.
    Window = nullptr;
    form_ = nullptr;
    SavedOnShow = SavedOnHide = SavedOnDestroy = nullptr;
    holder_.reset();
    throw;
  }
}

int32_t TDLLRPCtrller::Open(const qv::Variant& start_params) {
  if (Window == nullptr && (frmBaseGeneClass == nullptr || frmBaseGeneClass->Create == nullptr))
    throw EQvrInternalError(kNoWindowClassError);
  try {
    const qv::Variant params = start_params;
    if (Window == nullptr) CreateWindow();
    return Window->InitModule(params) ? 0 : -1;
  } catch (...) {
    return -1;
  }
}

int32_t TDLLRPCtrller::ApplyParams(const qv::Variant& params) {
  if (Window == nullptr || !params.IsArray()) return -1;
  try {
    const qv::Variant hand_over = params[1];
    Window->ApplyHostConditions(hand_over);
    return 0;
  } catch (...) {
    return -1;
  }
}

int32_t TDLLRPCtrller::ApplyData(int32_t kind, int32_t, const qv::Variant& data) {
  if (Window == nullptr || (kind != 5 && kind != 9)) return -1;
  try {
    const qv::Variant hand_over = data;
    Window->ApplyHostConditions(hand_over);
    return 0;
  } catch (...) {
    return -1;
  }
}

qv::Variant TDLLRPCtrller::ShowModal() {
  if (form_ == nullptr) return kCancelled;
  try {
    return qv::Variant(int32_t{form_->ShowModal()});
  } catch (...) {
    // A window that is visible already, or that was freed while it ran.
    return kCancelled;
  }
}

void TDLLRPCtrller::CloseWindow() {
  if (form_ == nullptr || form_->IsDestroying()) return;
  try {
    form_->Free();
  } catch (...) {
  }
}

int32_t TDLLRPCtrller::GetModuleInfo(qv::Variant& info) {
  if (Window == nullptr) return -1;
  try {
    qv::Variant texts = qv::VarArrayCreate({0, 3});
    texts[0] = qv::Variant(Window->UserID);
    texts[1] = qv::Variant(Window->CompanyID);
    texts[2] = qv::Variant(Window->ProgramCode);
    texts[3] = qv::Variant(Window->ProgramName);
    info = std::move(texts);
    return 0;
  } catch (...) {
    return -1;
  }
}

bool TDLLRPCtrller::IsClosed() {
  return Window == nullptr;
}

void TDLLRPCtrller::WindowShow(qv::TObject* sender) {
  if (SavedOnShow) SavedOnShow(sender);
  Notify(meShown);
}

void TDLLRPCtrller::WindowHide(qv::TObject* sender) {
  if (SavedOnHide) SavedOnHide(sender);
  Notify(meHidden);
}

void TDLLRPCtrller::WindowDestroy(qv::TObject* sender) {
  THostWindow* window = Window;
  if (window != nullptr && form_ != nullptr && form_->Visible()) {
    // A window that goes while it is shown is hidden first, so that the host
    // hears of both, as it does when the window closes.
    try {
      form_->Hide();
    } catch (...) {
    }
  }
  Window = nullptr;
  form_ = nullptr;
  if (window == nullptr) return;
  ResultCode = window->ResultCode;
  ResultData = window->ResultData;
  const qv::TNotifyEvent saved_on_destroy = SavedOnDestroy;
  // The saved handlers belong to the window that goes now.
  SavedOnShow = SavedOnHide = SavedOnDestroy = nullptr;
  try {
    saved_on_destroy(sender);
  } catch (...) {
    // The window goes all the same, and the host must hear of it.
  }
  // Last: the host may free this controller when it hears of it.
  Notify(meDestroyed);
}

}  // namespace ravlet
