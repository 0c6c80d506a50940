// TComponent: ownership (an owner frees what it owns), free notification
// (components that refer to each other hear when one goes), names, Tag and
// the loading state that a stored layout is applied in, ended by Loaded.
#pragma once

#include <string>
#include <vector>

#include "framework/Events.h"

namespace tandrel {

enum class TOperation { opInsert, opRemove };

class TComponent : public TObject {
  TANDREL_CLASS_ID(TComponent, TObject)
  // The owner (may be null) frees this component when it is destroyed.
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
  TComponent* FindComponent(const std::string& name) const;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  // While loading, setters that would reach the platform only store the
  // value; EndLoading finishes the set-up through Loaded.
  bool Loading() const { return loading_; }
  bool Destroying() const { return destroying_; }
  // Puts this component and everything it owns into the loading state.
  void BeginLoading();
  // Leaves the loading state and calls Loaded on each owned component in
  // creation order, then on this one.
  void EndLoading();

  // Asks to be told (Notification with opRemove) when `other` is destroyed.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

 protected:
  virtual void Loaded();
  // `component` is being inserted into or removed from the program.
  virtual void Notification(TComponent* component, TOperation operation);
  // Frees the owned components, last created first. A class whose owned
  // components still need it while they go calls this in its destructor.
  void DestroyComponents();

 private:
  void InsertComponent(TComponent* child);
  void RemoveComponent(TComponent* child);
  void SetLoadingFlag(bool loading);

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;      // owned, in creation order
  std::vector<TComponent*> freeNotifies_;    // not owned
  std::string name_;
  int tag_ = 0;
  bool loading_ = false;
  bool destroying_ = false;
};

}  // namespace tandrel
