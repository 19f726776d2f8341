#include "platform/vcl/screen.h"

#include <algorithm>

#include "platform/text/string_utils.h"
#include "platform/vcl/form.h"

namespace qv {

QV_DEFINE_CLASS(TScreen, TComponent, r) {}

TScreen::TScreen(TComponent* owner)
    : TComponent(owner),
      fonts_(std::make_unique<TStringList>()),
      icon_font_(std::make_unique<TFont>()),
      hint_font_(std::make_unique<TFont>()),
      menu_font_(std::make_unique<TFont>()) {
  for (const char* name : {"Arial", "Courier New", "MS Sans Serif", "SimSun", "Tahoma",
                           "Times New Roman", "宋体", "新宋体", "黑体"})
    fonts_->Add(name);
  icon_font_->SetHeight(-12);
  hint_font_->SetHeight(-12);
  menu_font_->SetHeight(-12);
}

TScreen::~TScreen() = default;

TCustomForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return forms_[static_cast<size_t>(index)];
}

TCustomForm* TScreen::FindForm(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TCustomForm* form : forms_)
    if (SameText(form->Name(), name)) return form;
  return nullptr;
}

TWinControl* TScreen::ActiveControl() const {
  return active_form_ ? active_form_->ActiveControl() : nullptr;
}

TCustomForm* TScreen::ModalForm() const {
  return modal_.empty() ? nullptr : modal_.back();
}

bool TScreen::AcceptsInput(const TCustomForm* form) const {
  if (form == nullptr || !form->Visible() || !form->Enabled()) return false;
  return modal_.empty() || modal_.back() == form;
}

void TScreen::AddForm(TCustomForm* form) {
  forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  modal_.erase(std::remove(modal_.begin(), modal_.end(), form), modal_.end());
  if (std::find(shown_.begin(), shown_.end(), form) != shown_.end()) FormHidden(form);
}

void TScreen::FormShown(TCustomForm* form) {
  shown_.erase(std::remove(shown_.begin(), shown_.end(), form), shown_.end());
  shown_.push_back(form);
  // A form shown while another one runs modally does not take the activation.
  if (modal_.empty() || modal_.back() == form) ActivateForm(form);
}

void TScreen::FormHidden(TCustomForm* form) {
  shown_.erase(std::remove(shown_.begin(), shown_.end(), form), shown_.end());
  if (active_form_ != form) return;
  active_form_ = nullptr;
  form->SetActive(false);
  TCustomForm* next = modal_.empty() ? (shown_.empty() ? nullptr : shown_.back()) : modal_.back();
  if (next != nullptr && next->Visible()) ActivateForm(next);
}

void TScreen::ActivateForm(TCustomForm* form) {
  if (active_form_ == form) return;
  TCustomForm* previous = active_form_;
  active_form_ = form;
  if (previous != nullptr) previous->SetActive(false);
  if (form != nullptr && active_form_ == form) {
    shown_.erase(std::remove(shown_.begin(), shown_.end(), form), shown_.end());
    shown_.push_back(form);
    form->SetActive(true);
  }
}

void TScreen::PushModal(TCustomForm* form) {
  modal_.push_back(form);
}

void TScreen::PopModal(TCustomForm* form) {
  modal_.erase(std::remove(modal_.begin(), modal_.end(), form), modal_.end());
}

TBusyCursor::TBusyCursor() : saved_(Screen->Cursor()) {
  Screen->SetCursor(crHourGlass);
}

TBusyCursor::~TBusyCursor() {
  Screen->SetCursor(saved_);
}

}  // namespace qv
