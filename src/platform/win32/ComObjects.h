// Owners for COM objects and the values they trade in: an interface pointer
// released once, a BSTR freed once, a VARIANT cleared once, and the COM
// apartment of the calling thread entered for as long as a call needs it.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <utility>

namespace tandrel::platform {

template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }

  Interface* Get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For the out-parameter of a call; whatever was held is released first.
  Interface** Receive() {
    Reset();
    return &pointer_;
  }
  void Reset() {
    if (Interface* old = std::exchange(pointer_, nullptr)) old->Release();
  }

 private:
  Interface* pointer_ = nullptr;
};

class ScopedBstr {
 public:
  explicit ScopedBstr(const std::wstring& text)
      : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~ScopedBstr() { SysFreeString(text_); }
  ScopedBstr(const ScopedBstr&) = delete;
  ScopedBstr& operator=(const ScopedBstr&) = delete;

  BSTR Get() const { return text_; }
  explicit operator bool() const { return text_ != nullptr; }

 private:
  BSTR text_;
};

// A VARIANT that starts empty (VT_EMPTY) and is cleared when it goes.
class ScopedVariant {
 public:
  ScopedVariant() { VariantInit(&value_); }
  ~ScopedVariant() { VariantClear(&value_); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;

  // Passed by value to a method, the callee gets a bitwise copy and owns
  // nothing of it; this object stays the owner.
  const VARIANT& Value() const { return value_; }

 private:
  VARIANT value_;
};

// CoInitializeEx for one piece of work on this thread. A thread that is in
// another apartment already can use COM as it is and is left alone.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

}  // namespace tandrel::platform
