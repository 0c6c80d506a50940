// A form's life: a stored layout applied in the loading state and finished
// by Loaded, OnCreate errors shown in the error box with the form created
// anyway, closing through the close query (also at the end of the session),
// free notification between components, and the native picker and bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/DateTimePicker.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/PopupMenu.h"
#include "framework/ProgressBar.h"
#include "framework/Timer.h"
#include "support/HeadlessApp.h"

namespace tandrel {
namespace {

using platform::mb::kIdNo;
using platform::mb::kIdOk;
using platform::mb::kIdYes;

// A windowed control that notes when it is loaded and what it saw then.
class LoadProbe : public TCustomControl {
 public:
  LoadProbe(TComponent* owner, std::vector<std::string>* log, std::string name)
      : TCustomControl(owner), log_(log), name_(std::move(name)) {}

 protected:
  void Loaded() override {
    TCustomControl::Loaded();
    log_->push_back(name_ + (Loading() ? " loading" : " loaded"));
  }

 private:
  std::vector<std::string>* log_;
  std::string name_;
};

class LayoutForm : public TForm {
 public:
  LayoutForm(TComponent* owner, std::vector<std::string>* log) : TForm(owner), log_(log) {
    BeginLoading();
    SetCaption("Layout");
    SetClientSize(200, 120);
    first = new LoadProbe(this, log, "first");
    first->SetParent(this);
    first->SetBounds(10, 10, 50, 20);
    first->SetCaption("开始");
    second = new LoadProbe(this, log, "second");
    second->SetParent(this);
    second->SetBounds(70, 10, 50, 20);
    second->SetVisible(false);
    windowsWhileLoading = first->HandleAllocated() || second->HandleAllocated();
    EndLoading();
  }
  LoadProbe* first;
  LoadProbe* second;
  bool windowsWhileLoading = true;

 protected:
  void Loaded() override {
    TForm::Loaded();
    log_->push_back("form loaded");
  }

 private:
  std::vector<std::string>* log_;
};

TEST(FormLifecycle, StoredLayoutIsAppliedWhileLoadingAndFinishedByLoaded) {
  testing::HeadlessApp env;
  std::vector<std::string> log;
  LayoutForm* form = nullptr;
  env.app().CreateForm(form, &log);
  EXPECT_FALSE(form->windowsWhileLoading);
  EXPECT_EQ(log, (std::vector<std::string>{"first loaded", "second loaded", "form loaded"}));
  auto& w = env.windows();
  ASSERT_TRUE(form->first->HandleAllocated());
  EXPECT_EQ(w.GetText(form->first->Handle()), "开始");
  EXPECT_EQ(w.GetBounds(form->first->Handle()), Bounds(10, 10, 50, 20));
  EXPECT_EQ(w.Parent(form->first->Handle()), form->Handle());
  form->Show();
  EXPECT_TRUE(w.IsVisible(form->first->Handle()));
  EXPECT_FALSE(w.IsVisible(form->second->Handle()));
  EXPECT_EQ(w.ClientSize(form->Handle()), (TSize{200, 120}));
}

TEST(FormLifecycle, TimerEnabledInALayoutRunsOnlyAfterLoading) {
  testing::HeadlessApp env;
  TForm* form = nullptr;
  env.app().CreateForm(form);
  int ticks = 0;
  form->BeginLoading();
  auto* timer = new TTimer(form);
  timer->SetOnTimer(TNotifyEvent([&](TObject*) { ++ticks; }));
  env.windows().AdvanceIdle(3000);
  EXPECT_EQ(ticks, 0);
  form->EndLoading();
  env.windows().AdvanceIdle(1000);
  EXPECT_EQ(ticks, 1);
}

class FailingCreateForm : public TForm {
 public:
  explicit FailingCreateForm(TComponent* owner) : TForm(owner) {
    OnCreate = TNotifyEvent([this](TObject*) {
      stepsDone = 1;
      throw EConvertError("'2026-13-45' is not a valid date");
    });
  }
  int stepsDone = 0;
};

TEST(FormLifecycle, ErrorInOnCreateIsShownAndTheFormIsCreatedAnyway) {
  testing::HeadlessApp env;
  env.windows().ScriptMessageBox(kIdOk);
  FailingCreateForm* form = nullptr;
  env.app().CreateForm(form);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->stepsDone, 1);
  EXPECT_EQ(env.app().MainForm(), form);
  ASSERT_EQ(env.windows().MessageBoxes().size(), 1u);
  const auto& box = env.windows().MessageBoxes()[0].request;
  EXPECT_EQ(box.text, "'2026-13-45' is not a valid date.");
  EXPECT_EQ(box.caption, "Velmora");
  EXPECT_EQ(box.flags, platform::mb::kIconError);
  EXPECT_TRUE(form->HandleAllocated());
}

class ClosingForms : public ::testing::Test {
 protected:
  ClosingForms() {
    env_.app().CreateForm(main_);
    env_.app().CreateForm(other_);
    main_->OnCloseQuery = TCloseQueryEvent([this](TObject*, bool& canClose) {
      ++asked_;
      canClose = env_.app().MessageBox("您确认要退出定时关机软件", "", 36) == kIdYes;
    });
    env_.app().Run();
  }
  testing::HeadlessApp env_;
  TForm* main_ = nullptr;
  TForm* other_ = nullptr;
  int asked_ = 0;
};

TEST_F(ClosingForms, RefusedCloseKeepsTheProgramRunning) {
  env_.windows().ScriptMessageBox(kIdNo);
  env_.windows().UserClose(main_->Handle());
  EXPECT_EQ(asked_, 1);
  EXPECT_FALSE(env_.app().Terminated());
  EXPECT_TRUE(env_.windows().IsVisible(main_->Handle()));
  env_.windows().ScriptMessageBox(kIdYes);
  main_->Close();
  EXPECT_TRUE(env_.app().Terminated());
  EXPECT_EQ(env_.windows().QuitCode(), 0);
}

TEST_F(ClosingForms, ClosingAnotherFormOnlyHidesIt) {
  other_->Show();
  other_->Close();
  EXPECT_FALSE(env_.windows().IsVisible(other_->Handle()));
  EXPECT_FALSE(env_.app().Terminated());
  EXPECT_EQ(asked_, 0);
}

TEST_F(ClosingForms, EndOfSessionIsAnsweredByTheCloseQuery) {
  env_.windows().ScriptMessageBox(kIdNo);
  EXPECT_FALSE(env_.windows().EndSession());
  EXPECT_EQ(asked_, 1);
  env_.windows().ScriptMessageBox(kIdYes);
  EXPECT_TRUE(env_.windows().EndSession());
  EXPECT_EQ(asked_, 2);
}

TEST_F(ClosingForms, MinimisingTheMainFormMinimisesTheProgram) {
  int minimized = 0;
  env_.app().OnMinimize = TNotifyEvent([&](TObject*) { ++minimized; });
  env_.windows().UserMinimize(main_->Handle());
  EXPECT_EQ(minimized, 1);
  EXPECT_TRUE(env_.app().Minimized());
  EXPECT_FALSE(env_.windows().IsVisible(main_->Handle()));
  EXPECT_EQ(main_->WindowState(), TWindowState::wsMinimized);
}

TEST(FreeNotification, ReferencesAreDroppedWhenTheOtherComponentGoes) {
  testing::HeadlessApp env;
  TForm* form = nullptr;
  env.app().CreateForm(form);
  auto* label = new TLabel(form);
  auto* target = new TCustomControl(form);
  label->SetFocusControl(target);
  auto* menu = new TPopupMenu(form);
  auto* item = new TMenuItem(form);
  menu->Add(item);
  delete target;
  delete item;
  EXPECT_EQ(label->FocusControl(), nullptr);
  EXPECT_EQ(menu->Count(), 0);
}

TEST(NativeControls, PickerKeepsTheOtherHalfAndReportsOnlyUserChanges) {
  testing::HeadlessApp env;
  TForm* form = nullptr;
  env.app().CreateForm(form);
  auto* picker = new TDateTimePicker(form);
  picker->SetParent(form);
  int changes = 0;
  picker->OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  picker->SetDateTime(EncodeDate(2026, 3, 4) + EncodeTime(21, 30, 0, 0));
  picker->SetDate(EncodeDate(2027, 1, 2) + EncodeTime(5, 0, 0, 0));
  EXPECT_DOUBLE_EQ(picker->DateTime(), EncodeDate(2027, 1, 2) + EncodeTime(21, 30, 0, 0));
  picker->SetTime(EncodeDate(1999, 9, 9) + EncodeTime(6, 45, 10, 0));
  EXPECT_DOUBLE_EQ(picker->DateTime(), EncodeDate(2027, 1, 2) + EncodeTime(6, 45, 10, 0));
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(env.windows().GetPickerValue(picker->Handle()),
            (platform::LocalTime{2027, 1, 2, 6, 45, 10, 0}));
  env.windows().UserSetPicker(picker->Handle(), platform::LocalTime{2027, 5, 6, 7, 8, 9, 0});
  EXPECT_EQ(changes, 0);  // a hidden picker takes no input
  form->Show();
  env.windows().UserSetPicker(picker->Handle(), platform::LocalTime{2027, 5, 6, 7, 8, 9, 0});
  EXPECT_EQ(changes, 1);
  EXPECT_DOUBLE_EQ(picker->DateTime(), EncodeDate(2027, 5, 6) + EncodeTime(7, 8, 9, 0));
}

TEST(NativeControls, ProgressBarKeepsItsPositionInRange) {
  testing::HeadlessApp env;
  TForm* form = nullptr;
  env.app().CreateForm(form);
  auto* bar = new TProgressBar(form);
  bar->SetParent(form);
  bar->SetMax(29);
  bar->SetStep(1);
  bar->SetPosition(12);
  bar->StepIt();
  EXPECT_EQ(bar->Position(), 13);
  bar->SetPosition(40);
  EXPECT_EQ(bar->Position(), 29);
  auto state = env.windows().Progress(bar->Handle());
  EXPECT_EQ(state.min, 0);
  EXPECT_EQ(state.max, 29);
  EXPECT_EQ(state.position, 29);
}

}  // namespace
}  // namespace tandrel
