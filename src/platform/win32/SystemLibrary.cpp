#include "platform/win32/SystemLibrary.h"

#include <string>

#include "platform/PlatformError.h"
#include "platform/win32/ComObjects.h"

namespace tandrel::platform {
namespace {

using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);

// Windows 7 before KB2533623 knows neither SetDefaultDllDirectories nor the
// LOAD_LIBRARY_SEARCH_* flags; there a full System32 path does the same for
// the DLLs we load ourselves.
std::wstring System32Path(const wchar_t* fileName) {
  wchar_t directory[MAX_PATH];
  const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(directory, length) + L"\\" + fileName;
}

}  // namespace

void RestrictDllSearchToSystem32() {
  // Taken by name so that the executable still starts where kernel32 lacks it.
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto restrict = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (restrict != nullptr) {
    restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
  } else {
    SetDllDirectoryW(L"");  // at least drops the current directory
  }
}

SystemLibrary::SystemLibrary(const wchar_t* fileName) {
  module_ = LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module_ == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
    const std::wstring path = System32Path(fileName);
    if (!path.empty()) module_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
}

SystemLibrary::~SystemLibrary() {
  if (module_ != nullptr) FreeLibrary(module_);
}

namespace {

CommonControlsApi LoadCommonControls(const SystemLibrary& library) {
  using Api = CommonControlsApi;
  Api api{};
  api.initCommonControlsEx =
      library.Function<decltype(Api::initCommonControlsEx)>("InitCommonControlsEx");
  if (!api.initCommonControlsEx) {
    throw PlatformError("comctl32.dll could not be loaded from the system folder");
  }
  return api;
}

}  // namespace

const CommonControlsApi& CommonControls() {
  // The common controls pull in msimg32 by name when they first draw (a
  // delay load, which Wine at least does not keep to System32). Loaded from
  // System32 first, that request finds this copy instead of a planted one.
  static const SystemLibrary imaging(L"msimg32.dll");
  static const SystemLibrary library(L"comctl32.dll");
  static const CommonControlsApi api = LoadCommonControls(library);
  return api;
}

const ComApi* ComFunctions() {
  static const SystemLibrary ole(L"ole32.dll");
  static const SystemLibrary automation(L"oleaut32.dll");
  static const ComApi api{
      ole.Function<decltype(ComApi::coInitializeEx)>("CoInitializeEx"),
      ole.Function<decltype(ComApi::coUninitialize)>("CoUninitialize"),
      ole.Function<decltype(ComApi::coCreateInstance)>("CoCreateInstance"),
      automation.Function<decltype(ComApi::sysAllocStringLen)>("SysAllocStringLen"),
      automation.Function<decltype(ComApi::sysFreeString)>("SysFreeString"),
      automation.Function<decltype(ComApi::variantClear)>("VariantClear"),
  };
  static const bool complete = api.coInitializeEx && api.coUninitialize && api.coCreateInstance &&
                               api.sysAllocStringLen && api.sysFreeString && api.variantClear;
  return complete ? &api : nullptr;
}

}  // namespace tandrel::platform
