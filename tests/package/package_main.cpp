// The package tests' entry: remembers the path given after the GoogleTest
// flags (the installer, or the folder the portable zip was unpacked into).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../e2e/E2eSupport.h"
#include "PackageSupport.h"

namespace tandrel {
namespace {
std::wstring g_packagePath;
}  // namespace

// The e2e helpers copy this program for their own folders; these tests use
// the installed or unpacked copy instead and never ask for it.
const std::wstring& e2e::TandrelExePath() { return g_packagePath; }
const std::wstring& package::PackagePath() { return g_packagePath; }

}  // namespace tandrel

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) {
    int n = MultiByteToWideChar(CP_ACP, 0, argv[1], -1, nullptr, 0);
    if (n > 1) {
      tandrel::g_packagePath.assign(static_cast<size_t>(n - 1), L'\0');
      MultiByteToWideChar(CP_ACP, 0, argv[1], -1, tandrel::g_packagePath.data(), n);
    }
  }
  return RUN_ALL_TESTS();
}
