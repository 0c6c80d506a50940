#include <windows.h>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <taskschd.h>
#include <wrl/client.h>

#include <algorithm>

#include "PackageSupport.h"

namespace tandrel::package {
namespace {

using Microsoft::WRL::ComPtr;

// One COM apartment per call; the tests are single-threaded.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (ok_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

class MachineKey {
 public:
  explicit MachineKey(const std::wstring& path) {
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key_) !=
        ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  ~MachineKey() {
    if (key_) RegCloseKey(key_);
  }
  MachineKey(const MachineKey&) = delete;
  MachineKey& operator=(const MachineKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

ComPtr<ITaskFolder> RootTaskFolder() {
  ComPtr<ITaskService> service;
  if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&service))) ||
      FAILED(service->Connect(VARIANT{}, VARIANT{}, VARIANT{}, VARIANT{}))) {
    return nullptr;
  }
  ComPtr<ITaskFolder> root;
  BSTR path = SysAllocString(L"\\");
  HRESULT result = service->GetFolder(path, &root);
  SysFreeString(path);
  return SUCCEEDED(result) ? root : nullptr;
}

}  // namespace

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> FolderNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::wstring KnownFolder(const KNOWNFOLDERID& id) {
  PWSTR path = nullptr;
  std::wstring result;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) result = path;
  CoTaskMemFree(path);
  return result;
}

int RunAndWait(const std::wstring& commandLine, std::chrono::milliseconds limit) {
  std::wstring line = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return -1;
  }
  CloseHandle(info.hThread);
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(info.hProcess, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0) {
    GetExitCodeProcess(info.hProcess, &code);
  } else {
    TerminateProcess(info.hProcess, 1);
  }
  CloseHandle(info.hProcess);
  return static_cast<int>(code);
}

bool MachineKeyExists(const std::wstring& key) { return MachineKey(key).get() != nullptr; }

std::optional<std::wstring> MachineString(const std::wstring& key, const wchar_t* value) {
  MachineKey opened(key);
  if (!opened.get()) return std::nullopt;
  wchar_t buffer[1024] = {};
  DWORD size = sizeof buffer - sizeof(wchar_t);
  DWORD type = 0;
  if (RegQueryValueExW(opened.get(), value, nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                       &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  return std::wstring(buffer);
}

std::optional<DWORD> MachineDword(const std::wstring& key, const wchar_t* value) {
  MachineKey opened(key);
  if (!opened.get()) return std::nullopt;
  DWORD data = 0, size = sizeof data, type = 0;
  if (RegQueryValueExW(opened.get(), value, nullptr, &type, reinterpret_cast<BYTE*>(&data),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD) {
    return std::nullopt;
  }
  return data;
}

std::wstring ShortcutTarget(const std::wstring& link) {
  ComScope com;
  ComPtr<IShellLinkW> shellLink;
  ComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&shellLink))) ||
      FAILED(shellLink.As(&file)) || FAILED(file->Load(link.c_str(), STGM_READ))) {
    return L"";
  }
  wchar_t target[MAX_PATH] = {};
  if (FAILED(shellLink->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) return L"";
  return target;
}

bool TaskExists(const wchar_t* name) {
  ComScope com;
  ComPtr<ITaskFolder> root = RootTaskFolder();
  if (!root) return false;
  ComPtr<IRegisteredTask> task;
  BSTR taskName = SysAllocString(name);
  HRESULT result = root->GetTask(taskName, &task);
  SysFreeString(taskName);
  return SUCCEEDED(result);
}

std::wstring IniValue(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t buffer[256] = {};
  GetPrivateProfileStringW(section, key, L"<absent>", buffer, 256, file.c_str());
  return buffer;
}

}  // namespace tandrel::package
