// The program's start: one copy only, the window's fixed texts and caption,
// the "au" argument and the activation that re-arms with repeat run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/TandrelProgram.h"
#include "platform/headless/HeadlessMutexes.h"
#include "unit/support/FormTandrelFixture.h"

namespace tandrel::testing {
namespace {

using FormTandrelStartup = FormTandrelFixture;

TEST_F(FormTandrelStartup, SecondCopyShowsItsBoxCreatesNoWindowAndReleasesTheProbe) {
  auto running = env_.platform().mutexes().Create("Velmora");
  ASSERT_TRUE(running);
  const int releasesBefore = platform::HeadlessMutexes::Releases("Velmora");
  {
    TandrelStart start = StartTandrel(app());
    EXPECT_FALSE(start.windowsCreated);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].request.text, "The program already start");
    EXPECT_EQ(Boxes()[0].request.caption, "Velmora");
    EXPECT_EQ(Boxes()[0].request.flags, 0u);  // no icon, one OK button
    EXPECT_EQ(app().MainForm(), nullptr);
    EXPECT_EQ(FormTandrel, nullptr);
    EXPECT_EQ(platform::HeadlessMutexes::Releases("Velmora"), releasesBefore + 1);
    app().Run();  // returns at once without a main form
    EXPECT_FALSE(std::filesystem::exists(IniPath()));
  }
  EXPECT_EQ(platform::HeadlessMutexes::OpenHandles("Velmora"), 1);
}

TEST_F(FormTandrelStartup, SecondCopyStartedForLogonEndsWithoutItsBox) {
  // At logon both the Run value and the task may start the program.
  auto running = env_.platform().mutexes().Create("Velmora");
  ASSERT_TRUE(running);
  env_.platform().process().SetArguments({"x", "AU"});
  TandrelStart start = StartTandrel(app());
  EXPECT_FALSE(start.windowsCreated);
  EXPECT_EQ(FormTandrel, nullptr);
  EXPECT_TRUE(Boxes().empty());
  app().Run();
  // Any other argument still gets the box.
  env_.platform().process().SetArguments({"aux"});
  TandrelStart plain = StartTandrel(app());
  EXPECT_FALSE(plain.windowsCreated);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].request.text, "The program already start");
}

TEST_F(FormTandrelStartup, FirstCopyKeepsTheMarkerAndSetsUpTheMainWindow) {
  TandrelStart start = StartTandrel(app());
  ASSERT_TRUE(start.windowsCreated);
  EXPECT_EQ(platform::HeadlessMutexes::OpenHandles("Velmora"), 1);
  ASSERT_NE(FormTandrel, nullptr);
  ASSERT_NE(FormWarn, nullptr);
  EXPECT_EQ(app().MainForm(), FormTandrel);
  EXPECT_EQ(app().Title(), "Velmora");
  TFormTandrel& form = *FormTandrel;
  EXPECT_EQ(form.Caption(), "Velmora V2.9(定时关机)");
  EXPECT_EQ(form.VmStatusPane1->Caption(), "无定时任务");
  EXPECT_EQ(form.TrayIcon->Hint(), "Velmora V1.0(定时关机)");
  EXPECT_EQ(form.FTrayTitle, "Velmora (定时关机)");
  EXPECT_EQ(form.FActionNames[4], "强行关机");
  EXPECT_EQ(form.FExeDir, dir_.string() + "/");
  EXPECT_FALSE(form.FLoading);
  EXPECT_FALSE(form.FActionFired);
  app().Run();
  EXPECT_TRUE(form.Showing());
  EXPECT_FALSE(FormWarn->Visible());
  EXPECT_FALSE(app().Minimized());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(FormTandrelStartup, OnlyTheExactArgumentAuInAnyCaseStartsInTheTray) {
  struct Case {
    std::vector<std::string> arguments;
    bool hidden;
  } cases[] = {
      {{"au"}, true},           {{"AU"}, true},   {{"Au"}, true},
      {{"x", "aU", "y"}, true}, {{"/au"}, false}, {{"-au"}, false},
      {{"aux"}, false},         {{" au"}, false}, {{}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments[0]);
    DropForms();
    env_.platform().process().SetArguments(c.arguments);
    TFormTandrel& form = Create();
    EXPECT_EQ(form.FStartHidden, c.hidden);
    app().Run();
    EXPECT_EQ(app().Minimized(), c.hidden);
    EXPECT_FALSE(form.FStartHidden);
    EXPECT_FALSE(form.Timer1->Enabled());  // repeat run off: nothing armed
    if (c.hidden) app().Restore();
  }
}

TEST_F(FormTandrelStartup, RepeatRunArmsAtFirstShowingAndAgainAfterTheWarningsCancel) {
  WriteIni("[CB]\r\nCBCF=1\r\nRBFS=0\r\n[Set]\r\nFZ=20\r\n");
  TFormTandrel& form = CreateAndShow();
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_EQ(DecodeDateTime(form.FTarget).time, (TimeParts{10, 20, 0, 250}));

  // The countdown hands over to the warning window, whose Cancel disarms and
  // gives the focus back: the activation arms anew from that moment.
  SetClock(2026, 3, 10, 10, 19, 40, 250);
  form.FWarn = true;
  form.Timer1Timer(form.Timer1);
  ASSERT_TRUE(FormWarn->Visible());
  EXPECT_FALSE(form.Timer1->Enabled());
  FormWarn->BTNCancel->Click();
  EXPECT_FALSE(FormWarn->Visible());
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_EQ(DecodeDateTime(form.FTarget).time, (TimeParts{10, 39, 40, 250}));
}

TEST_F(FormTandrelStartup, SwitchingBackFromAnotherProgramDoesNotArm) {
  WriteIni("[CB]\r\nCBCF=1\r\nRBFS=0\r\n[Set]\r\nFZ=20\r\n");
  TFormTandrel& form = CreateAndShow();
  app().Restore();
  form.BTNStop->Click();
  windows().ActivateOtherProgram();
  windows().ReturnToProgram();
  EXPECT_FALSE(form.Timer1->Enabled());
}

}  // namespace
}  // namespace tandrel::testing
