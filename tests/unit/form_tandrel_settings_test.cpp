// Reading and repairing Tandrel.ini when the main window is created, and the
// one key each control writes.
#include <gtest/gtest.h>

#include <string>

#include "framework/DateTimeText.h"
#include "framework/Exceptions.h"
#include "unit/support/FormTandrelFixture.h"

namespace tandrel::testing {
namespace {

// The headless platform with profile files that read normally but refuse
// every write, as a read-only settings file does for a user without rights.
class WriteRefusingPlatform final : public platform::Platform {
 public:
  explicit WriteRefusingPlatform(platform::HeadlessPlatform& inner) : inner_(inner), files_(inner) {}
  platform::Clock& clock() override { return inner_.clock(); }
  platform::ProfileFiles& profileFiles() override { return files_; }
  platform::Registry& registry() override { return inner_.registry(); }
  platform::Locale& locale() override { return inner_.locale(); }
  platform::Mutexes& mutexes() override { return inner_.mutexes(); }
  platform::Process& process() override { return inner_.process(); }
  platform::Painting& painting() override { return inner_.painting(); }
  platform::Power& power() override { return inner_.power(); }
  platform::Shell& shell() override { return inner_.shell(); }
  platform::WindowSystem& windows() override { return inner_.windows(); }
  int refusedWrites() const { return files_.refused; }

 private:
  struct ReadOnlyFiles final : platform::ProfileFiles {
    explicit ReadOnlyFiles(platform::HeadlessPlatform& p) : inner(p) {}
    std::string ReadString(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& defaultValue,
                           std::size_t bufferSize) override {
      return inner.profileFiles().ReadString(path, section, key, defaultValue, bufferSize);
    }
    bool WriteString(const std::string&, const std::string&, const std::string&,
                     const std::string&) override {
      ++refused;
      return false;
    }
    platform::HeadlessPlatform& inner;
    int refused = 0;
  };
  platform::HeadlessPlatform& inner_;
  ReadOnlyFiles files_;
};

using FormTandrelSettings = FormTandrelFixture;

TEST_F(FormTandrelSettings, NoFileStartsAtSetTimeWithTodayNowThirtyMinutesShutdown) {
  TFormTandrel& form = Create();
  EXPECT_TRUE(form.RBDateTime->Checked());
  EXPECT_FALSE(form.RBDe->Checked());
  EXPECT_TRUE(form.FAtSetTime);
  EXPECT_EQ(form.FDateText, "2026/3/10");
  EXPECT_EQ(form.FTimeText, "10:00:00");
  EXPECT_EQ(form.DateTimePicker1->Date(), EncodeDate(2026, 3, 10));
  EXPECT_EQ(DecodeTime(form.DateTimePicker2->Time()), (TimeParts{10, 0, 0, 0}));
  EXPECT_EQ(form.FMinutes, 30);
  EXPECT_EQ(form.VMFenZhong->IntegerValue(), 30);
  EXPECT_EQ(form.FAction, 1);
  EXPECT_TRUE(form.RBShutdown->Checked());
  EXPECT_FALSE(form.CBAutoRun->Checked());
  EXPECT_FALSE(form.CBRepeat->Checked());
  EXPECT_FALSE(form.CBWarn->Checked());
  EXPECT_TRUE(form.DateTimePicker1->Visible());
  EXPECT_TRUE(form.DateTimePicker2->Visible());
  EXPECT_FALSE(form.VMFenZhong->Visible());
  EXPECT_FALSE(form.FLoading);
  // Defaults are not past moments: nothing needed writing.
  EXPECT_FALSE(std::filesystem::exists(IniPath()));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(FormTandrelSettings, YesterdaysDateBecomesTodayInFieldPickerAndFile) {
  WriteIni("[Set]\r\nRQ=2026/3/9\r\nSJ=23:00:00\r\n");
  TFormTandrel& form = Create();
  EXPECT_EQ(form.FDateText, "2026/3/10");
  EXPECT_EQ(Stored("Set", "RQ"), "2026/3/10");
  EXPECT_EQ(form.DateTimePicker1->Date(), EncodeDate(2026, 3, 10));
  EXPECT_EQ(form.FTimeText, "23:00:00");
  EXPECT_EQ(Stored("Set", "SJ"), "23:00:00");
}

TEST_F(FormTandrelSettings, FutureDateStaysAsStored) {
  WriteIni("[Set]\r\nRQ=2026/3/13\r\nSJ=08:00:00\r\n");
  TFormTandrel& form = Create();
  EXPECT_EQ(form.FDateText, "2026/3/13");
  EXPECT_EQ(form.FTimeText, "08:00:00");
  EXPECT_EQ(form.DateTimePicker1->Date(), EncodeDate(2026, 3, 13));
  EXPECT_EQ(DecodeTime(form.DateTimePicker2->Time()), (TimeParts{8, 0, 0, 0}));
}

TEST_F(FormTandrelSettings, PastTimeOfTodayIsRepairedOnlyWithDateInputShown) {
  struct Case {
    const char* cb;
    bool repaired;
  } cases[] = {
      {"", true},                     // at a set time, repeat run off
      {"CBCF=1\r\n", false},          // repeat run hides the date input
      {"RBFS=0\r\n", false},          // countdown mode
      {"RBFS=0\r\nCBCF=1\r\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cb);
    DropForms();
    WriteIni(std::string("[CB]\r\n") + c.cb + "[Set]\r\nRQ=2026/3/10\r\nSJ=09:00:00\r\n");
    TFormTandrel& form = Create();
    EXPECT_EQ(form.FTimeText, c.repaired ? "10:00:00" : "09:00:00");
    EXPECT_EQ(Stored("Set", "SJ"), c.repaired ? "10:00:00" : "09:00:00");
    EXPECT_EQ(DecodeTime(form.DateTimePicker2->Time()).hour, c.repaired ? 10 : 9);
  }
}

TEST_F(FormTandrelSettings, TimeCountsOnlyToTheSecondsTheTextShows) {
  // 10:00:00 stored, clock at 10:00:00.250: not earlier at that precision.
  WriteIni("[Set]\r\nRQ=2026/3/10\r\nSJ=10:00:00\r\n");
  Create();
  EXPECT_EQ(Stored("Set", "SJ"), "10:00:00");
  EXPECT_EQ(IniBytes(), "[Set]\r\nRQ=2026/3/10\r\nSJ=10:00:00\r\n");
}

TEST_F(FormTandrelSettings, IntegersAndBooleansReadAsTheIniClassReadsThem) {
  WriteIni("[CB]\r\nAutoRun=5\r\nRBFS=abc\r\nWarn=0x\r\n[Set]\r\nFZ=abc\r\n");
  TFormTandrel& form = Create();
  EXPECT_TRUE(form.FAutoRun);
  EXPECT_TRUE(form.CBAutoRun->Checked());
  EXPECT_TRUE(form.FAtSetTime);  // unreadable: the default 1
  EXPECT_FALSE(form.FWarn);      // "0x" is too short to be hexadecimal: the default
  EXPECT_EQ(form.FMinutes, 30);

  WriteIni("[Set]\r\nFZ=0x1E\r\nSD=$3\r\n");
  DropForms();
  TFormTandrel& again = Create();
  EXPECT_EQ(again.FMinutes, 30);
  EXPECT_EQ(again.FAction, 3);
  EXPECT_TRUE(again.RBRestart->Checked());
  EXPECT_FALSE(again.RBShutdown->Checked());
}

TEST_F(FormTandrelSettings, StoredActionChecksItsButtonAndUnknownCodesKeepShutdown) {
  struct Case {
    const char* sd;
    int action;
    TVmRadioButton* TFormTandrel::*checked;
  } cases[] = {{"5", 5, &TFormTandrel::RBStandby},
               {"6", 6, &TFormTandrel::RBDormancy},
               {"2", 2, &TFormTandrel::RBLogoff},
               {"9", 9, &TFormTandrel::RBShutdown},
               {"0", 0, &TFormTandrel::RBShutdown},
               {"-1", -1, &TFormTandrel::RBShutdown}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sd);
    DropForms();
    WriteIni(std::string("[Set]\r\nSD=") + c.sd + "\r\n");
    TFormTandrel& form = Create();
    EXPECT_EQ(form.FAction, c.action);
    int checkedCount = 0;
    for (TVmRadioButton* radio : {form.RBShutdown, form.RBLogoff, form.RBRestart, form.RBForce,
                                  form.RBStandby, form.RBDormancy}) {
      checkedCount += radio->Checked() ? 1 : 0;
    }
    EXPECT_EQ(checkedCount, 1);
    EXPECT_TRUE((form.*(c.checked))->Checked());
    // Loading never writes the action back.
    EXPECT_EQ(Stored("Set", "SD"), c.sd);
  }
}

TEST_F(FormTandrelSettings, ModeAndRepeatDecideWhichInputsShow) {
  WriteIni("[CB]\r\nCBCF=1\r\n");
  TFormTandrel& form = Create();
  EXPECT_FALSE(form.DateTimePicker1->Visible());
  EXPECT_FALSE(form.Label2->Visible());
  EXPECT_TRUE(form.DateTimePicker2->Visible());
  EXPECT_TRUE(form.Label3->Visible());
  EXPECT_FALSE(form.VMFenZhong->Visible());

  form.RBDe->SetChecked(true);
  EXPECT_FALSE(form.DateTimePicker2->Visible());
  EXPECT_TRUE(form.VMFenZhong->Visible());
  EXPECT_TRUE(form.Label4->Visible());
  EXPECT_EQ(Stored("CB", "RBFS"), "0");
  form.CBRepeat->SetChecked(false);  // no visibility change in countdown mode
  EXPECT_FALSE(form.DateTimePicker1->Visible());
  EXPECT_EQ(Stored("CB", "CBCF"), "0");
  form.RBDateTime->SetChecked(true);
  EXPECT_TRUE(form.DateTimePicker1->Visible());
  EXPECT_FALSE(form.VMFenZhong->Visible());
  EXPECT_EQ(Stored("CB", "RBFS"), "1");
}

TEST_F(FormTandrelSettings, TagTwelveWritesWarnFromTheBoxAndSdFromStandby) {
  TFormTandrel& form = CreateAndShow();
  ASSERT_EQ(form.RBStandby->Tag(), 12);
  ASSERT_EQ(form.CBWarn->Tag(), 12);
  form.RBStandby->SetChecked(true);
  EXPECT_EQ(form.FAction, 5);
  EXPECT_EQ(Stored("Set", "SD"), "5");
  EXPECT_EQ(Stored("CB", "Warn"), "<absent>");
  form.CBWarn->SetChecked(true);
  EXPECT_TRUE(form.FWarn);
  EXPECT_EQ(Stored("CB", "Warn"), "1");
  EXPECT_EQ(Stored("Set", "SD"), "5");
  form.RBDormancy->SetChecked(true);
  EXPECT_EQ(Stored("Set", "SD"), "6");
  EXPECT_EQ(Stored("CB", "Warn"), "1");
}

TEST_F(FormTandrelSettings, MinutesAndPickersWriteTheirKeyAtOnce) {
  TFormTandrel& form = CreateAndShow();
  form.RBDe->SetChecked(true);
  form.VMFenZhong->SetIntegerValue(45);
  EXPECT_EQ(form.FMinutes, 45);
  EXPECT_EQ(Stored("Set", "FZ"), "45");

  form.RBDateTime->SetChecked(true);
  windows().UserSetPicker(form.DateTimePicker1->Handle(),
                          platform::LocalTime{2026, 4, 1, 10, 0, 0, 0});
  EXPECT_EQ(form.FDateText, "2026/4/1");
  EXPECT_EQ(Stored("Set", "RQ"), "2026/4/1");
  windows().UserSetPicker(form.DateTimePicker2->Handle(),
                          platform::LocalTime{2026, 3, 10, 21, 5, 9, 0});
  EXPECT_EQ(form.FTimeText, "21:05:09");
  EXPECT_EQ(Stored("Set", "SJ"), "21:05:09");
}

TEST_F(FormTandrelSettings, LoadingWritesNothingBesidesRepairs) {
  const std::string file =
      "[CB]\r\nAutoRun=1\r\nRBFS=0\r\nCBCF=1\r\nWarn=1\r\n"
      "[Set]\r\nRQ=2026/3/12\r\nSJ=07:00:00\r\nFZ=45\r\nSD=6\r\n";
  WriteIni(file);
  TFormTandrel& form = Create();
  EXPECT_TRUE(form.CBAutoRun->Checked());
  EXPECT_TRUE(form.RBDe->Checked());
  EXPECT_TRUE(form.CBRepeat->Checked());
  EXPECT_TRUE(form.CBWarn->Checked());
  EXPECT_TRUE(form.RBDormancy->Checked());
  EXPECT_EQ(form.VMFenZhong->IntegerValue(), 45);
  EXPECT_EQ(IniBytes(), file);
}

TEST_F(FormTandrelSettings, TextsOfAnotherRegionalFormatAreHealedAndTheFirstIsToldOnceSetUp) {
  platform::LocaleFormats german;
  german.shortDate = "dd.MM.yyyy";
  german.dateSeparator = ".";
  env_.platform().locale().SetFormats(german);
  WriteIni("[CB]\r\nWarn=1\r\n[Set]\r\nRQ=2026/3/12\r\nSJ=abc\r\nFZ=45\r\n");
  // What the window holds while the box shows: the set-up is complete.
  bool completeAtBox = false;
  windows().ScriptMessageBox([&](const platform::MessageBoxRequest&) {
    completeAtBox = !FormTandrel->FLoading && FormTandrel->Caption() == "Velmora V2.9(定时关机)" &&
                    FormTandrel->VmStatusPane1->Caption() == "无定时任务" &&
                    FormTandrel->CBWarn->Checked() && FormTandrel->FTextIdle == "无定时任务";
    return platform::mb::kIdOk;
  });
  TFormTandrel& form = Create();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].request.text, "'2026/3/12' is not a valid date.");
  EXPECT_EQ(Boxes()[0].request.caption, "Velmora");
  EXPECT_EQ(Boxes()[0].request.flags, platform::mb::kOk | platform::mb::kIconError);
  EXPECT_TRUE(completeAtBox);
  EXPECT_EQ(form.FDateText, "10.03.2026");
  EXPECT_EQ(Stored("Set", "RQ"), "10.03.2026");
  EXPECT_EQ(form.FTimeText, "10:00:00");
  EXPECT_EQ(Stored("Set", "SJ"), "10:00:00");
  // Every later step still ran.
  EXPECT_EQ(form.VMFenZhong->IntegerValue(), 45);
  EXPECT_TRUE(form.CBWarn->Checked());
  EXPECT_FALSE(form.FLoading);
  EXPECT_EQ(form.Caption(), "Velmora V2.9(定时关机)");
  EXPECT_EQ(form.VmStatusPane1->Caption(), "无定时任务");
  EXPECT_EQ(Stored("Set", "FZ"), "45");
  EXPECT_EQ(Stored("CB", "Warn"), "1");
}

TEST_F(FormTandrelSettings, UnreadableDateOrTimeIsToldOnceAndArmsNothingUntilTheUserPressesStart) {
  struct Case {
    const char* file;
    const char* told;
  } cases[] = {
      {"[CB]\r\nCBCF=1\r\n[Set]\r\nRQ=3/12/2026\r\nSJ=23:00:00\r\n",
       "'3/12/2026' is not a valid date."},
      {"[CB]\r\nCBCF=1\r\n[Set]\r\nRQ=2026/3/12\r\nSJ=11 PM\r\n", "'11 PM' is not a valid time."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    DropForms();
    WriteIni(c.file);
    const std::size_t boxesBefore = Boxes().size();
    TFormTandrel& form = CreateAndShow();  // the first activation
    ASSERT_EQ(Boxes().size(), boxesBefore + 1);
    EXPECT_EQ(Boxes().back().request.text, c.told);
    EXPECT_EQ(Boxes().back().request.flags, platform::mb::kOk | platform::mb::kIconError);
    EXPECT_FALSE(form.Timer1->Enabled());
    // The warning window hands the focus back: still nothing armed, no box.
    FormWarn->Show();
    form.Show();
    EXPECT_FALSE(form.Timer1->Enabled());
    EXPECT_EQ(Boxes().size(), boxesBefore + 1);
    // The user's own press arms, and from then on activations do again.
    windows().ClickWindow(form.BTNStart->Handle());
    ASSERT_TRUE(form.Timer1->Enabled());
    form.BTNStop->Click();
    app().Restore();
    FormWarn->Show();
    form.Show();
    EXPECT_TRUE(form.Timer1->Enabled());
    EXPECT_EQ(Boxes().size(), boxesBefore + 1);
  }
}

TEST_F(FormTandrelSettings, MinutesOutsideTheFieldsRangeAreClampedAndTheFileKeepsItsText) {
  struct Case {
    const char* stored;
    int minutes;
  } cases[] = {{"0", 1}, {"-5", 1}, {"20000", 10000}, {"10000", 10000}, {"1", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    DropForms();
    WriteIni(std::string("[CB]\r\nRBFS=0\r\n[Set]\r\nFZ=") + c.stored + "\r\n");
    TFormTandrel& form = CreateAndShow();
    EXPECT_EQ(form.VMFenZhong->IntegerValue(), c.minutes);
    EXPECT_EQ(form.FMinutes, c.minutes);
    EXPECT_EQ(Stored("Set", "FZ"), c.stored);
  }
  // 0 minutes no longer fires at the first tick after Start.
  DropForms();
  WriteIni("[CB]\r\nRBFS=0\r\n[Set]\r\nFZ=0\r\n");
  TFormTandrel& form = CreateAndShow();
  form.BTNStart->Click();
  windows().AdvanceIdle(1000);
  EXPECT_TRUE(env_.platform().power().calls.empty());
  EXPECT_EQ(DecodeDateTime(form.FTarget), (DateTimeParts{{2026, 3, 10}, {10, 1, 0, 250}}));
}

TEST_F(FormTandrelSettings, HostileFilesNeverStopTheStart) {
  const std::string files[] = {
      std::string("\0\xff\xfe\x01[Set\r\nRQ\0=\xff\r\n", 17),
      "[Set]\r\nFZ=99999999999999999999\r\nSD=2147483648\r\n",
      "[Set]\r\nFZ=7\r\nFZ=8\r\n[Set]\r\nSD=2\r\n",
      "[Set]\r\nRQ=" + std::string(5000, '2') + "\r\nSJ=" + std::string(3000, ':') + "\r\n",
      "[CB]\r\n[Set]\r\nRQ=\r\nSJ=\r\n",
      "RQ=2026/3/9\r\nSJ=1:00:00\r\n",  // keys outside any section
  };
  for (const std::string& file : files) {
    DropForms();
    WriteIni(file);
    const std::size_t boxesBefore = Boxes().size();
    TFormTandrel& form = Create();
    EXPECT_FALSE(form.FLoading);
    EXPECT_EQ(form.Caption(), "Velmora V2.9(定时关机)");
    EXPECT_TRUE(TryStrToDate(form.FDateText, platform::LocaleFormats{}).has_value());
    EXPECT_TRUE(TryStrToTime(form.FTimeText, platform::LocaleFormats{}).has_value());
    // At most the one conversion error of an unreadable date or time.
    ASSERT_LE(Boxes().size(), boxesBefore + 1);
    if (Boxes().size() > boxesBefore) {
      EXPECT_NE(Boxes().back().request.text.find("' is not a valid "), std::string::npos);
    }
  }
}

TEST_F(FormTandrelSettings, DuplicateKeysReadTheFirstAndOtherSettingsSurviveARepair) {
  WriteIni("[CB]\r\nWarn=1\r\n[Set]\r\nFZ=7\r\nFZ=8\r\nRQ=garbage\r\nSD=4\r\n");
  TFormTandrel& form = Create();
  EXPECT_EQ(form.FMinutes, 7);
  EXPECT_EQ(Stored("Set", "RQ"), "2026/3/10");
  EXPECT_EQ(Stored("Set", "SD"), "4");
  EXPECT_EQ(Stored("CB", "Warn"), "1");
}

TEST_F(FormTandrelSettings, RefusedRepairIsReportedOnceTheWindowIsCompletelySetUp) {
  const std::string file =
      "[CB]\r\nWarn=1\r\n[Set]\r\nRQ=2026/3/9\r\nSJ=09:00:00\r\nFZ=45\r\nSD=4\r\n";
  WriteIni(file);
  WriteRefusingPlatform readOnly(env_.platform());
  platform::Install(&readOnly);
  TFormTandrel& form = Create();
  platform::Install(&env_.platform());
  EXPECT_EQ(readOnly.refusedWrites(), 2);  // RQ and SJ were both tried
  // One error box, after every step of the set-up ran.
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].request.text, "Unable to write to " + IniPath().string() + ".");
  EXPECT_EQ(Boxes()[0].request.flags, platform::mb::kOk | platform::mb::kIconError);
  EXPECT_EQ(form.FDateText, "2026/3/10");
  EXPECT_EQ(form.FTimeText, "10:00:00");
  EXPECT_EQ(form.VMFenZhong->IntegerValue(), 45);
  EXPECT_TRUE(form.RBForce->Checked());
  EXPECT_TRUE(form.CBWarn->Checked());
  EXPECT_FALSE(form.FLoading);
  EXPECT_EQ(form.Caption(), "Velmora V2.9(定时关机)");
  EXPECT_EQ(form.VmStatusPane1->Caption(), "无定时任务");
  EXPECT_EQ(IniBytes(), file);
}

TEST_F(FormTandrelSettings, RefusedSaveKeepsTheNewFieldAndRaisesTheWriteError) {
  TFormTandrel& form = CreateAndShow();
  form.RBDe->SetChecked(true);
  env_.platform().profileFiles().Lock(IniPath().string());
  EXPECT_THROW(form.VMFenZhong->SetIntegerValue(12), EIniFileException);
  EXPECT_EQ(form.FMinutes, 12);
  env_.platform().profileFiles().Unlock(IniPath().string());
}

}  // namespace
}  // namespace tandrel::testing
