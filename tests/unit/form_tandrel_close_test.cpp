// Every way of closing the main window asks first (close button, tray menu,
// end of the session) unless a power action has fired; minimising goes to
// the tray and the tray menu brings the window back.
#include <gtest/gtest.h>

#include <string>

#include "platform/WindowSystem.h"
#include "unit/support/FormTandrelFixture.h"
#include "widgets/VmTray.h"

namespace tandrel::testing {
namespace {

constexpr unsigned kTrayCallback = 0x2422;
namespace mb = platform::mb;

class FormTandrelClose : public FormTandrelFixture {
 protected:
  // The user releases the right button over the tray icon and picks `item`.
  void ChooseFromTrayMenu(TMenuItem* item) {
    windows().ScriptMenuChoice(item->Command());
    windows().Send(FormTandrel->TrayIcon->Handle(), kTrayCallback, 0, tray_notify::kRButtonUp);
    windows().ProcessPending();  // menu commands come from the queue
  }
  bool InTray() {
    const auto key = std::make_pair(FormTandrel->TrayIcon->Handle().value,
                                    FormTandrel->TrayIcon->IconId());
    return env_.platform().shell().tray.count(key) == 1;
  }
  void ExpectConfirmation(const platform::HeadlessWindowSystem::MessageBoxCall& box) {
    EXPECT_EQ(box.request.text, "您确认要退出定时关机软件");
    EXPECT_EQ(box.request.flags, mb::kYesNo | mb::kIconQuestion);
    EXPECT_EQ(box.request.caption, "Velmora");  // the application title
    EXPECT_TRUE(box.scripted);
  }
  bool Running() { return !app().Terminated() && !windows().QuitCode().has_value(); }
};

TEST_F(FormTandrelClose, CloseButtonAsksAndOnlyYesEndsTheProgram) {
  TFormTandrel& form = CreateAndShow();
  windows().ScriptMessageBox(mb::kIdNo);
  windows().UserClose(form.Handle());
  ASSERT_EQ(Boxes().size(), 1u);
  ExpectConfirmation(Boxes()[0]);
  EXPECT_TRUE(Running());
  EXPECT_TRUE(windows().IsShowing(form.Handle()));

  windows().ScriptMessageBox(mb::kIdYes);
  windows().UserClose(form.Handle());
  ASSERT_EQ(Boxes().size(), 2u);
  ExpectConfirmation(Boxes()[1]);
  EXPECT_TRUE(app().Terminated());
  EXPECT_EQ(windows().QuitCode(), 0);
}

TEST_F(FormTandrelClose, TrayExitWhileHiddenAsksAndNoKeepsTheProgramInTheTray) {
  WriteIni("[CB]\r\nRBFS=0\r\n");
  TFormTandrel& form = CreateAndShow();
  form.BTNStart->Click();  // armed: hidden in the tray
  ASSERT_TRUE(InTray());
  ASSERT_FALSE(windows().IsShowing(form.Handle()));

  windows().ScriptMessageBox(mb::kIdNo);
  ChooseFromTrayMenu(form.NExit);
  ASSERT_EQ(Boxes().size(), 1u);
  ExpectConfirmation(Boxes()[0]);
  EXPECT_TRUE(Running());
  EXPECT_TRUE(InTray());
  EXPECT_TRUE(form.Timer1->Enabled());  // still counting down

  windows().ScriptMessageBox(mb::kIdYes);
  ChooseFromTrayMenu(form.NExit);
  EXPECT_EQ(Boxes().size(), 2u);
  EXPECT_TRUE(app().Terminated());
}

TEST_F(FormTandrelClose, EndOfSessionAsksAndNoRefusesIt) {
  TFormTandrel& form = CreateAndShow();
  windows().ScriptMessageBox(mb::kIdNo);
  EXPECT_FALSE(windows().EndSession());
  ASSERT_EQ(Boxes().size(), 1u);
  ExpectConfirmation(Boxes()[0]);
  EXPECT_TRUE(Running());
  EXPECT_TRUE(windows().IsShowing(form.Handle()));

  windows().ScriptMessageBox(mb::kIdYes);
  EXPECT_TRUE(windows().EndSession());
  EXPECT_EQ(Boxes().size(), 2u);
}

TEST_F(FormTandrelClose, AfterAnActionHasFiredNothingIsAsked) {
  TFormTandrel& form = CreateAndShow();
  form.BTNAtOnce->Click();
  ASSERT_TRUE(form.FActionFired);
  ASSERT_FALSE(env_.platform().power().calls.empty());
  // The session the action ends goes without a question ...
  EXPECT_TRUE(windows().EndSession());
  EXPECT_TRUE(Boxes().empty());
  // ... and so does closing the window.
  windows().UserClose(form.Handle());
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(app().Terminated());
}

TEST_F(FormTandrelClose, AfterAnActionHasFiredTheTrayExitEndsAtOnce) {
  WriteIni("[CB]\r\nRBFS=0\r\n");
  TFormTandrel& form = CreateAndShow();
  form.BTNStart->Click();
  form.BTNAtOnce->Click();
  ChooseFromTrayMenu(form.NExit);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(app().Terminated());
}

TEST_F(FormTandrelClose, MinimisingGoesToTheTrayAndShowBringsTheWindowBackWithoutActivation) {
  TFormTandrel& form = CreateAndShow();
  // With repeat run an activation would arm at once; the restore must not.
  form.RBDe->SetChecked(true);
  form.CBRepeat->SetChecked(true);
  ASSERT_FALSE(form.Timer1->Enabled());

  windows().UserMinimize(form.Handle());
  EXPECT_TRUE(app().Minimized());
  EXPECT_FALSE(windows().IsShowing(form.Handle()));
  EXPECT_FALSE(windows().IsVisible(app().Handle()));  // no taskbar button
  EXPECT_TRUE(InTray());

  ChooseFromTrayMenu(form.NShow);
  EXPECT_FALSE(app().Minimized());
  EXPECT_TRUE(windows().IsShowing(form.Handle()));
  EXPECT_TRUE(windows().IsVisible(app().Handle()));
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_FALSE(form.BTNStop->Visible());
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(Running());
}

TEST_F(FormTandrelClose, DoubleClickOnTheTrayIconRestoresTheWindow) {
  TFormTandrel& form = CreateAndShow();
  windows().UserMinimize(form.Handle());
  ASSERT_FALSE(windows().IsShowing(form.Handle()));
  windows().Send(form.TrayIcon->Handle(), kTrayCallback, 0, tray_notify::kLButtonDblClk);
  windows().ProcessPending();
  EXPECT_TRUE(windows().IsShowing(form.Handle()));
  EXPECT_FALSE(app().Minimized());
}

}  // namespace
}  // namespace tandrel::testing
