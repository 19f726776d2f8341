#include "platform/vcl/application.h"

#include "platform/text/unicode.h"
#include "platform/vcl/form.h"
#include "platform/vcl/screen.h"
#include "platform/vcl/type_registry.h"
#include "platform/vcl/win_control.h"

namespace qv {

namespace {

// The process-wide objects. The type registry and the handle table are
// touched first so that they outlive the forms the application frees at exit.
struct TGlobals {
  TGlobals() {
    TTypeRegistry::Instance();
    FindControl(0);
    screen = CreateUnowned<TScreen>();
    application = CreateUnowned<TApplication>();
    Screen = screen.get();
    Application = application.get();
  }
  ~TGlobals() {
    application.reset();
    Application = nullptr;
    screen.reset();
    Screen = nullptr;
  }
  TComponentPtr<TScreen> screen;
  TComponentPtr<TApplication> application;
};

}  // namespace

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {
const TGlobals globals;
}  // namespace

QV_DEFINE_CLASS(TApplication, TComponent, r) {}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() = default;

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == main_form_) main_form_ = nullptr;
}

template <typename F>
void TApplication::Guarded(F&& step) {
  if (!OnException) {
    step();
    return;
  }
  try {
    step();
  } catch (const EInputError&) {
    throw;
  } catch (const std::exception& e) {
    OnException(e);
  }
}

bool TApplication::ProcessOneMessage() {
  if (queue_.empty()) return false;
  const TPostedMessage message = queue_.front();
  queue_.pop_front();
  if (TWinControl* target = FindControl(message.Handle))
    Guarded([&] { target->Perform(message.Msg, message.WParam, message.LParam); });
  return true;
}

bool TApplication::ProcessMessages() {
  bool any = false;
  while (ProcessOneMessage()) any = true;
  return any;
}

bool TApplication::HandleMessage() {
  if (ProcessOneMessage()) return true;
  TInputEvent event;
  if (!input_ || !input_->Next(event)) return false;
  Guarded([&] { DispatchInput(event); });
  return true;
}

void TApplication::Run() {
  if (main_form_ != nullptr && !main_form_->Visible()) main_form_->Show();
  while (!terminated_ && HandleMessage()) {
  }
  terminated_ = false;
}

bool TApplication::PostMessage(HWND handle, unsigned msg, WPARAM wparam, LPARAM lparam) {
  if (FindControl(handle) == nullptr) return false;
  queue_.push_back({handle, msg, wparam, lparam});
  return true;
}

TControl* TApplication::FindControlByPath(std::string_view path) const {
  std::vector<std::string> segments;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t dot = path.find('.', start);
    segments.emplace_back(
        path.substr(start, dot == std::string_view::npos ? path.npos : dot - start));
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  TComponent* current = nullptr;
  size_t i = 0;
  if (TCustomForm* form = Screen->FindForm(segments[0])) {
    current = form;
    i = 1;
  } else {
    current = Screen->ModalForm() ? Screen->ModalForm() : Screen->ActiveForm();
    if (current == nullptr)
      throw EInputError("No window is active to find '" + std::string(path) + "'");
  }
  for (; i < segments.size(); ++i) {
    TComponent* next = current->FindComponent(segments[i]);
    if (next == nullptr)
      if (auto* windowed = dynamic_cast<TWinControl*>(current))
        next = windowed->FindChildControl(segments[i]);
    if (next == nullptr)
      throw EInputError("No control '" + std::string(path) + "' on " + current->Name());
    current = next;
  }
  auto* control = dynamic_cast<TControl*>(current);
  if (control == nullptr) throw EInputError("'" + std::string(path) + "' is no control");
  return control;
}

namespace {

// Reachable by the person: shown, enabled up to its form, and the form not
// behind a modal one.
bool Reachable(const TControl* control) {
  if (control == nullptr || !control->Showing()) return false;
  for (const TControl* c = control; c != nullptr; c = c->Parent())
    if (!c->Enabled()) return false;
  return Screen->AcceptsInput(GetParentForm(control));
}

TWinControl* KeyTarget(const TApplication& app, const std::string& target) {
  if (target.empty()) {
    TCustomForm* form = Screen->ModalForm() ? Screen->ModalForm() : Screen->ActiveForm();
    if (form == nullptr) return nullptr;
    return form->FocusedControl() ? form->FocusedControl() : form;
  }
  auto* control = dynamic_cast<TWinControl*>(app.FindControlByPath(target));
  if (control == nullptr) throw EInputError("'" + target + "' cannot take keys");
  if (!Reachable(control) || !control->CanFocus()) return nullptr;
  if (!control->Focused()) control->SetFocus();
  return control->Focused() ? control : nullptr;
}

}  // namespace

bool TApplication::DispatchInput(const TInputEvent& event) {
  switch (event.Kind) {
    case ikClick:
    case ikDoubleClick: {
      TControl* control = FindControlByPath(event.Target);
      if (!Reachable(control)) return false;
      if (event.Kind == ikClick)
        DeliverClick(control, event.Shift);
      else
        DeliverDoubleClick(control);
      return true;
    }
    case ikKeyDown:
    case ikKeyUp:
    case ikKeystroke:
    case ikKeyPress:
    case ikTypeText: {
      TWinControl* target = KeyTarget(*this, event.Target);
      if (target == nullptr || !Reachable(target)) return false;
      if (event.Kind == ikKeyDown)
        DeliverKeyDown(target, event.Key, event.Shift);
      else if (event.Kind == ikKeyUp)
        DeliverKeyUp(target, event.Key, event.Shift);
      else if (event.Kind == ikKeystroke)
        DeliverKeystroke(target, event.Key, event.Shift);
      else
        DeliverText(target, event.Text);
      return true;
    }
    case ikSetFocus: {
      auto* control = dynamic_cast<TWinControl*>(FindControlByPath(event.Target));
      if (control == nullptr || !Reachable(control) || !control->CanFocus()) return false;
      control->SetFocus();
      return true;
    }
    case ikCloseWindow: {
      TCustomForm* form = nullptr;
      if (event.Target.empty())
        form = Screen->ModalForm() ? Screen->ModalForm() : Screen->ActiveForm();
      else
        form = dynamic_cast<TCustomForm*>(FindControlByPath(event.Target));
      if (form == nullptr || !Screen->AcceptsInput(form)) return false;
      form->Close();
      return true;
    }
  }
  return false;
}

bool PostMessage(HWND handle, unsigned msg, WPARAM wparam, LPARAM lparam) {
  return Application->PostMessage(handle, msg, wparam, lparam);
}

LRESULT SendMessage(HWND handle, unsigned msg, WPARAM wparam, LPARAM lparam) {
  TWinControl* control = FindControl(handle);
  return control ? control->Perform(msg, wparam, lparam) : 0;
}

namespace {

LPARAM CentreOf(const TControl* control) {
  const TRect client = control->ClientRect();
  return MakeLParam(client.Left + client.Width() / 2, client.Top + client.Height() / 2);
}

// Whether a windowed control still exists after a handler ran.
bool StillThere(HWND handle) {
  return FindControl(handle) != nullptr;
}

}  // namespace

void DeliverClick(TControl* control, TShiftState shift) {
  const LPARAM pos = CentreOf(control);
  const WPARAM flags = MouseFlagsFromShift(shift);
  auto* windowed = dynamic_cast<TWinControl*>(control);
  const HWND handle = windowed ? windowed->Handle() : 0;
  control->Perform(WM_LBUTTONDOWN, flags | MK_LBUTTON, pos);
  if (windowed != nullptr && !StillThere(handle)) return;
  control->Perform(WM_LBUTTONUP, flags, pos);
}

void DeliverDoubleClick(TControl* control) {
  DeliverClick(control);
  const LPARAM pos = CentreOf(control);
  control->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, pos);
  control->Perform(WM_LBUTTONUP, 0, pos);
}

bool DeliverKeyDown(TWinControl* control, Word key, TShiftState shift) {
  const LPARAM data = KeyDataFromShift(shift);
  switch (key) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_ESCAPE:
      if (!control->Perform(CM_WANTSPECIALKEY, key, data)) {
        if (TCustomForm* form = GetParentForm(control))
          if (form->Perform(CM_DIALOGKEY, key, data) != 0) return false;
      }
      break;
    default:
      break;
  }
  control->Perform(WM_KEYDOWN, key, data);
  return true;
}

void DeliverKeyPress(TWinControl* control, char32_t key) {
  control->Perform(WM_CHAR, key);
}

void DeliverKeyUp(TWinControl* control, Word key, TShiftState shift) {
  control->Perform(WM_KEYUP, key, KeyDataFromShift(shift));
}

void DeliverKeystroke(TWinControl* control, Word key, TShiftState shift) {
  const HWND handle = control->Handle();
  const bool delivered = DeliverKeyDown(control, key, shift);
  if (!StillThere(handle)) return;
  const char32_t ch = KeyToChar(key, shift);
  if (delivered && ch != 0) {
    DeliverKeyPress(control, ch);
    if (!StillThere(handle)) return;
  }
  DeliverKeyUp(control, key, shift);
}

void DeliverText(TWinControl* control, std::string_view text) {
  const HWND handle = control->Handle();
  const std::u16string units = Utf8ToUtf16(text);
  for (size_t i = 0; i < units.size(); ++i) {
    if (!StillThere(handle)) return;
    char32_t ch = units[i];
    if (ch >= 0xD800 && ch < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] < 0xE000) {
      ch = 0x10000 + ((ch - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    }
    DeliverKeyPress(control, ch);
  }
}

}  // namespace qv
