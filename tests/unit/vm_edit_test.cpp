// The numeric edit on the headless platform: reading displayed numbers
// back, formatting, OnChange counts (none while loading), the key filter,
// clamping and reformatting when the focus leaves, refused exits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Form.h"
#include "support/HeadlessApp.h"
#include "widgets/VmButton.h"
#include "widgets/VmEdit.h"

namespace tandrel {
namespace {

using platform::LocaleFormats;

TEST(NumericText, ReadsDisplayedNumbersBack) {
  LocaleFormats formats;  // "." decimal, "," thousands
  struct Case {
    const char* text;
    Extended value;
  };
  const Case cases[] = {
      {"", 0},        {"1,234", 1234}, {"(5)", -5},        {"5-", -5},   {"+7", 7},
      {"1E3", 1000},  {"-1E-3", -0.001L}, {"abc", 0},      {"1E", 0},    {"(1,234)", -1234},
      {"1e-3", 0.001L}, {" 12 ", 12},  {"2.5", 2.5L},     {"1.2.3", 0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(static_cast<double>(ParseNumericText(c.text, formats)), static_cast<double>(c.value), 1e-12)
        << c.text;
  }
  LocaleFormats german;
  german.decimalSeparator = ",";
  german.thousandSeparator = ".";
  EXPECT_NEAR(static_cast<double>(ParseNumericText("1.234,5", german)), 1234.5, 1e-12);
  EXPECT_NEAR(static_cast<double>(ParseNumericText("(0,5)", german)), -0.5, 1e-12);
}

TEST(NumericText, RoundsHalvesToEven) {
  EXPECT_EQ(RoundTiesToEven(2.5L), 2);
  EXPECT_EQ(RoundTiesToEven(3.5L), 4);
  EXPECT_EQ(RoundTiesToEven(-2.5L), -2);
  EXPECT_EQ(RoundTiesToEven(2.4999L), 2);
  EXPECT_EQ(RoundTiesToEven(29.6L), 30);
}

class MinutesField : public ::testing::Test {
 protected:
  MinutesField() {
    env_.app().CreateForm(form_);
    form_->SetClientSize(300, 200);
    // As the main window's stored layout sets the minutes field up.
    form_->BeginLoading();
    edit_ = new TVmNumericEdit(form_);
    edit_->SetBounds(10, 57, 65, 23);
    edit_->SetMin(1);
    edit_->SetMax(10000);
    edit_->SetValue(30);
    edit_->SetFrameVisible(true);
    edit_->OnChange = TNotifyEvent([this](TObject*) { changes_.push_back(edit_->Text()); });
    edit_->OnExit = TNotifyEvent([this](TObject*) { ++exits_; });
    edit_->SetParent(form_);
    other_ = new TVmButton(form_);
    other_->SetBounds(100, 57, 75, 25);
    other_->SetParent(form_);
    form_->EndLoading();
    form_->Show();
    other_->SetFocus();
    exits_ = 0;  // showing the form focused the edit first
  }

  void Type(const std::u32string& chars) {
    for (char32_t c : chars) env_.windows().TypeChar(c);
  }
  // Enters the field (select all) and types over its text.
  void TypeOver(const std::u32string& chars) {
    edit_->SetFocus();
    Type(chars);
  }
  // Ctrl and a letter, as the keyboard sends them: the key, then its character.
  void Ctrl(int key, char32_t ch) {
    env_.windows().KeyDown(key, platform::shift::kCtrl);
    env_.windows().TypeChar(ch, platform::shift::kCtrl);
    env_.windows().KeyUp(key, platform::shift::kCtrl);
  }
  void Leave() {
    other_->SetFocus();
    env_.windows().ProcessPending();
  }
  std::string WindowText() { return env_.windows().GetText(edit_->Handle()); }

  testing::HeadlessApp env_;
  TForm* form_ = nullptr;
  TVmNumericEdit* edit_;
  TVmButton* other_;
  std::vector<std::string> changes_;
  int exits_ = 0;
};

TEST_F(MinutesField, LoadingSetsTheTextWithoutOnChange) {
  EXPECT_TRUE(changes_.empty());
  EXPECT_EQ(edit_->Text(), "30");
  EXPECT_EQ(WindowText(), "30");
  EXPECT_EQ(edit_->IntegerValue(), 30);
  EXPECT_EQ(edit_->Alignment(), TAlignment::taRightJustify);
}

TEST_F(MinutesField, AssigningFiresOnChangeOnlyForADifferentText) {
  edit_->SetIntegerValue(30);
  EXPECT_TRUE(changes_.empty());
  edit_->SetIntegerValue(10);
  EXPECT_EQ(changes_, (std::vector<std::string>{"10"}));
  edit_->SetValue(1234);
  EXPECT_EQ(changes_, (std::vector<std::string>{"10", "1,234"}));
  EXPECT_EQ(WindowText(), "1,234");
  // Assignment neither clamps nor rounds.
  edit_->SetValue(-5);
  EXPECT_EQ(edit_->Text(), "(5)");
  EXPECT_EQ(edit_->Value(), -5);
  EXPECT_EQ(changes_.size(), 3u);
}

TEST_F(MinutesField, LeavingClampsAndReformats) {
  TypeOver(U"0");
  EXPECT_EQ(edit_->Text(), "0");
  EXPECT_EQ(changes_, (std::vector<std::string>{"0"}));
  Leave();
  EXPECT_EQ(edit_->Text(), "1");
  EXPECT_EQ(changes_, (std::vector<std::string>{"0", "1"}));
  EXPECT_EQ(exits_, 1);

  TypeOver(U"12345");
  Leave();
  EXPECT_EQ(edit_->Text(), "10,000");

  TypeOver(U"(5)");
  Leave();
  EXPECT_EQ(edit_->Text(), "1");

  TypeOver(U"250");
  Leave();
  EXPECT_EQ(edit_->Text(), "250");
  EXPECT_EQ(edit_->IntegerValue(), 250);
}

TEST_F(MinutesField, EnteringReformatsAndSelectsAll) {
  edit_->SetText("1234");
  changes_.clear();
  edit_->SetFocus();
  EXPECT_EQ(edit_->Text(), "1,234");
  EXPECT_EQ(changes_, (std::vector<std::string>{"1,234"}));
  EXPECT_EQ(edit_->SelStart(), 0);
  EXPECT_EQ(edit_->SelLength(), 5);
}

TEST_F(MinutesField, ClearingTheFieldReadsAsMinWithANestedChange) {
  std::vector<long long> seen;
  edit_->OnChange = TNotifyEvent([&](TObject*) {
    changes_.push_back(edit_->Text());
    seen.push_back(edit_->IntegerValue());
  });
  TypeOver(U"\b");
  EXPECT_EQ(changes_, (std::vector<std::string>{"", "1"}));
  EXPECT_EQ(seen, (std::vector<long long>{1, 1}));
  EXPECT_EQ(edit_->Text(), "1");
}

TEST_F(MinutesField, TheKeyFilterRefusesWithABeep) {
  edit_->SetFocus();
  edit_->SetSelStart(2);  // caret after "30"
  Type(U"\r");
  Type(U"a .,");
  EXPECT_EQ(edit_->Text(), "30");
  EXPECT_EQ(env_.windows().BeepCount(), 5);
  // A sign in the middle of the number is refused; a digit in front of a
  // leading minus too.
  edit_->SetSelStart(1);
  Type(U"-");
  EXPECT_EQ(edit_->Text(), "30");
  edit_->SetText("-3");
  edit_->SetSelStart(0);
  Type(U"7");
  EXPECT_EQ(edit_->Text(), "-3");
  EXPECT_EQ(env_.windows().BeepCount(), 7);
  // Digits, signs at the front and backspace pass.
  edit_->SetText("3");
  edit_->SetSelStart(0);
  Type(U"-");
  edit_->SetSelStart(2);
  Type(U"5\b6");
  EXPECT_EQ(edit_->Text(), "-36");
  EXPECT_EQ(env_.windows().BeepCount(), 7);
  edit_->SetBeepOnInvalidKey(false);
  Type(U"x");
  EXPECT_EQ(env_.windows().BeepCount(), 7);
  EXPECT_EQ(edit_->Text(), "-36");
}

TEST_F(MinutesField, ASecondDecimalSeparatorIsRefusedWhenDecimalsAreAllowed) {
  edit_->SetIntegersOnly(false);
  edit_->SetFocus();
  edit_->SetText("2");
  edit_->SetSelStart(1);
  Type(U".5.");
  EXPECT_EQ(edit_->Text(), "2.5");
  EXPECT_EQ(env_.windows().BeepCount(), 1);
  // Replacing a selection that holds the separator may bring a new one.
  edit_->SetSelStart(1);
  edit_->SetSelLength(2);
  Type(U".7");
  EXPECT_EQ(edit_->Text(), "2.7");
  EXPECT_EQ(env_.windows().BeepCount(), 1);
}

TEST_F(MinutesField, IntegerValueRoundsHalvesToEven) {
  edit_->SetText("2.5");
  EXPECT_EQ(edit_->IntegerValue(), 2);
  edit_->SetText("3.5");
  EXPECT_EQ(edit_->IntegerValue(), 4);
}

TEST_F(MinutesField, PastesAndCutsKeepToTheKeyFilter) {
  edit_->SetFocus();  // all selected
  env_.windows().SetClipboardText("12a");
  Ctrl('V', 0x16);
  EXPECT_EQ(edit_->Text(), "30");
  EXPECT_EQ(env_.windows().BeepCount(), 1);
  EXPECT_TRUE(changes_.empty());
  // A copied number with its separators goes in, over the selection.
  env_.windows().SetClipboardText("1,234");
  Ctrl('V', 0x16);
  EXPECT_EQ(edit_->Text(), "1,234");
  EXPECT_EQ(changes_, (std::vector<std::string>{"1,234"}));
  // A sign may not end up inside the number.
  env_.windows().SetClipboardText("-");
  Ctrl('V', 0x16);
  EXPECT_EQ(edit_->Text(), "1,234");
  EXPECT_EQ(env_.windows().BeepCount(), 2);
  Ctrl('A', 0x01);
  Ctrl('X', 0x18);
  EXPECT_EQ(edit_->Text(), "");
  EXPECT_EQ(env_.windows().ClipboardText(), "1,234");
  edit_->SetText("45");
  edit_->SetReadOnly(true);
  edit_->SelectAll();
  Ctrl('V', 0x16);
  Ctrl('X', 0x18);
  EXPECT_EQ(edit_->Text(), "45");
}

TEST_F(MinutesField, CtrlASelectsAllAndTypingReplacesIt) {
  edit_->SetFocus();
  edit_->SetSelStart(1);
  Ctrl('A', 0x01);
  EXPECT_EQ(edit_->SelStart(), 0);
  EXPECT_EQ(edit_->SelLength(), 2);
  Type(U"45");
  EXPECT_EQ(edit_->Text(), "45");
  EXPECT_EQ(env_.windows().BeepCount(), 0);
}

TEST_F(MinutesField, UpAndDownStayInTheField) {
  edit_->SetFocus();
  env_.windows().KeyPress(platform::vk::kDown);
  env_.windows().KeyPress(platform::vk::kUp);
  EXPECT_EQ(env_.windows().GetFocus(), edit_->Handle());
  EXPECT_EQ(exits_, 0);
}

TEST_F(MinutesField, SwitchingToAnotherProgramAndBackChangesNothing) {
  TypeOver(U"0");
  edit_->SetSelStart(1);
  env_.windows().ActivateOtherProgram();
  env_.windows().ReturnToProgram();
  EXPECT_EQ(env_.windows().GetFocus(), edit_->Handle());
  EXPECT_EQ(edit_->Text(), "0");
  EXPECT_EQ(edit_->SelLength(), 0);
  EXPECT_EQ(exits_, 0);
  EXPECT_EQ(changes_, (std::vector<std::string>{"0"}));
}

TEST_F(MinutesField, ARangeHandlerCanRefuseTheExit) {
  std::vector<std::pair<Extended, Extended>> reported;
  bool correct = false;
  edit_->OnRangeError = TVmRangeErrorEvent([&](TObject*, Extended entered, Extended adjusted, bool& autoCorrect) {
    reported.emplace_back(entered, adjusted);
    autoCorrect = correct;
  });
  TypeOver(U"20000");
  Leave();
  EXPECT_EQ(env_.windows().GetFocus(), edit_->Handle());
  EXPECT_EQ(edit_->Text(), "20000");
  EXPECT_EQ(exits_, 0);
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0].first, 20000);
  EXPECT_EQ(reported[0].second, 10000);
  // The user corrects the number; now leaving works.
  edit_->SelectAll();
  Type(U"42");
  Leave();
  EXPECT_EQ(env_.windows().GetFocus(), other_->Handle());
  EXPECT_EQ(edit_->Text(), "42");
  EXPECT_EQ(exits_, 1);
  // A handler that lets it correct gets the bound.
  correct = true;
  TypeOver(U"0");
  Leave();
  EXPECT_EQ(edit_->Text(), "1");
}

TEST_F(MinutesField, BoundsFollowEachOtherAndEqualBoundsClampOnlyWhenAsked) {
  TVmNumericEdit* e = new TVmNumericEdit(form_);
  e->SetParent(form_);
  e->SetMin(5);
  EXPECT_EQ(e->Max(), 5);
  e->SetMax(2);
  EXPECT_EQ(e->Min(), 2);
  e->SetMin(0);
  e->SetMax(0);
  e->SetFocus();
  e->SetText("-7");
  other_->SetFocus();
  EXPECT_EQ(e->Text(), "(7)");
  e->SetCheckRange(true);
  e->SetFocus();
  other_->SetFocus();
  EXPECT_EQ(e->Text(), "0");
}

TEST_F(MinutesField, DisplayFormatRewritesTheText) {
  edit_->SetValue(1234);
  changes_.clear();
  edit_->SetDisplayFormat("0");
  EXPECT_EQ(edit_->Text(), "1234");
  EXPECT_EQ(changes_, (std::vector<std::string>{"1234"}));
  edit_->SetDisplayFormat("0");
  EXPECT_EQ(changes_.size(), 1u);
}

TEST_F(MinutesField, BlankAllowedStaysBlank) {
  edit_->SetAllowBlank(true);
  edit_->SetBlankValue(7);
  TypeOver(U"\b");
  EXPECT_EQ(edit_->Value(), 7);
  Leave();
  EXPECT_EQ(edit_->Text(), "");
  EXPECT_EQ(exits_, 1);
}

TEST_F(MinutesField, CaretKeysMoveAndDelete) {
  edit_->SetFocus();
  edit_->SetText("1234");
  edit_->SetSelStart(4);
  env_.windows().KeyPress(platform::vk::kLeft);
  env_.windows().KeyPress(platform::vk::kLeft);
  EXPECT_EQ(edit_->CaretPos(), 2);
  Type(U"\b");
  EXPECT_EQ(edit_->Text(), "134");
  env_.windows().KeyPress(0x2E);  // Delete
  EXPECT_EQ(edit_->Text(), "14");
  env_.windows().KeyPress(0x24);  // Home
  EXPECT_EQ(edit_->CaretPos(), 0);
  env_.windows().KeyPress(0x23);  // End
  EXPECT_EQ(edit_->CaretPos(), 2);
}

TEST_F(MinutesField, ColourFollowsTheState) {
  edit_->SetFocusColor(TColor{0x00FFFF});
  edit_->SetFocus();
  EXPECT_EQ(edit_->Color(), TColor{0x00FFFF});
  Leave();
  EXPECT_EQ(edit_->Color(), clWindow);
  edit_->SetEnabled(false);
  EXPECT_EQ(edit_->Color(), clBtnFace);
  edit_->SetEnabled(true);
  edit_->SetReadOnly(true);
  EXPECT_EQ(edit_->Color(), clInfoBk);
}

}  // namespace
}  // namespace tandrel
