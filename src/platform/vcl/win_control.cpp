#include "platform/vcl/win_control.h"

#include <algorithm>
#include <unordered_map>

#include "platform/text/string_utils.h"
#include "platform/vcl/form.h"

namespace qv {

namespace {

struct THandleTable {
  std::unordered_map<HWND, TWinControl*> controls;
  HWND next = 0x10000;
};

THandleTable& Handles() {
  static THandleTable table;
  return table;
}

bool IsDialogKey(Word key) {
  switch (key) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_ESCAPE:
      return true;
    default:
      return false;
  }
}

}  // namespace

TWinControl* FindControl(HWND handle) {
  auto& table = Handles();
  auto it = table.controls.find(handle);
  return it == table.controls.end() ? nullptr : it->second;
}

QV_DEFINE_CLASS(TWinControl, TControl, r) {
  r.Message(WM_KEYDOWN, &TWinControl::WMKeyDown);
  r.Message(WM_KEYUP, &TWinControl::WMKeyUp);
  r.Message(WM_CHAR, &TWinControl::WMChar);
  r.Message(WM_LBUTTONDOWN, &TWinControl::WMLButtonDown);
  r.Message(CM_ENTER, &TWinControl::CMEnter);
  r.Message(CM_EXIT, &TWinControl::CMExit);
  r.Message(CM_DIALOGKEY, &TWinControl::CMDialogKey);
  r.Message(CM_WANTSPECIALKEY, &TWinControl::CMWantSpecialKey);
  r.Message(CM_FONTCHANGED, &TWinControl::CMFontChanged);
  r.Message(CM_COLORCHANGED, &TWinControl::CMColorChanged);
  r.Message(CM_SHOWHINTCHANGED, &TWinControl::CMShowHintChanged);
  r.Message(CM_CTL3DCHANGED, &TWinControl::CMCtl3DChanged);
  r.Message(CM_PARENTCTL3DCHANGED, &TWinControl::CMParentCtl3DChanged);
  r.Message(CM_VISIBLECHANGED, &TWinControl::CMVisibleChanged);
  r.Message(CM_ENABLEDCHANGED, &TWinControl::CMEnabledChanged);
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  if (handle_ != 0) Handles().controls.erase(handle_);
}

void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();
  // Children go with their parent; those already on their way out (freed
  // with a common owner) are only let go.
  while (!controls_.empty()) {
    TControl* child = controls_.back();
    if (child->IsDestroying())
      RemoveControl(child);
    else
      child->Free();
  }
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return controls_[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c != nullptr; c = c->Parent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::FindChildControl(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TControl* child : controls_)
    if (SameText(child->Name(), name)) return child;
  for (TControl* child : controls_)
    if (auto* windowed = dynamic_cast<TWinControl*>(child))
      if (TControl* found = windowed->FindChildControl(name)) return found;
  return nullptr;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allow_disabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* child = *it;
    if (child->Visible() && (allow_disabled || child->Enabled()) &&
        child->BoundsRect().Contains(pos))
      return child;
  }
  return nullptr;
}

void TWinControl::DisableAlign() {
  ++align_level_;
}

void TWinControl::EnableAlign() {
  if (align_level_ > 0 && --align_level_ == 0 && ControlState().Contains(csAlignmentNeeded))
    Realign();
}

void TWinControl::Realign() {
  AlignControl(nullptr);
}

void TWinControl::AdjustClientRect(TRect&) const {}

void TWinControl::AlignControl(TControl* control) {
  if (aligning_ || IsDestroying()) return;
  if (align_level_ > 0 || IsLoading()) {
    TControlState state = ControlState();
    SetControlState(state.Include(csAlignmentNeeded));
    return;
  }
  TControlState state = ControlState();
  SetControlState(state.Exclude(csAlignmentNeeded));
  TRect rect = ClientRect();
  AlignControls(control, rect);
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
  aligning_ = true;
  AdjustClientRect(rect);
  // Among controls of one alignment the earlier edge comes first; the
  // control that asked for the arrangement goes first of all.
  auto before = [](TControl* a, TControl* b, TAlign align) {
    switch (align) {
      case alTop:
        return a->Top() < b->Top();
      case alBottom:
        return a->Top() + a->Height() >= b->Top() + b->Height();
      case alLeft:
        return a->Left() < b->Left();
      case alRight:
        return a->Left() + a->Width() >= b->Left() + b->Width();
      default:
        return false;
    }
  };
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    if (control != nullptr && control->Align() == align && control->Visible() &&
        control->Parent() == this)
      list.push_back(control);
    for (TControl* child : controls_) {
      if (child == control || child->Align() != align || !child->Visible()) continue;
      auto pos = list.begin() + (list.empty() || list.front() != control ? 0 : 1);
      while (pos != list.end() && !before(child, *pos, align)) ++pos;
      list.insert(pos, child);
    }
    for (TControl* child : list) {
      int left = rect.Left;
      int top = rect.Top;
      int width = rect.Width();
      int height = rect.Height();
      switch (align) {
        case alTop:
          height = child->Height();
          rect.Top += height;
          break;
        case alBottom:
          height = child->Height();
          rect.Bottom -= height;
          top = rect.Bottom;
          break;
        case alLeft:
          width = child->Width();
          rect.Left += width;
          break;
        case alRight:
          width = child->Width();
          rect.Right -= width;
          left = rect.Right;
          break;
        default:
          break;
      }
      child->SetBounds(left, top, width, height);
    }
  }
  aligning_ = false;
}

int TWinControl::TabOrder() const {
  if (Parent() == nullptr) return pending_tab_order_;
  const auto& list = Parent()->tab_list_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int tab_order) {
  if (Parent() == nullptr) {
    pending_tab_order_ = tab_order;
    return;
  }
  auto& list = Parent()->tab_list_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  const int count = static_cast<int>(list.size());
  const int index = std::clamp(tab_order, 0, count);
  list.insert(list.begin() + index, this);
}

bool TWinControl::CanFocus() const {
  const TCustomForm* form = GetParentForm(this);
  if (form == nullptr) return false;
  for (const TControl* c = this; c != form; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const {
  const TCustomForm* form = GetParentForm(this);
  if (form == nullptr || !form->Active()) return false;
  if (form == this) return form->FocusedControl() == nullptr;
  return form->FocusedControl() == this;
}

void TWinControl::SetFocus() {
  TCustomForm* form = GetParentForm(this);
  if (form == nullptr) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  form->FocusControl(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* child : tab_list_) {
    list.push_back(child);
    child->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool go_forward,
                                          bool check_tab_stop, bool check_parent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int count = static_cast<int>(list.size());
  auto found = std::find(list.begin(), list.end(), current);
  int start =
      found == list.end() ? (go_forward ? count - 1 : 0) : static_cast<int>(found - list.begin());
  int i = start;
  do {
    i = go_forward ? (i + 1) % count : (i + count - 1) % count;
    TWinControl* candidate = list[static_cast<size_t>(i)];
    if (candidate->CanFocus() && (!check_tab_stop || candidate->TabStop()) &&
        (!check_parent || candidate->Parent() == this))
      return candidate;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectFirst() {
  if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
}

void TWinControl::SelectNext(TWinControl* current, bool go_forward, bool check_tab_stop) {
  if (TWinControl* next = FindNextControl(current, go_forward, check_tab_stop, !check_tab_stop))
    next->SetFocus();
}

HWND TWinControl::Handle() {
  if (handle_ == 0) {
    auto& table = Handles();
    handle_ = table.next++;
    table.controls[handle_] = this;
  }
  return handle_;
}

void TWinControl::SetCtl3D(bool ctl3d) {
  if (ctl3d != ctl3d_) {
    ctl3d_ = ctl3d;
    Perform(CM_CTL3DCHANGED);
  }
  parent_ctl3d_ = false;
}

void TWinControl::SetParentCtl3D(bool parent_ctl3d) {
  if (parent_ctl3d == parent_ctl3d_) return;
  parent_ctl3d_ = parent_ctl3d;
  if (parent_ctl3d_) Perform(CM_PARENTCTL3DCHANGED);
}

bool TWinControl::DoKeyDown(Word& key, TShiftState shift) {
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyDown(key, shift))
    return true;
  KeyDown(key, shift);
  return key == 0;
}

bool TWinControl::DoKeyUp(Word& key, TShiftState shift) {
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyUp(key, shift))
    return true;
  KeyUp(key, shift);
  return key == 0;
}

bool TWinControl::DoKeyPress(char32_t& key) {
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyPress(key)) return true;
  KeyPress(key);
  return key == 0;
}

void TWinControl::KeyDown(Word& key, TShiftState shift) {
  OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(Word& key, TShiftState shift) {
  OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char32_t& key) {
  OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
  OnEnter(this);
}

void TWinControl::DoExit() {
  OnExit(this);
}

bool TWinControl::WantsKey(Word key, TShiftState) const {
  return !IsDialogKey(key);
}

void TWinControl::BoundsChanged(bool moved, bool resized) {
  if (resized) Realign();
  if (moved) Perform(WM_MOVE, 0, MakeLParam(Left(), Top()));
  if (resized) Perform(WM_SIZE, 0, MakeLParam(ClientWidth(), ClientHeight()));
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (ControlState().Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::WMKeyDown(TMessage& message) {
  Word key = static_cast<Word>(message.WParam);
  if (DoKeyDown(key, KeyDataToShiftState(message.LParam))) return;
  message.WParam = key;
  Inherited(message);
}

void TWinControl::WMKeyUp(TMessage& message) {
  Word key = static_cast<Word>(message.WParam);
  if (DoKeyUp(key, KeyDataToShiftState(message.LParam))) return;
  message.WParam = key;
  Inherited(message);
}

void TWinControl::WMChar(TMessage& message) {
  char32_t key = static_cast<char32_t>(message.WParam);
  if (DoKeyPress(key)) return;
  message.WParam = key;
  Inherited(message);
}

void TWinControl::WMLButtonDown(TMessage& message) {
  if (FocusOnClick() && CanFocus() && !Focused()) SetFocus();
  Inherited(message);
}

void TWinControl::CMEnter(TMessage&) {
  DoEnter();
}

void TWinControl::CMExit(TMessage&) {
  DoExit();
}

void TWinControl::CMDialogKey(TMessage& message) {
  for (size_t i = 0; i < controls_.size(); ++i) {
    message.Result = controls_[i]->Perform(CM_DIALOGKEY, message.WParam, message.LParam);
    if (message.Result != 0) return;
  }
}

void TWinControl::CMWantSpecialKey(TMessage& message) {
  message.Result =
      WantsKey(static_cast<Word>(message.WParam), KeyDataToShiftState(message.LParam)) ? 1 : 0;
}

void TWinControl::NotifyControls(unsigned msg) {
  for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->Perform(msg);
}

void TWinControl::CMFontChanged(TMessage& message) {
  Inherited(message);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& message) {
  Inherited(message);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMShowHintChanged(TMessage& message) {
  Inherited(message);
  NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

void TWinControl::CMCtl3DChanged(TMessage&) {
  Invalidate();
  NotifyControls(CM_PARENTCTL3DCHANGED);
}

void TWinControl::CMParentCtl3DChanged(TMessage&) {
  if (parent_ctl3d_ && Parent() != nullptr && ctl3d_ != Parent()->ctl3d_) {
    ctl3d_ = Parent()->ctl3d_;
    Perform(CM_CTL3DCHANGED);
  }
}

void TWinControl::LoseFocusIfInside() {
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && form != this && ContainsControl(form->FocusedControl()))
    form->DefocusControl(this, false);
}

void TWinControl::CMVisibleChanged(TMessage& message) {
  if (!Visible()) LoseFocusIfInside();
  Inherited(message);
}

void TWinControl::CMEnabledChanged(TMessage& message) {
  if (!Enabled()) LoseFocusIfInside();
  Inherited(message);
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    tab_list_.push_back(windowed);
    if (windowed->pending_tab_order_ >= 0) {
      const int wanted = windowed->pending_tab_order_;
      windowed->pending_tab_order_ = -1;
      windowed->SetTabOrder(wanted);
    }
    if (windowed->parent_ctl3d_) windowed->Perform(CM_PARENTCTL3DCHANGED);
  }
  if (!control->IsLoading()) {
    control->Perform(CM_PARENTFONTCHANGED);
    control->Perform(CM_PARENTCOLORCHANGED);
    control->Perform(CM_PARENTSHOWHINTCHANGED);
  }
  Invalidate();
  AlignControl(control);
}

void TWinControl::RemoveControl(TControl* control) {
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(windowed, true);
    tab_list_.erase(std::remove(tab_list_.begin(), tab_list_.end(), windowed), tab_list_.end());
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  control->parent_ = nullptr;
  Invalidate();
  Realign();
}

void TWinControl::MoveChild(TControl* control, bool to_front) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  controls_.erase(it);
  if (to_front)
    controls_.push_back(control);
  else
    controls_.insert(controls_.begin(), control);
  Invalidate();
}

}  // namespace qv
