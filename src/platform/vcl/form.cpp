#include "platform/vcl/form.h"

#include <algorithm>

#include "platform/vcl/application.h"
#include "platform/vcl/screen.h"
#include "platform/vcl/type_info.h"

namespace qv {

namespace {

bool RegisterModalResultIdents() {
  RegisterIntegerConsts("TModalResult", {{"mrNone", mrNone},
                                         {"mrOk", mrOk},
                                         {"mrCancel", mrCancel},
                                         {"mrAbort", mrAbort},
                                         {"mrRetry", mrRetry},
                                         {"mrIgnore", mrIgnore},
                                         {"mrYes", mrYes},
                                         {"mrNo", mrNo},
                                         {"mrAll", mrAll},
                                         {"mrNoToAll", mrNoToAll},
                                         {"mrYesToAll", mrYesToAll}});
  return true;
}

[[maybe_unused]] const bool kModalResultsRegistered = RegisterModalResultIdents();

}  // namespace

QV_DEFINE_CLASS(TCustomForm, TWinControl, r) {
  r.Message(CM_DIALOGKEY, &TCustomForm::CMDialogKey);
  r.Message(CM_VISIBLECHANGED, &TCustomForm::CMVisibleChanged);
  r.Message(CM_RELEASE, &TCustomForm::CMRelease);
  r.Message(WM_CLOSE, &TCustomForm::WMClose);
}

QV_DEFINE_CLASS(TForm, TCustomForm, r) {
  r.Property("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl);
  r.Property("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons, "TBorderIcons");
  r.Property("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle);
  r.Property("Caption", &TForm::Caption, &TForm::SetCaption);
  r.Property("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight);
  r.Property("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth);
  r.Property("Color", &TForm::Color, &TForm::SetColor, "TColor");
  r.Property("Ctl3D", &TForm::Ctl3D, &TForm::SetCtl3D);
  r.Property("Enabled", &TForm::Enabled, &TForm::SetEnabled);
  r.Property("Font", &TForm::Font, &TForm::SetFont);
  r.Property("FormStyle", &TForm::FormStyle, &TForm::SetFormStyle);
  r.Property("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview);
  r.Property("ParentFont", &TForm::ParentFont, &TForm::SetParentFont);
  r.Property("Position", &TForm::Position, &TForm::SetPosition);
  r.Property("Scaled", &TForm::Scaled, &TForm::SetScaled);
  r.Property("ShowHint", &TForm::ShowHint, &TForm::SetShowHint);
  r.Property("Visible", &TForm::Visible, &TForm::SetVisible);
  r.Property("WindowState", &TForm::WindowState, &TForm::SetWindowState);
  r.Event("OnActivate", &TForm::OnActivate);
  r.Event("OnClick", &TForm::OnClick);
  r.Event("OnClose", &TForm::OnClose);
  r.Event("OnCloseQuery", &TForm::OnCloseQuery);
  r.Event("OnCreate", &TForm::OnCreate);
  r.Event("OnDblClick", &TForm::OnDblClick);
  r.Event("OnDeactivate", &TForm::OnDeactivate);
  r.Event("OnDestroy", &TForm::OnDestroy);
  r.Event("OnHide", &TForm::OnHide);
  r.Event("OnKeyDown", &TForm::OnKeyDown);
  r.Event("OnKeyPress", &TForm::OnKeyPress);
  r.Event("OnKeyUp", &TForm::OnKeyUp);
  r.Event("OnMouseDown", &TForm::OnMouseDown);
  r.Event("OnMouseMove", &TForm::OnMouseMove);
  r.Event("OnMouseUp", &TForm::OnMouseUp);
  r.Event("OnResize", &TForm::OnResize);
  r.Event("OnShow", &TForm::OnShow);
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  InitVisible(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (Screen != nullptr) Screen->RemoveForm(this);
}

void TCustomForm::AfterConstruction() {
  TWinControl::AfterConstruction();
  DoCreate();
}

void TCustomForm::BeforeDestruction() {
  if (freed_while_modal_ != nullptr) *freed_while_modal_ = true;
  DoDestroy();
  if (Screen != nullptr) Screen->RemoveForm(this);
  active_control_ = nullptr;
  focused_control_ = nullptr;
  TWinControl::BeforeDestruction();
}

void TCustomForm::DoCreate() {
  OnCreate(this);
}
void TCustomForm::DoDestroy() {
  OnDestroy(this);
}
void TCustomForm::DoShow() {
  OnShow(this);
}
void TCustomForm::DoHide() {
  OnHide(this);
}
void TCustomForm::DoClose(TCloseAction& action) {
  OnClose(this, action);
}
void TCustomForm::Activate() {
  OnActivate(this);
}
void TCustomForm::Deactivate() {
  OnDeactivate(this);
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || modal_)
    throw EInvalidOperation("Cannot make a visible window modal");
  bool freed = false;
  freed_while_modal_ = &freed;
  modal_ = true;
  modal_result_ = mrNone;
  Screen->PushModal(this);
  auto finish = [&] {
    if (freed) return;
    freed_while_modal_ = nullptr;
    Screen->PopModal(this);
    modal_ = false;
    Hide();
    if (release_pending_) {
      release_pending_ = false;
      Release();
    }
  };
  try {
    Show();
    for (;;) {
      if (freed) throw EInvalidOperation("A modal window was freed while it ran");
      if (Application->Terminated()) modal_result_ = mrCancel;
      if (modal_result_ != mrNone) {
        CloseModal();
        if (modal_result_ != mrNone || Application->Terminated()) break;
      }
      if (!Application->HandleMessage())
        throw EInputError("No input is left for the modal window " + Name() + " (" + ClassName() +
                          ")");
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return modal_result_;
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone)
    modal_result_ = mrNone;
  else if (action == caFree)
    Release();
}

void TCustomForm::Close() {
  if (modal_) {
    modal_result_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application != nullptr && Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (action) {
    case caHide:
      Hide();
      break;
    case caMinimize:
      SetWindowState(wsMinimized);
      break;
    case caFree:
      Release();
      break;
    default:
      break;
  }
}

bool TCustomForm::CloseQuery() {
  bool can_close = true;
  OnCloseQuery(this, can_close);
  return can_close;
}

void TCustomForm::Release() {
  Application->PostMessage(Handle(), CM_RELEASE);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control != nullptr &&
      (control == this || GetParentForm(control) != this || (!IsLoading() && !control->CanFocus())))
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  active_control_ = control;
  if (!IsLoading() && active_) SetFocusedControl(control);
}

void TCustomForm::FocusControl(TWinControl* control) {
  SetActiveControl(control);
  if (!active_ && Visible() && Enabled() && Screen->AcceptsInput(this)) Screen->ActivateForm(this);
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
  if (control == nullptr) return;
  if (control->ContainsControl(focused_control_)) focused_control_ = nullptr;
  if (removing && control->ContainsControl(active_control_)) active_control_ = nullptr;
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
  if (control == this) control = nullptr;
  active_control_ = control;
  if (control != nullptr && control->ControlState().Contains(csFocusing)) return false;
  const int change = ++focus_changes_;
  TWinControl* target = control != nullptr ? control : this;
  TWinControl* current = focused_control_ != nullptr ? focused_control_ : this;
  if (current == target) return true;
  auto focusing = [&](bool on) {
    if (control == nullptr) return;
    TControlState state = control->ControlState();
    control->SetControlState(on ? state.Include(csFocusing) : state.Exclude(csFocusing));
  };
  focusing(true);
  // The focus walks out to the common parent and in to the control one step
  // at a time, so a handler that moves it elsewhere starts from where it is.
  while (current != this && !current->ContainsControl(target)) {
    TWinControl* leaving = current;
    current = current->Parent();
    focused_control_ = current == this ? nullptr : current;
    leaving->Perform(CM_EXIT);
    if (focus_changes_ != change) {
      focusing(false);
      return false;
    }
  }
  while (current != target) {
    TWinControl* next = target;
    while (next->Parent() != current) next = next->Parent();
    current = next;
    focused_control_ = next;
    next->Perform(CM_ENTER);
    if (focus_changes_ != change) {
      focusing(false);
      return false;
    }
  }
  focusing(false);
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
  return true;
}

void TCustomForm::SetFocus() {
  if (!Visible() || !Enabled())
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  if (Screen->AcceptsInput(this)) Screen->ActivateForm(this);
}

void TCustomForm::SetActive(bool active) {
  active_ = active;
  if (!active) {
    Deactivate();
    return;
  }
  if (active_control_ == nullptr) active_control_ = FindNextControl(nullptr, true, true, false);
  if (active_control_ != nullptr && active_control_->CanFocus())
    SetFocusedControl(active_control_);
  else
    SetFocusedControl(nullptr);
  if (active_) Activate();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == border_style_) return;
  border_style_ = style;
  Realign();
  Invalidate();
}

void TCustomForm::SetWindowState(TWindowState state) {
  if (state == window_state_) return;
  if (state == wsMaximized) {
    normal_bounds_ = BoundsRect();
    window_state_ = state;
    SetBounds(0, 0, Screen->Width(), Screen->Height());
  } else {
    const TWindowState old = window_state_;
    window_state_ = state;
    if (old == wsMaximized && state == wsNormal) SetBoundsRect(normal_bounds_);
  }
}

int TCustomForm::FrameWidth() const {
  switch (border_style_) {
    case bsNone:
      return 0;
    case bsSizeable:
    case bsSizeToolWin:
      return 4;
    default:
      return 3;
  }
}

int TCustomForm::CaptionHeight() const {
  switch (border_style_) {
    case bsNone:
      return 0;
    case bsToolWindow:
    case bsSizeToolWin:
      return 16;
    default:
      return 19;
  }
}

TRect TCustomForm::ClientRect() const {
  const int frame = FrameWidth();
  return Rect(0, 0, std::max(0, Width() - 2 * frame),
              std::max(0, Height() - 2 * frame - CaptionHeight()));
}

TPoint TCustomForm::ClientOrigin() const {
  const int frame = FrameWidth();
  return {Left() + frame, Top() + frame + CaptionHeight()};
}

void TCustomForm::SetVisible(bool visible) {
  if (visible && !shown_before_) {
    shown_before_ = true;
    PlaceOnShow();
  }
  TWinControl::SetVisible(visible);
}

void TCustomForm::PlaceOnShow() {
  const TCustomForm* around = nullptr;
  switch (position_) {
    case poMainFormCenter:
      around = Application ? Application->MainForm() : nullptr;
      break;
    case poOwnerFormCenter:
      around = dynamic_cast<const TCustomForm*>(Owner());
      break;
    case poScreenCenter:
    case poDesktopCenter:
      break;
    default:
      return;
  }
  if (around == this) around = nullptr;
  if (around != nullptr)
    SetBounds(around->Left() + (around->Width() - Width()) / 2,
              around->Top() + (around->Height() - Height()) / 2, Width(), Height());
  else
    SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(),
              Height());
}

void TCustomForm::CMVisibleChanged(TMessage&) {
  if (Visible()) {
    DoShow();
    if (Visible()) Screen->FormShown(this);
  } else {
    DoHide();
    Screen->FormHidden(this);
  }
  Invalidate();
}

void TCustomForm::CMDialogKey(TMessage& message) {
  const TShiftState shift = KeyDataToShiftState(message.LParam);
  if (!shift.Contains(ssAlt)) {
    switch (message.WParam) {
      case VK_TAB:
        if (!shift.Contains(ssCtrl)) {
          SelectNext(active_control_, !shift.Contains(ssShift), true);
          message.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (active_control_ != nullptr && active_control_->Parent() != nullptr) {
          active_control_->Parent()->SelectNext(
              active_control_, message.WParam == VK_RIGHT || message.WParam == VK_DOWN, false);
          message.Result = 1;
          return;
        }
        break;
      default:
        break;
    }
  }
  Inherited(message);
}

void TCustomForm::CMRelease(TMessage&) {
  if (modal_)
    release_pending_ = true;
  else
    Free();
}

void TCustomForm::WMClose(TMessage&) {
  Close();
}

}  // namespace qv
