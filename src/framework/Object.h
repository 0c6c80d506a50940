// TObject, the root of the framework's classes, and the framework's own
// run-time class identity: the shipped program is built without C++ RTTI
// (its type names and type descriptors cost more than a tenth of the
// executable), so the few places that must recognise a class ask As<T>.
#pragma once

#include <type_traits>

namespace tandrel {

// One per class that declares TANDREL_CLASS_ID; links to its base's.
struct TClassId {
  const TClassId* base;
};

class TObject {
 public:
  virtual ~TObject() = default;

  using ClassIdOwner = TObject;
  static constexpr TClassId kClassId{nullptr};
  // The identity of the most derived class that declares one.
  virtual const TClassId& ClassId() const { return kClassId; }

  bool InheritsFrom(const TClassId& id) const {
    for (const TClassId* c = &ClassId(); c != nullptr; c = c->base) {
      if (c == &id) return true;
    }
    return false;
  }
};

// Gives a class an identity of its own, so As<Self> recognises it and every
// class derived from it. Leaves the class body in its public section.
#define TANDREL_CLASS_ID(Self, Base)                       \
 public:                                                   \
  using ClassIdOwner = Self;                               \
  static constexpr TClassId kClassId{&Base::kClassId};     \
  const TClassId& ClassId() const override { return kClassId; }

// `object` as a T when it is one (or derives from one), otherwise null.
template <typename T>
T* As(TObject* object) {
  static_assert(std::is_same_v<typename T::ClassIdOwner, T>, "T declares TANDREL_CLASS_ID");
  return object != nullptr && object->InheritsFrom(T::kClassId) ? static_cast<T*>(object) : nullptr;
}

template <typename T>
const T* As(const TObject* object) {
  return As<T>(const_cast<TObject*>(object));
}

}  // namespace tandrel
