// Which inputs the main window shows for each mode and repeat setting, the
// same whether the setting came from the file or from the user's click; and
// each click stores exactly its own key.
#include <gtest/gtest.h>

#include <string>

#include "unit/support/FormTandrelFixture.h"

namespace tandrel::testing {
namespace {

using FormTandrelInputs = FormTandrelFixture;

struct Shown {
  bool date, time, minutes;
  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << "date " << s.date << ", time " << s.time << ", minutes " << s.minutes;
}

// Each input group shows as one: label and input together.
Shown ShownInputs(const TFormTandrel& form) {
  EXPECT_EQ(form.Label2->Visible(), form.DateTimePicker1->Visible());
  EXPECT_EQ(form.Label3->Visible(), form.DateTimePicker2->Visible());
  EXPECT_EQ(form.Label4->Visible(), form.VMFenZhong->Visible());
  return Shown{form.DateTimePicker1->Visible(), form.DateTimePicker2->Visible(),
               form.VMFenZhong->Visible()};
}

struct Case {
  bool atSetTime, repeat;
  Shown shown;
};
constexpr Case kCases[] = {
    {true, false, {true, true, false}},
    {true, true, {false, true, false}},
    {false, false, {false, false, true}},
    {false, true, {false, false, true}},
};

TEST_F(FormTandrelInputs, StoredModeAndRepeatShowTheirInputs) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << "at set time " << c.atSetTime << ", repeat " << c.repeat);
    WriteIni(std::string("[CB]\r\nRBFS=") + (c.atSetTime ? "1" : "0") +
             "\r\nCBCF=" + (c.repeat ? "1" : "0") + "\r\n");
    TFormTandrel& form = Create();
    EXPECT_EQ(ShownInputs(form), c.shown);
    EXPECT_EQ(form.FRepeatRun, c.repeat);
    DropForms();
  }
}

TEST_F(FormTandrelInputs, ClickedModeAndRepeatShowTheSameInputs) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << "at set time " << c.atSetTime << ", repeat " << c.repeat);
    std::filesystem::remove(IniPath());
    TFormTandrel& form = CreateAndShow();
    // From the other end of the table, so that every click changes something.
    form.RBDe->SetChecked(c.atSetTime);
    form.RBDateTime->SetChecked(!c.atSetTime);
    form.CBRepeat->SetChecked(!c.repeat);
    windows().ClickWindow((c.atSetTime ? form.RBDateTime : form.RBDe)->Handle());
    windows().ClickWindow(form.CBRepeat->Handle());
    EXPECT_EQ(ShownInputs(form), c.shown);
    EXPECT_EQ(form.FAtSetTime, c.atSetTime);
    EXPECT_EQ(form.FRepeatRun, c.repeat);
    EXPECT_EQ(Stored("CB", "RBFS"), c.atSetTime ? "1" : "0");
    EXPECT_EQ(Stored("CB", "CBCF"), c.repeat ? "1" : "0");
    DropForms();
  }
}

TEST_F(FormTandrelInputs, EachClickStoresOnlyItsOwnKey) {
  TFormTandrel& form = CreateAndShow();
  windows().ClickWindow(form.CBRepeat->Handle());
  EXPECT_EQ(IniBytes(), "[CB]\r\nCBCF=1\r\n");
  windows().ClickWindow(form.CBRepeat->Handle());
  EXPECT_EQ(IniBytes(), "[CB]\r\nCBCF=0\r\n");
  windows().ClickWindow(form.RBDe->Handle());
  EXPECT_EQ(IniBytes(), "[CB]\r\nCBCF=0\r\nRBFS=0\r\n");
  windows().ClickWindow(form.CBWarn->Handle());
  EXPECT_EQ(IniBytes(), "[CB]\r\nCBCF=0\r\nRBFS=0\r\nWarn=1\r\n");
  windows().ClickWindow(form.RBDormancy->Handle());
  EXPECT_EQ(form.FAction, 6);
  EXPECT_EQ(IniBytes(), "[CB]\r\nCBCF=0\r\nRBFS=0\r\nWarn=1\r\n[Set]\r\nSD=6\r\n");
  // Clicking the checked radio button again changes nothing and writes nothing.
  windows().ClickWindow(form.RBDormancy->Handle());
  EXPECT_EQ(IniBytes(), "[CB]\r\nCBCF=0\r\nRBFS=0\r\nWarn=1\r\n[Set]\r\nSD=6\r\n");
}

}  // namespace
}  // namespace tandrel::testing
