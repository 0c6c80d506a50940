// The driver's entry: remembers Tandrel.exe's path (the first argument) and
// runs the GoogleTest suites; or records an address the shell asked it to open.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "E2eSupport.h"

namespace tandrel::e2e {
namespace {
std::wstring g_exePath;
}  // namespace

const std::wstring& TandrelExePath() { return g_exePath; }

void SetTandrelExePath(const char* path) {
  int n = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
  if (n <= 1) return;
  std::wstring wide(static_cast<size_t>(n - 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), n);
  g_exePath = wide;
}

}  // namespace tandrel::e2e

namespace {

// "--record-open <file> <address>": the driver stands in for the browser
// that the shell would start for a web address, and only notes the address.
bool RecordOpenedAddress() {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  const bool recording = args && count == 4 && std::wstring(args[1]) == L"--record-open";
  if (recording) {
    HANDLE file = CreateFileW(args[2], FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      char line[2048] = {};
      int n = WideCharToMultiByte(CP_UTF8, 0, args[3], -1, line, sizeof line - 1, nullptr, nullptr);
      if (n > 0) {
        line[n - 1] = '\n';
        DWORD written = 0;
        WriteFile(file, line, static_cast<DWORD>(n), &written, nullptr);
      }
      CloseHandle(file);
    }
  }
  LocalFree(args);
  return recording;
}

}  // namespace

int main(int argc, char** argv) {
  if (RecordOpenedAddress()) return 0;
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) tandrel::e2e::SetTandrelExePath(argv[1]);
  return RUN_ALL_TESTS();
}
