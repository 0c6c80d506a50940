#include "framework/Component.h"

#include <algorithm>

namespace tandrel {

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  destroying_ = true;
  // Tell those that asked, so they drop their references to this one.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto& back = other->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  destroying_ = true;
  while (!components_.empty()) {
    TComponent* child = components_.back();
    components_.pop_back();
    child->owner_ = nullptr;
    delete child;
  }
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_) {
    if (c->name_ == name) return c;
  }
  return nullptr;
}

void TComponent::InsertComponent(TComponent* child) {
  child->owner_ = this;
  components_.push_back(child);
  if (loading_) child->SetLoadingFlag(true);
}

void TComponent::RemoveComponent(TComponent* child) {
  components_.erase(std::remove(components_.begin(), components_.end(), child), components_.end());
  child->owner_ = nullptr;
  // Components of the same owner hear of each other's removal.
  if (!destroying_) {
    for (TComponent* c : components_) c->Notification(child, TOperation::opRemove);
    Notification(child, TOperation::opRemove);
  }
}

void TComponent::SetLoadingFlag(bool loading) {
  loading_ = loading;
  for (TComponent* c : components_) c->SetLoadingFlag(loading);
}

void TComponent::BeginLoading() { SetLoadingFlag(true); }

void TComponent::EndLoading() {
  std::vector<TComponent*> all;
  auto collect = [&all](auto& self, TComponent* c) -> void {
    for (TComponent* child : c->components_) {
      self(self, child);
      all.push_back(child);
    }
  };
  collect(collect, this);
  SetLoadingFlag(false);
  for (TComponent* c : all) c->Loaded();
  Loaded();
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
    freeNotifies_.push_back(other);
    other->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other),
                      freeNotifies_.end());
  auto& back = other->freeNotifies_;
  back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::Loaded() {}

void TComponent::Notification(TComponent* component, TOperation operation) {
  (void)component, (void)operation;
}

}  // namespace tandrel
