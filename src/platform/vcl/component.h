#pragma once
// Components: named objects with an owner. An owner keeps the components it
// owns in creation order and frees them when it is freed; this is the one
// place of the model where ownership follows an owner pointer.
//
//   TButton* ok = Create<TButton>(form);           // owned by form
//   TComponentPtr<TForm> dlg = CreateUnowned<TForm>();  // owned by the caller
//
// A component ends with Free(): it is taken from whoever holds it (its owner
// or a TComponentPtr), BeforeDestruction runs, components that asked for a
// free notification and the owner (with every component it owns) hear of it
// (Notification with opRemove), the components it owns are freed, and then
// the object is deleted.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/vcl/enum_type.h"
#include "platform/vcl/exceptions.h"
#include "platform/vcl/persistent.h"
#include "platform/vcl/set.h"

namespace qv {

QV_ENUM(TComponentStateItem, csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor,
        csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance);
using TComponentState = TSet<TComponentStateItem>;

QV_ENUM(TOperation, opInsert, opRemove);

class TComponent;

// Holds a component that has no owner and frees it when it goes out of scope.
// When the component frees itself (a form closed with caFree, Free() called
// on it), the holder becomes empty.
template <typename T>
class TComponentPtr {
 public:
  TComponentPtr() = default;
  TComponentPtr(std::nullptr_t) {}
  TComponentPtr(TComponentPtr&& other) noexcept { TakeFrom(other.object_); }
  template <typename U>
  requires std::is_base_of_v<T, U> TComponentPtr(TComponentPtr<U>&& other)
  noexcept { TakeFrom(other.object_); }
  TComponentPtr& operator=(TComponentPtr&& other) noexcept {
    if (this != &other) {
      reset();
      TakeFrom(other.object_);
    }
    return *this;
  }
  ~TComponentPtr() { reset(); }

  T* get() const { return static_cast<T*>(object_.get()); }
  T* operator->() const { return get(); }
  T& operator*() const { return *get(); }
  explicit operator bool() const { return object_ != nullptr; }
  // Frees the component.
  void reset();

 private:
  template <typename U>
  friend class TComponentPtr;
  friend class TComponent;
  template <typename U, typename... A>
  friend TComponentPtr<U> CreateUnowned(A&&... args);
  explicit TComponentPtr(std::unique_ptr<TComponent> object);
  void TakeFrom(std::unique_ptr<TComponent>& source);
  std::unique_ptr<TComponent> Release();

  std::unique_ptr<TComponent> object_;
};

class TComponent : public TPersistent {
  QV_DECLARE_CLASS(TComponent)

  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  const std::string& Name() const { return name_; }
  // Raises EComponentError when the name is no valid identifier or another
  // component of the same owner has it (without regard to case).
  virtual void SetName(const std::string& name);
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // Raises EListError when the index is out of range.
  TComponent* Components(int index) const;
  // The position among the owner's components; -1 without owner.
  int ComponentIndex() const;
  // The owned component of that name, without regard to case; null when none.
  TComponent* FindComponent(std::string_view name) const;
  template <typename T>
  T* FindComponentAs(std::string_view name) const {
    return dynamic_cast<T*>(FindComponent(name));
  }

  TComponentState ComponentState() const { return state_; }
  bool IsLoading() const { return state_.Contains(csLoading); }
  bool IsDesigning() const { return state_.Contains(csDesigning); }
  bool IsDestroying() const { return state_.Contains(csDestroying); }
  void SetDesigning(bool value, bool set_children = true);
  // Marks this component and all it owns as being loaded; EndLoading calls
  // Loaded on each of them, this one first.
  void BeginLoading();
  void EndLoading();

  // `component` is told (Notification with opRemove) when this one is freed,
  // and this one when `component` is freed.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Takes over a component that has no owner. When the name is taken, raises
  // EComponentError and the holder keeps the component.
  template <typename T>
  void InsertComponent(TComponentPtr<T>&& component) {
    if (!component) return;
    CheckNameFree(component->Name());
    Adopt(component.Release());
  }
  // Gives up an owned component; the caller holds it from now on.
  TComponentPtr<TComponent> RemoveComponent(TComponent* component);
  // Frees every owned component, the last created first.
  void DestroyComponents();

  // Frees this component through its owner or holder. Nothing happens when
  // it is already being freed.
  void Free();

  // A component was inserted into or removed from the owner's list, or a
  // component this one asked to be told about is being freed. The base
  // passes the notice on to every owned component.
  virtual void Notification(TComponent* component, TOperation operation);
  // Runs once the component is fully created.
  virtual void AfterConstruction() {}
  // Runs first when the component is freed, while it is still whole.
  virtual void BeforeDestruction() {}
  // Runs when loading ends; the base clears csLoading.
  virtual void Loaded();

  std::string GetNamePath() const override { return name_; }

 protected:
  void SetComponentState(TComponentStateItem item, bool on) {
    on ? state_.Include(item) : state_.Exclude(item);
  }

 private:
  template <typename T>
  friend class TComponentPtr;
  template <typename T, typename... A>
  friend T* Create(TComponent* owner, A&&... args);
  template <typename T, typename... A>
  friend TComponentPtr<T> CreateUnowned(A&&... args);

  void Adopt(std::unique_ptr<TComponent> component);
  void CheckNameFree(const std::string& name) const;
  std::unique_ptr<TComponent> TakeOwned(TComponent* component);
  void MarkDestroying();
  static void DestroyInstance(std::unique_ptr<TComponent> component);
  static void FinishCreation(TComponent* component);

  std::string name_;
  std::intptr_t tag_ = 0;
  TComponent* owner_ = nullptr;
  TComponentState state_;
  std::vector<std::unique_ptr<TComponent>> components_;
  std::vector<TComponent*> free_notifies_;
  // The holder's slot while the component has no owner.
  std::unique_ptr<TComponent>* holder_slot_ = nullptr;
};

bool IsValidIdent(std::string_view name);

// Creates a component owned by `owner` (which must not be null).
template <typename T, typename... A>
T* Create(TComponent* owner, A&&... args) {
  if (owner == nullptr)
    throw EComponentError("A component without owner is created with CreateUnowned");
  auto object = std::make_unique<T>(owner, std::forward<A>(args)...);
  T* raw = object.get();
  owner->Adopt(std::move(object));
  TComponent::FinishCreation(raw);
  return raw;
}

// Creates a component without owner; the returned holder frees it.
template <typename T, typename... A>
TComponentPtr<T> CreateUnowned(A&&... args) {
  TComponentPtr<T> holder(std::make_unique<T>(nullptr, std::forward<A>(args)...));
  TComponent::FinishCreation(holder.get());
  return holder;
}

template <typename T>
TComponentPtr<T>::TComponentPtr(std::unique_ptr<TComponent> object) : object_(std::move(object)) {
  if (object_) object_->holder_slot_ = &object_;
}

template <typename T>
void TComponentPtr<T>::TakeFrom(std::unique_ptr<TComponent>& source) {
  object_ = std::move(source);
  if (object_) object_->holder_slot_ = &object_;
}

template <typename T>
std::unique_ptr<TComponent> TComponentPtr<T>::Release() {
  if (object_) object_->holder_slot_ = nullptr;
  return std::move(object_);
}

template <typename T>
void TComponentPtr<T>::reset() {
  if (object_) TComponent::DestroyInstance(Release());
}

}  // namespace qv
