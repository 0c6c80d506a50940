// Owners for COM objects and the values they trade in: an interface pointer
// released once, a BSTR freed once, a VARIANT cleared once, and the COM
// apartment of the calling thread entered for as long as a call needs it.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <utility>

namespace tandrel::platform {

// The COM and automation functions the program calls. Only the logon task
// needs them, so ole32 and oleaut32 are loaded from System32 at their first
// use: linked, they and the rpcrt4 and combase below them were mapped at
// every start, before the first window. Null when they cannot be loaded.
struct ComApi {
  HRESULT(WINAPI* coInitializeEx)(void*, DWORD);
  void(WINAPI* coUninitialize)();
  HRESULT(WINAPI* coCreateInstance)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
  BSTR(WINAPI* sysAllocStringLen)(const OLECHAR*, UINT);
  void(WINAPI* sysFreeString)(BSTR);
  HRESULT(WINAPI* variantClear)(VARIANTARG*);
};
const ComApi* ComFunctions();

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
      : text_(ComFunctions() ? ComFunctions()->sysAllocStringLen(
                                   text.data(), static_cast<UINT>(text.size()))
                             : nullptr) {}
  ~ScopedBstr() {
    if (text_) ComFunctions()->sysFreeString(text_);
  }
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
  ScopedVariant() { value_.vt = VT_EMPTY; }  // what VariantInit does
  ~ScopedVariant() {
    if (value_.vt != VT_EMPTY) ComFunctions()->variantClear(&value_);
  }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;

  // Passed by value to a method, the callee gets a bitwise copy and owns
  // nothing of it; this object stays the owner.
  const VARIANT& Value() const { return value_; }

 private:
  VARIANT value_{};
};

// CoInitializeEx for one piece of work on this thread. A thread that is in
// another apartment already can use COM as it is and is left alone.
class ComApartment {
 public:
  ComApartment()
      : result_(ComFunctions() ? ComFunctions()->coInitializeEx(nullptr, COINIT_APARTMENTTHREADED)
                               : E_FAIL) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) ComFunctions()->coUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

}  // namespace tandrel::platform
