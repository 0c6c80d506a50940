// When a form's OnActivate fires: the program's focus comes to it from
// another of its windows or from none (first showing, the return from
// another form, the closing of a plain message box), but not after a
// platform message box or the error box, not on switching back from another
// program and not on a restore from the tray.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Form.h"
#include "support/HeadlessApp.h"

namespace tandrel {
namespace {

using platform::mb::kIdNo;
using platform::mb::kIdOk;
using platform::mb::kIdYes;

class LoggingForm : public TForm {
 public:
  LoggingForm(TComponent* owner, std::vector<std::string>* log, std::string name)
      : TForm(owner), log_(log), name_(std::move(name)) {
    SetClientSize(200, 100);
    OnActivate = TNotifyEvent([this](TObject*) { log_->push_back(name_ + ".activate"); });
    OnDeactivate = TNotifyEvent([this](TObject*) { log_->push_back(name_ + ".deactivate"); });
  }

 private:
  std::vector<std::string>* log_;
  std::string name_;
};

class FormActivation : public ::testing::Test {
 protected:
  FormActivation() {
    env_.app().CreateForm(main_, &log_, "main");
    env_.app().CreateForm(warn_, &log_, "warn");
  }
  int Count(const std::string& entry) const {
    return static_cast<int>(std::count(log_.begin(), log_.end(), entry));
  }

  testing::HeadlessApp env_;
  std::vector<std::string> log_;
  LoggingForm* main_;
  LoggingForm* warn_;
};

TEST_F(FormActivation, FirstShowingActivatesOnce) {
  main_->Show();
  EXPECT_EQ(log_, (std::vector<std::string>{"main.activate"}));
  EXPECT_TRUE(env_.windows().IsVisible(main_->Handle()));
  EXPECT_EQ(env_.windows().GetActiveWindow(), main_->Handle());
  main_->Show();  // already the focused form
  EXPECT_EQ(Count("main.activate"), 1);
}

TEST_F(FormActivation, TakingTheFocusBackFromAnotherFormActivates) {
  main_->Show();
  main_->Hide();
  warn_->Show();
  main_->Show();
  EXPECT_EQ(log_, (std::vector<std::string>{"main.activate", "main.deactivate", "warn.activate",
                                            "warn.deactivate", "main.activate"}));
}

TEST_F(FormActivation, PlainMessageBoxClosingActivatesTheFormAgain) {
  main_->Show();
  log_.clear();
  env_.windows().ScriptMessageBox(kIdOk);
  env_.app().ShowPlainMessage("text");
  EXPECT_EQ(log_, (std::vector<std::string>{"main.deactivate", "main.activate"}));
  ASSERT_EQ(env_.windows().MessageBoxes().size(), 1u);
  EXPECT_EQ(env_.windows().MessageBoxes()[0].request.caption, "Velmora");
  EXPECT_EQ(env_.windows().MessageBoxes()[0].request.flags, 0u);
}

TEST_F(FormActivation, PlatformMessageBoxAndErrorBoxDoNotActivate) {
  main_->Show();
  log_.clear();
  env_.windows().ScriptMessageBox(kIdNo);
  EXPECT_EQ(env_.app().MessageBox("sure?", "", 36), kIdNo);
  env_.windows().ScriptMessageBox(kIdOk);
  env_.app().HandleException(std::make_exception_ptr(std::runtime_error("bad value")));
  EXPECT_TRUE(log_.empty());
  ASSERT_EQ(env_.windows().MessageBoxes().size(), 2u);
  const auto& error = env_.windows().MessageBoxes()[1].request;
  EXPECT_EQ(error.text, "bad value.");
  EXPECT_EQ(error.caption, "Velmora");
  EXPECT_EQ(error.flags, platform::mb::kIconError | platform::mb::kOk);
  // The activation is back where it was.
  EXPECT_EQ(env_.windows().GetActiveWindow(), main_->Handle());
}

TEST_F(FormActivation, SwitchingBackFromAnotherProgramDoesNotActivate) {
  main_->Show();
  log_.clear();
  env_.windows().ActivateOtherProgram();
  EXPECT_FALSE(env_.windows().GetActiveWindow());
  env_.windows().ReturnToProgram();
  EXPECT_EQ(env_.windows().GetActiveWindow(), main_->Handle());
  EXPECT_TRUE(log_.empty());
}

TEST_F(FormActivation, RestoreAfterMinimiseDoesNotActivate) {
  env_.app().Run();
  EXPECT_EQ(env_.app().MainForm(), main_);
  log_.clear();
  int minimized = 0, restored = 0;
  env_.app().OnMinimize = TNotifyEvent([&](TObject*) { ++minimized; });
  env_.app().OnRestore = TNotifyEvent([&](TObject*) { ++restored; });
  env_.app().Minimize();
  env_.app().Minimize();  // already minimised: nothing
  EXPECT_EQ(minimized, 1);
  EXPECT_FALSE(env_.windows().IsVisible(main_->Handle()));
  env_.app().Restore();
  env_.app().Restore();
  EXPECT_EQ(restored, 1);
  EXPECT_TRUE(env_.windows().IsVisible(main_->Handle()));
  EXPECT_TRUE(log_.empty());
}

TEST_F(FormActivation, TheTaskbarButtonMinimisesAndRestoresTheProgram) {
  env_.app().Run();
  log_.clear();
  int minimized = 0, restored = 0;
  env_.app().OnMinimize = TNotifyEvent([&](TObject*) { ++minimized; });
  env_.app().OnRestore = TNotifyEvent([&](TObject*) { ++restored; });
  env_.windows().UserMinimize(env_.app().Handle());
  EXPECT_EQ(minimized, 1);
  EXPECT_FALSE(env_.windows().IsVisible(main_->Handle()));
  env_.windows().UserRestore(env_.app().Handle());
  EXPECT_EQ(restored, 1);
  EXPECT_TRUE(env_.windows().IsVisible(main_->Handle()));
  EXPECT_TRUE(log_.empty());
}

TEST_F(FormActivation, ErrorInOnActivateGoesToTheErrorBox) {
  main_->OnActivate = TNotifyEvent([](TObject*) { throw std::runtime_error("broken"); });
  env_.windows().ScriptMessageBox(kIdOk);
  main_->Show();
  ASSERT_EQ(env_.windows().MessageBoxes().size(), 1u);
  EXPECT_EQ(env_.windows().MessageBoxes()[0].request.text, "broken.");
  EXPECT_TRUE(env_.windows().IsVisible(main_->Handle()));
}

}  // namespace
}  // namespace tandrel
