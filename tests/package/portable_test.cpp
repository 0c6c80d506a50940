// The portable zip, unpacked into an empty folder: just the program, the help
// and the bilingual note, and the program runs from there and keeps its
// settings there.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "../e2e/E2eSupport.h"
#include "PackageSupport.h"

namespace tandrel::package {
namespace {

using namespace std::chrono_literals;

TEST(Portable, RunsFromTheUnpackedFolderAndKeepsItsSettingsThere) {
  const std::wstring folder = PackagePath();
  ASSERT_EQ(FolderNames(folder),
            (std::vector<std::wstring>{L"README.txt", L"Tandrel.exe", L"TandrelHelp.chm"}));

  std::ifstream note(std::filesystem::path(folder + L"\\README.txt"), std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(note)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text.rfind("\xEF\xBB\xBF", 0), 0u) << "README.txt lacks its byte-order mark";
  EXPECT_NE(text.find("Tandrel 2.9"), std::string::npos);
  EXPECT_NE(text.find(reinterpret_cast<const char*>(u8"绿色版")), std::string::npos);
  EXPECT_NE(text.find("\r\n"), std::string::npos);

  const std::wstring ini = folder + L"\\Tandrel.ini";
  e2e::TandrelProcess program(folder + L"\\Tandrel.exe");
  HWND main = e2e::WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(e2e::WindowText(main), L"Velmora V2.9(定时关机)");
  HWND warn = e2e::ChildWithText(main, L"30秒提醒");
  ASSERT_NE(warn, nullptr);
  e2e::PostClick(warn);
  EXPECT_TRUE(e2e::WaitFor([&] { return IniValue(ini, L"CB", L"Warn") == L"1"; }, 10s));
}

}  // namespace
}  // namespace tandrel::package
