// DLLs that are not KnownDLLs are never named in Tandrel.exe's import table:
// the loader would look for them beside the executable first, and a planted
// copy would run with the administrator rights the program asks for. They are
// loaded here instead, from System32 only, and their functions looked up by
// name.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace tandrel::platform {

// Restricts every later DLL search of the process (ours and the system's own,
// e.g. a shell extension pulling in a helper) to System32. Called first thing
// at start-up; safe to call more than once.
void RestrictDllSearchToSystem32();

// An owned module handle of a DLL loaded from System32 by its file name.
class SystemLibrary {
 public:
  explicit SystemLibrary(const wchar_t* fileName);
  ~SystemLibrary();
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;

  bool IsLoaded() const { return module_ != nullptr; }

  // The exported function `name` as type Fn, or null when the DLL did not
  // load or lacks it.
  template <typename Fn>
  Fn Function(const char* name) const {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_ = nullptr;
};

// The functions of the common controls library (date-time pickers, progress
// bars). Loaded on first use and kept for the
// life of the process, since windows of its classes may exist until the very
// end; throws std::runtime_error when System32 does not provide them.
// (msimg32 is not needed at all: gdi32's GdiTransparentBlt, GdiAlphaBlend and
// GdiGradientFill do its jobs.)
struct CommonControlsApi {
  BOOL(WINAPI* initCommonControlsEx)(const INITCOMMONCONTROLSEX*);
};
const CommonControlsApi& CommonControls();

}  // namespace tandrel::platform
