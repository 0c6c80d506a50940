// Start at logon (the machine-wide Run value), the help file, the home and
// update pages and the screen-off button, driven as the user drives them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/LogonTask.h"
#include "framework/Exceptions.h"
#include "platform/Registry.h"
#include "unit/support/FormTandrelFixture.h"

namespace tandrel::testing {
namespace {

constexpr char kRun[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr auto kMachine = platform::RegistryRoot::LocalMachine;

class FormTandrelExternal : public FormTandrelFixture {
 protected:
  platform::HeadlessRegistry& registry() { return env_.platform().registry(); }
  platform::HeadlessShell& shell() { return env_.platform().shell(); }
  platform::HeadlessTaskScheduler& tasks() { return env_.platform().taskScheduler(); }
  std::string Exe() const { return (dir_ / "Tandrel.exe").string(); }
  // The user clicks a windowless control in the middle.
  void ClickPane(TControl& pane) {
    auto* parent = pane.Parent();
    const TPoint centre{pane.Left() + pane.Width() / 2, pane.Top() + pane.Height() / 2};
    const TPoint screen = windows().ClientToScreen(parent->Handle(), centre);
    windows().MouseMove(screen);
    windows().MouseDown(platform::MouseButton::Left, screen);
    windows().MouseUp(platform::MouseButton::Left, screen);
  }
};

TEST_F(FormTandrelExternal, CheckingWritesTheRunValueAndTheLogonTaskAndUncheckingRemovesBoth) {
  TFormTandrel& form = CreateAndShow();
  windows().ClickWindow(form.CBAutoRun->Handle());
  ASSERT_TRUE(form.CBAutoRun->Checked());
  EXPECT_TRUE(form.FAutoRun);
  EXPECT_EQ(registry().Value(kMachine, kRun, "Tandrel"), "\"" + Exe() + "\" au");
  EXPECT_EQ(tasks().TaskXml("Tandrel"), LogonTaskXml(Exe()));
  // Only the one key of the box is written.
  EXPECT_EQ(IniBytes(), "[CB]\r\nAutoRun=1\r\n");

  windows().ClickWindow(form.CBAutoRun->Handle());
  ASSERT_FALSE(form.CBAutoRun->Checked());
  EXPECT_FALSE(form.FAutoRun);
  EXPECT_FALSE(registry().HasValue(kMachine, kRun, "Tandrel"));
  EXPECT_FALSE(tasks().RootTaskExists("Tandrel"));
  EXPECT_TRUE(registry().KeyExists(kMachine, kRun));
  EXPECT_EQ(IniBytes(), "[CB]\r\nAutoRun=0\r\n");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(FormTandrelExternal, OtherRunValuesAreLeftAloneAndAMissingValueIsNoError) {
  registry().SetValue(kMachine, kRun, "Other", "C:\\other.exe");
  TFormTandrel& form = CreateAndShow();
  form.CBAutoRun->SetChecked(true);
  form.CBAutoRun->SetChecked(false);
  form.CBAutoRun->SetChecked(true);
  EXPECT_EQ(registry().Value(kMachine, kRun, "Other"), "C:\\other.exe");
  EXPECT_EQ(registry().Value(kMachine, kRun, "Tandrel"), "\"" + Exe() + "\" au");
  // The value was already removed by someone else: unchecking still stores 0.
  form.CBAutoRun->SetChecked(false);
  form.CBAutoRun->SetChecked(true);
  registry().SetValue(kMachine, kRun, "Tandrel", "");
  form.CBAutoRun->SetChecked(false);
  EXPECT_FALSE(registry().HasValue(kMachine, kRun, "Tandrel"));
  EXPECT_EQ(Stored("CB", "AutoRun"), "0");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(FormTandrelExternal, APathWithBlanksIsQuotedSoTheLogonCannotRunAShorterName) {
  const std::filesystem::path folder = dir_ / "Program Files" / "Tandrel";
  std::filesystem::create_directories(folder);
  const std::string exe = (folder / "Tandrel.exe").string();
  env_.platform().process().SetExecutablePath(exe);
  TFormTandrel& form = CreateAndShow();
  form.CBAutoRun->SetChecked(true);
  const std::optional<std::string> data = registry().Value(kMachine, kRun, "Tandrel");
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(*data, "\"" + exe + "\" au");
  // Split as the logon splits a command line: the quoted program, then "au"
  // as an argument of its own.
  ASSERT_EQ(data->front(), '"');
  const std::size_t close = data->find('"', 1);
  ASSERT_NE(close, std::string::npos);
  EXPECT_EQ(data->substr(1, close - 1), exe);
  EXPECT_EQ(data->substr(close + 1), " au");
  EXPECT_EQ(form.FExeDir, (folder / "").string());
}

TEST_F(FormTandrelExternal, ARefusedWriteUnchecksTheBoxAndStoresZeroWithoutAMessage) {
  registry().Protect(kMachine, "SOFTWARE");
  TFormTandrel& form = CreateAndShow();
  windows().ClickWindow(form.CBAutoRun->Handle());
  EXPECT_FALSE(form.CBAutoRun->Checked());
  EXPECT_FALSE(form.FAutoRun);
  EXPECT_EQ(IniBytes(), "[CB]\r\nAutoRun=0\r\n");
  EXPECT_FALSE(registry().KeyExists(kMachine, kRun));
  EXPECT_FALSE(tasks().RootTaskExists("Tandrel"));
  EXPECT_TRUE(Boxes().empty());
  // Once the rights are there, the next check works.
  registry().Unprotect(kMachine, "SOFTWARE");
  windows().ClickWindow(form.CBAutoRun->Handle());
  EXPECT_TRUE(form.CBAutoRun->Checked());
  EXPECT_EQ(Stored("CB", "AutoRun"), "1");
  EXPECT_TRUE(registry().HasValue(kMachine, kRun, "Tandrel"));
  EXPECT_TRUE(tasks().RootTaskExists("Tandrel"));
}

TEST_F(FormTandrelExternal, ARefusedTaskUnchecksTheBoxAndTakesTheRunValueBack) {
  tasks().registerSucceeds = false;
  TFormTandrel& form = CreateAndShow();
  windows().ClickWindow(form.CBAutoRun->Handle());
  EXPECT_FALSE(form.CBAutoRun->Checked());
  EXPECT_FALSE(form.FAutoRun);
  EXPECT_EQ(IniBytes(), "[CB]\r\nAutoRun=0\r\n");
  // The Run value had been written before the task was refused.
  EXPECT_FALSE(registry().HasValue(kMachine, kRun, "Tandrel"));
  EXPECT_FALSE(tasks().RootTaskExists("Tandrel"));
  EXPECT_EQ(tasks().calls, (std::vector<std::string>{"Register(Tandrel)", "Delete(Tandrel)"}));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(FormTandrelExternal, ARefusedDeleteIsIgnoredAndStillStoresZero) {
  WriteIni("[CB]\r\nAutoRun=1\r\n");
  registry().SetValue(kMachine, kRun, "Tandrel", "\"" + Exe() + "\" au");
  registry().Protect(kMachine, kRun);
  TFormTandrel& form = CreateAndShow();
  ASSERT_TRUE(form.CBAutoRun->Checked());
  windows().ClickWindow(form.CBAutoRun->Handle());
  EXPECT_FALSE(form.CBAutoRun->Checked());
  EXPECT_FALSE(form.FAutoRun);
  EXPECT_EQ(Stored("CB", "AutoRun"), "0");
  EXPECT_TRUE(registry().HasValue(kMachine, kRun, "Tandrel"));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(FormTandrelExternal, LoadingACheckedBoxLeavesTheRegistryAlone) {
  WriteIni("[CB]\r\nAutoRun=1\r\n");
  TFormTandrel& form = CreateAndShow();
  EXPECT_TRUE(form.CBAutoRun->Checked());
  EXPECT_TRUE(form.FAutoRun);
  EXPECT_FALSE(registry().KeyExists(kMachine, kRun));
  EXPECT_EQ(IniBytes(), "[CB]\r\nAutoRun=1\r\n");
}

TEST_F(FormTandrelExternal, ARefusedSettingsWriteReachesTheCallerAfterTheRegistry) {
  TFormTandrel& form = CreateAndShow();
  // A folder where the settings file should be: the write is refused.
  std::filesystem::create_directories(IniPath());
  EXPECT_THROW(form.CBAutoRun->SetChecked(true), Exception);
  EXPECT_TRUE(form.FAutoRun);
  EXPECT_TRUE(registry().HasValue(kMachine, kRun, "Tandrel"));
}

TEST_F(FormTandrelExternal, HelpOpensTheFileBesideTheProgramOwnedByTheMainWindow) {
  TFormTandrel& form = CreateAndShow();
  // The pane is stored hidden and nothing shows it.
  EXPECT_FALSE(form.VmGlyphStatus1->Visible());
  form.VmGlyphStatus1->SetVisible(true);
  ClickPane(*form.VmGlyphStatus1);
  ASSERT_EQ(shell().executeCalls.size(), 1u);
  const auto& call = shell().executeCalls[0];
  EXPECT_EQ(call.owner, form.Handle());
  EXPECT_EQ(call.operation, "open");
  EXPECT_EQ(call.file, (dir_ / "TandrelHelp.chm").string());
  EXPECT_EQ(call.parameters, "");
  EXPECT_EQ(call.directory, "");
  EXPECT_EQ(call.showCommand, 1);
}

TEST_F(FormTandrelExternal, EveryPixelOfTheHomePictureOpensTheHomePage) {
  TFormTandrel& form = CreateAndShow();
  TVmGlyphStatus& home = *form.VmGlyphStatus2;
  // The picture covers columns 4..19 and rows 2..17 of the pane; the pane is
  // the last one on a bar without a size grip, so its right end clicks too.
  std::vector<TPoint> points;
  for (int x = 4; x < 20; ++x) points.push_back(TPoint{x, x % 2 ? 2 : 17});
  for (int y = 2; y < 18; ++y) points.push_back(TPoint{19, y});
  for (const TPoint p : points) {
    const TPoint screen = home.ClientToScreen(p);
    windows().MouseMove(screen);
    windows().MouseDown(platform::MouseButton::Left, screen);
    windows().MouseUp(platform::MouseButton::Left, screen);
  }
  ASSERT_EQ(shell().executeCalls.size(), points.size());
  for (const auto& call : shell().executeCalls) EXPECT_EQ(call.file, form.FHomeUrl);
}

TEST_F(FormTandrelExternal, HomeAndUpdateOpenTheirAddressesWithTheDefaultVerb) {
  TFormTandrel& form = CreateAndShow();
  ClickPane(*form.VmGlyphStatus2);
  windows().ClickWindow(form.BTNUpdate->Handle());
  ASSERT_EQ(shell().executeCalls.size(), 2u);
  const auto& home = shell().executeCalls[0];
  const auto& update = shell().executeCalls[1];
  for (const auto* call : {&home, &update}) {
    EXPECT_EQ(call->owner, app().Handle());
    EXPECT_EQ(call->operation, "");
    EXPECT_EQ(call->parameters, "");
    EXPECT_EQ(call->directory, "");
    EXPECT_EQ(call->showCommand, 1);
    EXPECT_EQ(call->file.rfind("https://", 0), 0u) << call->file;
  }
  EXPECT_EQ(home.file, form.FHomeUrl);
  EXPECT_EQ(update.file, form.FUpdateUrl);
  EXPECT_NE(home.file, update.file);
  // Nothing is written and nothing is shown.
  EXPECT_FALSE(std::filesystem::exists(IniPath()));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(FormTandrelExternal, ScreenOffAsksTheApplicationWindowForLowPowerAndKeepsCounting) {
  WriteIni("[CB]\r\nRBFS=0\r\n");
  TFormTandrel& form = CreateAndShow();
  auto expectOneLowPowerRequest = [&](std::size_t before) {
    const auto& sent = windows().SentMessages();
    ASSERT_EQ(sent.size(), before + 1);
    EXPECT_EQ(sent.back().window, app().Handle());
    EXPECT_EQ(sent.back().message, 0x0112u);  // WM_SYSCOMMAND
    EXPECT_EQ(sent.back().wParam, 0xF170u);   // SC_MONITORPOWER
    EXPECT_EQ(sent.back().lParam, 1);         // low power, not off (2)
  };
  std::size_t before = windows().SentMessages().size();
  windows().ClickWindow(form.BTNCloseScreen->Handle());
  expectOneLowPowerRequest(before);

  // Armed, the window is in the tray; the count goes on after the request.
  form.BTNStart->Click();
  ASSERT_TRUE(form.Timer1->Enabled());
  const TDateTime target = form.FTarget;
  before = windows().SentMessages().size();
  form.BTNCloseScreen->Click();
  expectOneLowPowerRequest(before);
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_TRUE(form.BTNStop->Visible());
  EXPECT_EQ(form.FTarget, target);
  EXPECT_TRUE(env_.platform().power().calls.empty());
}

}  // namespace
}  // namespace tandrel::testing
