// DLLs of the names Tandrel needs (the common controls and what they pull
// in), planted beside Tandrel.exe, are never loaded: a plain program in the
// same folder loads every one of them.
//
// Wine prefers its own builtin DLLs wherever a file of the name lies, so a
// planted DLL would never load at all; the test run's WINEDLLOVERRIDES
// ("name=n,b") makes these names search as Windows does for a DLL that is not
// a KnownDLL, the program's folder first. The plain loader shows it does.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "E2eSupport.h"

namespace tandrel::e2e {
namespace {

const wchar_t* const kPlanted[] = {L"comctl32.dll", L"msimg32.dll", L"uxtheme.dll"};

std::wstring DriverFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(PlantedDll, NoneLoadsIntoTandrelWhileAPlainLoaderTakesEach) {
  TandrelFolder folder;
  const std::wstring loader = folder.Path() + L"plain_loader.exe";
  ASSERT_TRUE(CopyFileW((DriverFolder() + L"tandrel_plain_loader.exe").c_str(), loader.c_str(),
                        FALSE));
  std::wstring names;
  for (const wchar_t* name : kPlanted) {
    ASSERT_TRUE(CopyFileW((DriverFolder() + L"planted.dll").c_str(),
                          (folder.Path() + name).c_str(), FALSE));
    names += std::wstring(names.empty() ? L"" : L" ") + name;
  }
  {
    TandrelProcess program(folder.Exe());
    // (A planted DLL that does load lacks the real one's functions, so the
    // program cannot start; the markers below say which one it took.)
    EXPECT_NE(WaitShownMainWindow(program), nullptr);
    // The first paints of the window and its pickers have run by now.
    std::this_thread::sleep_for(std::chrono::seconds(2));
  }
  for (const wchar_t* name : kPlanted) {
    EXPECT_FALSE(Exists(folder.Path() + name + L".loaded")) << "Tandrel.exe loaded the planted "
                                                            << std::string(name, name + wcslen(name));
  }

  {
    TandrelProcess plain(loader, names);
    ASSERT_TRUE(plain.WaitExit(std::chrono::seconds(30)));
  }
  for (const wchar_t* name : kPlanted) {
    const std::wstring marker = folder.Path() + name + L".loaded";
    EXPECT_TRUE(Exists(marker)) << "the plain loader did not take the planted "
                                << std::string(name, name + wcslen(name));
    DeleteFileW(marker.c_str());
    DeleteFileW((folder.Path() + name).c_str());
  }
  DeleteFileW(loader.c_str());
}

}  // namespace
}  // namespace tandrel::e2e
