#include "platform/vcl/component.h"

#include <algorithm>

#include "platform/text/string_utils.h"

namespace qv {

QV_DEFINE_CLASS(TComponent, TPersistent, r) {
  r.Property("Name", &TComponent::Name, &TComponent::SetName);
  r.Property("Tag", &TComponent::Tag, &TComponent::SetTag, "Integer");
}

bool IsValidIdent(std::string_view name) {
  if (name.empty()) return false;
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!letter(name[0])) return false;
  return std::all_of(name.begin(), name.end(),
                     [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_ != nullptr && owner_->IsDesigning()) state_.Include(csDesigning);
}

TComponent::~TComponent() {
  // Normally emptied by DestroyInstance; this covers a constructor that
  // failed after it had created components of its own.
  DestroyComponents();
  for (TComponent* partner : free_notifies_) {
    auto& list = partner->free_notifies_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError("'" + name + "' is not a valid component name");
  if (owner_ != nullptr && !name.empty()) {
    TComponent* same = owner_->FindComponent(name);
    if (same != nullptr && same != this)
      throw EComponentError("A component named " + name + " already exists");
  }
  name_ = name;
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return components_[static_cast<size_t>(index)].get();
}

int TComponent::ComponentIndex() const {
  if (owner_ == nullptr) return -1;
  const auto& list = owner_->components_;
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].get() == this) return static_cast<int>(i);
  return -1;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (const auto& component : components_)
    if (SameText(component->name_, name)) return component.get();
  return nullptr;
}

void TComponent::SetDesigning(bool value, bool set_children) {
  SetComponentState(csDesigning, value);
  if (set_children)
    for (const auto& component : components_) component->SetDesigning(value, true);
}

void TComponent::BeginLoading() {
  state_.Include(csLoading);
  for (const auto& component : components_) component->BeginLoading();
}

void TComponent::EndLoading() {
  if (IsLoading()) Loaded();
  for (size_t i = 0; i < components_.size(); ++i) components_[i]->EndLoading();
}

void TComponent::Loaded() {
  state_.Exclude(csLoading);
}

void TComponent::FreeNotification(TComponent* component) {
  if (component == nullptr || component == this) return;
  if (std::find(free_notifies_.begin(), free_notifies_.end(), component) == free_notifies_.end()) {
    free_notifies_.push_back(component);
    component->free_notifies_.push_back(this);
  }
  state_.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (component == nullptr) return;
  free_notifies_.erase(std::remove(free_notifies_.begin(), free_notifies_.end(), component),
                       free_notifies_.end());
  auto& other = component->free_notifies_;
  other.erase(std::remove(other.begin(), other.end(), this), other.end());
}

void TComponent::Adopt(std::unique_ptr<TComponent> component) {
  TComponent* raw = component.get();
  raw->owner_ = this;
  raw->holder_slot_ = nullptr;
  components_.push_back(std::move(component));
  Notification(raw, opInsert);
}

void TComponent::CheckNameFree(const std::string& name) const {
  if (!name.empty() && FindComponent(name) != nullptr)
    throw EComponentError("A component named " + name + " already exists");
}

std::unique_ptr<TComponent> TComponent::TakeOwned(TComponent* component) {
  auto it = std::find_if(components_.begin(), components_.end(),
                         [&](const auto& owned) { return owned.get() == component; });
  if (it == components_.end()) return nullptr;
  std::unique_ptr<TComponent> taken = std::move(*it);
  components_.erase(it);
  return taken;
}

TComponentPtr<TComponent> TComponent::RemoveComponent(TComponent* component) {
  std::unique_ptr<TComponent> taken = TakeOwned(component);
  if (!taken) return nullptr;
  taken->owner_ = nullptr;
  Notification(component, opRemove);
  return TComponentPtr<TComponent>(std::move(taken));
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    std::unique_ptr<TComponent> last = std::move(components_.back());
    components_.pop_back();
    DestroyInstance(std::move(last));
  }
}

void TComponent::Free() {
  if (IsDestroying()) return;
  std::unique_ptr<TComponent> self;
  if (owner_ != nullptr) {
    self = owner_->TakeOwned(this);
  } else if (holder_slot_ != nullptr) {
    std::unique_ptr<TComponent>* slot = holder_slot_;
    holder_slot_ = nullptr;
    self = std::move(*slot);
  }
  if (!self) throw EInvalidOperation("Component " + name_ + " is held by no owner");
  DestroyInstance(std::move(self));
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component != nullptr) {
    free_notifies_.erase(std::remove(free_notifies_.begin(), free_notifies_.end(), component),
                         free_notifies_.end());
  }
  // By index: a notified component may free others on the way.
  for (size_t i = 0; i < components_.size(); ++i) {
    TComponent* owned = components_[i].get();
    if (owned != component) owned->Notification(component, operation);
  }
}

void TComponent::MarkDestroying() {
  if (IsDestroying()) return;
  state_.Include(csDestroying);
  for (const auto& component : components_) component->MarkDestroying();
}

void TComponent::DestroyInstance(std::unique_ptr<TComponent> component) {
  TComponent* self = component.get();
  self->holder_slot_ = nullptr;
  self->MarkDestroying();
  self->BeforeDestruction();
  while (!self->free_notifies_.empty()) {
    TComponent* partner = self->free_notifies_.back();
    self->RemoveFreeNotification(partner);
    partner->Notification(self, opRemove);
  }
  self->DestroyComponents();
  if (TComponent* owner = self->owner_) {
    self->owner_ = nullptr;
    owner->Notification(self, opRemove);
  }
  component.reset();
}

void TComponent::FinishCreation(TComponent* component) {
  try {
    component->AfterConstruction();
  } catch (...) {
    component->Free();
    throw;
  }
}

}  // namespace qv
