// Move-only owners of Windows handles. Each kind names its empty value and
// how it is closed; copying is deleted so a handle is closed exactly once.
// Add new kinds (GDI objects, windows, ...) as a Traits struct and an alias.
#pragma once

#include <windows.h>

#include <utility>

namespace tandrel::platform {

template <typename Traits>
class ScopedHandle {
 public:
  using Handle = typename Traits::Handle;

  ScopedHandle() = default;
  explicit ScopedHandle(Handle handle) : handle_(handle) {}
  ~ScopedHandle() { Reset(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Handle Get() const { return handle_; }
  bool IsValid() const { return handle_ != Traits::Empty(); }
  explicit operator bool() const { return IsValid(); }

  // Gives up ownership without closing.
  Handle Release() { return std::exchange(handle_, Traits::Empty()); }
  void Reset(Handle handle = Traits::Empty()) {
    const Handle old = std::exchange(handle_, handle);
    if (old != Traits::Empty()) Traits::Close(old);
  }

 private:
  Handle handle_ = Traits::Empty();
};

// Kernel objects: mutexes, files, tokens, processes.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { CloseHandle(handle); }
};
using ScopedKernelHandle = ScopedHandle<KernelHandleTraits>;

// CreateFile reports failure as INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { CloseHandle(handle); }
};
using ScopedFileHandle = ScopedHandle<FileHandleTraits>;

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { RegCloseKey(handle); }
};
using ScopedRegistryKey = ScopedHandle<RegistryKeyTraits>;

// Memory the system allocated for us with LocalAlloc
// (CommandLineToArgvW, FormatMessage).
template <typename T>
struct LocalMemoryTraits {
  using Handle = T*;
  static Handle Empty() { return nullptr; }
  static void Close(Handle memory) { LocalFree(memory); }
};
template <typename T>
using ScopedLocalMemory = ScopedHandle<LocalMemoryTraits<T>>;

}  // namespace tandrel::platform
