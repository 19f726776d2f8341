#include "controls/db_label.h"

#include <algorithm>
#include <exception>
#include <map>
#include <mutex>
#include <string>

#include "controls/data_source.h"
#include "platform/vcl/dialogs.h"

namespace ravlet {
namespace {

// Message numbers registered by name, as the system hands them out: the same
// name always gives the same number, from 0xC000 upwards.
unsigned RegisterWindowMessage(const std::string& name) {
  static std::mutex mutex;
  static std::map<std::string, unsigned> numbers;
  std::lock_guard<std::mutex> lock(mutex);
  auto [it, added] = numbers.emplace(name, 0xC000u + static_cast<unsigned>(numbers.size()));
  return it->second;
}

}  // namespace

QV_DEFINE_CLASS(TDBLabel, qv::TLabel, r) {
  r.Property("AutoAlign", &TDBLabel::AutoAlign, &TDBLabel::SetAutoAlign);
  r.Property("AutoCaption", &TDBLabel::AutoCaption, &TDBLabel::SetAutoCaption);
  r.Property("FocusControl", &TDBLabel::FocusControl, &TDBLabel::SetFocusControl);
  r.Property("Gap", &TDBLabel::Gap, &TDBLabel::SetGap);
  r.Property("Pos", &TDBLabel::Pos, &TDBLabel::SetPos);
}

TDBLabel::TDBLabel(qv::TComponent* owner) : qv::TLabel(owner) {
  SetCaption("挂靠标签");
}

void TDBLabel::AfterConstruction() {
  qv::TLabel::AfterConstruction();
  apply_message_ = RegisterWindowMessage(Name().empty() ? ClassName() : Name());
  Perform(apply_message_);
}

void TDBLabel::WndProc(qv::TMessage& message) {
  if (apply_message_ != 0 && message.Msg == apply_message_) {
    ApplyCaptionAndPlace();
    return;
  }
  qv::TLabel::WndProc(message);
}

void TDBLabel::Loaded() {
  qv::TLabel::Loaded();
  Perform(apply_message_);
}

bool TDBLabel::BoundByAnother(const qv::TWinControl* control) const {
  // A label without a parent yet looks among its owner's components.
  const qv::TComponent* scope =
      Parent() != nullptr ? static_cast<qv::TComponent*>(Parent()) : Owner();
  if (scope == nullptr) return false;
  for (int i = 0; i < scope->ComponentCount(); ++i) {
    const auto* other = dynamic_cast<const TDBLabel*>(scope->Components(i));
    if (other != nullptr && other != this && other->FocusControl() == control) return true;
  }
  return false;
}

void TDBLabel::SetFocusControl(qv::TWinControl* control) {
  if (control == FocusControl()) return;
  if (control != nullptr && BoundByAnother(control)) {
    qv::MessageDlg("不能同时有两个 DBLabel 指到同一个 Control.", qv::mtError, {qv::mbOK});
    return;
  }
  qv::TLabel::SetFocusControl(control);
  ApplyCaptionAndPlace();
}

void TDBLabel::SetAutoAlign(bool auto_align) {
  if (auto_align == auto_align_) return;
  auto_align_ = auto_align;
  ApplyCaptionAndPlace();
}

void TDBLabel::SetAutoCaption(bool auto_caption) {
  if (auto_caption == auto_caption_) return;
  auto_caption_ = auto_caption;
  ApplyCaptionAndPlace();
}

void TDBLabel::SetPos(TPos pos) {
  if (pos == pos_) return;
  pos_ = pos;
  ApplyCaptionAndPlace();
}

void TDBLabel::SetGap(uint8_t gap) {
  if (gap == gap_) return;
  gap_ = gap;
  ApplyCaptionAndPlace();
}

void TDBLabel::ApplyCaptionAndPlace() {
  if (IsLoading()) return;
  ApplyCaption();
  Place();
}

void TDBLabel::ApplyCaption() {
  if (!auto_caption_ || FocusControl() == nullptr) return;
  try {
    if (qv::TField* field = FindControlField(FocusControl())) SetCaption(field->DisplayLabel());
  } catch (const std::exception&) {
    // A data set that cannot answer leaves the caption as it is.
  }
}

void TDBLabel::Place() {
  const qv::TWinControl* control = FocusControl();
  if (!auto_align_ || control == nullptr || placing_) return;
  const int g = gap_;
  int left = Left();
  int top = Top();
  switch (pos_) {
    case psTop:
      left = control->Left();
      top = control->Top() - Height() - g;
      break;
    case psBottom:
      left = control->Left();
      top = control->Top() + control->Height() + g;
      break;
    case psLeft:
    case psRight:
      top = control->Height() == Height() ? control->Top()
                                          : control->Top() + control->Height() / 2 - Height() / 2;
      left =
          pos_ == psLeft ? control->Left() - Width() - g : control->Left() + control->Width() + g;
      break;
  }
  placing_ = true;
  SetBounds(std::max(left, 0), std::max(top, 0), Width(), Height());
  placing_ = false;
}

void TDBLabel::AdjustBounds() {
  qv::TLabel::AdjustBounds();
  // A new caption changes the width, so the label stands anew beside its control.
  Place();
}

}  // namespace ravlet
