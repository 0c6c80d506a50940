// The installer and its uninstaller under Wine, in a fresh prefix: a silent
// install puts the files, the Start-menu entries and the Apps & Features
// entry in place, and the installed program starts; a second install over
// it keeps the settings; the uninstaller removes everything the installer
// and start at logon left, and keeps Tandrel.ini when silent.
#include <windows.h>
#include <knownfolders.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "../e2e/E2eSupport.h"
#include "PackageSupport.h"

namespace tandrel::package {
namespace {

using namespace std::chrono_literals;
using e2e::ChildWithText;
using e2e::PostClick;
using e2e::TandrelProcess;
using e2e::WaitFor;

constexpr wchar_t kCaption[] = L"Velmora V2.9(定时关机)";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tandrel";
constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// The installer's exit code when it gives up (here: the program is running).
constexpr int kInstallerAborted = 2;

class Installation {
 public:
  std::wstring dir = KnownFolder(FOLDERID_ProgramFiles) + L"\\Tandrel";
  std::wstring exe = dir + L"\\Tandrel.exe";
  std::wstring help = dir + L"\\TandrelHelp.chm";
  std::wstring uninstaller = dir + L"\\uninst.exe";
  std::wstring ini = dir + L"\\Tandrel.ini";
  std::wstring menu = KnownFolder(FOLDERID_CommonPrograms) + L"\\Tandrel";
  std::wstring programLink = menu + L"\\Tandrel 定时关机.lnk";
  std::wstring helpLink = menu + L"\\Tandrel 帮助.lnk";
};

int RunInstaller() { return RunAndWait(L"\"" + PackagePath() + L"\" /S", 120s); }

HWND MainWindow(const TandrelProcess& program) {
  HWND main = e2e::WaitShownMainWindow(program);
  return main && e2e::WindowText(main) == kCaption ? main : nullptr;
}

TEST(Installer, InstallsStartsUpgradesAndUninstallsLeavingOnlyTheSettings) {
  const Installation installed;
  ASSERT_FALSE(Exists(installed.dir)) << "the prefix is not fresh";

  ASSERT_EQ(RunInstaller(), 0);
  EXPECT_TRUE(Exists(installed.exe));
  EXPECT_TRUE(Exists(installed.help));
  EXPECT_TRUE(Exists(installed.uninstaller));
  EXPECT_FALSE(Exists(installed.ini));
  EXPECT_EQ(ShortcutTarget(installed.programLink), installed.exe);
  EXPECT_EQ(ShortcutTarget(installed.helpLink), installed.help);

  EXPECT_EQ(MachineString(kUninstallKey, L"DisplayName"), L"Tandrel 定时关机");
  EXPECT_EQ(MachineString(kUninstallKey, L"DisplayVersion"), L"2.9");
  EXPECT_EQ(MachineString(kUninstallKey, L"Publisher"), L"Tandrel");
  EXPECT_EQ(MachineString(kUninstallKey, L"InstallLocation"), installed.dir);
  EXPECT_EQ(MachineString(kUninstallKey, L"UninstallString"), L"\"" + installed.uninstaller + L"\"");
  EXPECT_EQ(MachineString(kUninstallKey, L"QuietUninstallString"),
            L"\"" + installed.uninstaller + L"\" /S");
  // In KiB; the program alone is more than 100 KiB.
  EXPECT_GT(MachineDword(kUninstallKey, L"EstimatedSize").value_or(0), 100u);

  {
    // The installed program runs, and start at logon writes its entries:
    // the Run value and the logon task.
    TandrelProcess program(installed.exe);
    HWND main = MainWindow(program);
    ASSERT_NE(main, nullptr);
    HWND autoRun = ChildWithText(main, L"开机自动运行");
    ASSERT_NE(autoRun, nullptr);
    PostClick(autoRun);
    EXPECT_TRUE(WaitFor([&] { return MachineString(kRunKey, L"Tandrel").has_value(); }, 10s));
    EXPECT_EQ(MachineString(kRunKey, L"Tandrel"), L"\"" + installed.exe + L"\" au");
    EXPECT_TRUE(WaitFor([&] { return IniValue(installed.ini, L"CB", L"AutoRun") == L"1"; }, 5s));
    EXPECT_TRUE(WaitFor([] { return TaskExists(L"Tandrel"); }, 10s));

    // Files in use are not replaced: the installer refuses while it runs.
    EXPECT_EQ(RunInstaller(), kInstallerAborted);
    EXPECT_TRUE(program.Running());
  }

  // Installing again upgrades in place and keeps the settings.
  ASSERT_EQ(RunInstaller(), 0);
  EXPECT_TRUE(Exists(installed.exe));
  EXPECT_EQ(IniValue(installed.ini, L"CB", L"AutoRun"), L"1");
  EXPECT_EQ(MachineString(kUninstallKey, L"InstallLocation"), installed.dir);

  // The uninstaller copies itself away and returns; its copy does the work.
  ASSERT_TRUE(TaskExists(L"Tandrel"));
  ASSERT_EQ(RunAndWait(L"\"" + installed.uninstaller + L"\" /S", 60s), 0);
  EXPECT_TRUE(WaitFor([&] { return !MachineKeyExists(kUninstallKey) && !Exists(installed.exe); },
                      60s));
  EXPECT_FALSE(Exists(installed.exe));
  EXPECT_FALSE(Exists(installed.help));
  EXPECT_TRUE(WaitFor([&] { return !Exists(installed.uninstaller); }, 10s));
  EXPECT_FALSE(Exists(installed.programLink));
  EXPECT_FALSE(Exists(installed.helpLink));
  EXPECT_FALSE(Exists(installed.menu));
  EXPECT_FALSE(MachineKeyExists(kUninstallKey));
  EXPECT_FALSE(MachineString(kRunKey, L"Tandrel").has_value());
  EXPECT_FALSE(TaskExists(L"Tandrel"));
  // Silent: the settings stay, no longer claiming the removed logon entries.
  EXPECT_EQ(FolderNames(installed.dir), std::vector<std::wstring>{L"Tandrel.ini"});
  EXPECT_EQ(IniValue(installed.ini, L"CB", L"AutoRun"), L"0");
}

}  // namespace
}  // namespace tandrel::package
