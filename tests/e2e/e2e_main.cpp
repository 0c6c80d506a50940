// The driver's entry: remembers Tandrel.exe's path (the first argument) and
// runs the GoogleTest suites.
#include <windows.h>

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

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) tandrel::e2e::SetTandrelExePath(argv[1]);
  return RUN_ALL_TESTS();
}
