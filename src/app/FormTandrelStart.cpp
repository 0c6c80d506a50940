// Arming a schedule: the Start button turns the settings into a target
// moment and an action name, shows the armed look, starts the one-second
// timer and hides the program to the tray.
#include <cstdint>
#include <string>

#include "app/UnitFormTandrel.h"
#include "framework/DateTimeText.h"

namespace tandrel {

void TFormTandrel::BTNStartClick(TObject* sender) {
  (void)sender;
  if (!activationPress_) autoStartHeld_ = false;  // the user has chosen to arm
  // Starting at logon with repeat run would shut the computer down right
  // after every start when the countdown is this short.
  if (FAutoRun && FRepeatRun && FMinutes <= 5) {
    ShowStartMessage(FMsgCountdownTooShort);
    VMFenZhong->SetIntegerValue(10);
    return;
  }

  const bool atSetTime = RBDateTime->Checked();
  if (atSetTime && !DateTimePicker1->Visible()) {
    // With repeat run the date follows the clock: today, or tomorrow once
    // today's moment has passed. A date before today means the program ran
    // past midnight (a suspend in the evening): the daily schedule goes on
    // from today.
    const TDateTime today = StrToDate(DateToStr(Now()));
    const TDateTime storedDate = StrToDate(FDateText);
    if (!(storedDate > today)) {
      const TDateTime clock = StrToTime(TimeToStr(Now()));
      if (StrToTime(FTimeText) < clock) {
        FDateText = DateToStr(IncDay(Now(), 1));
        DateTimePicker1->SetDate(StrToDate(FDateText));
      } else if (storedDate < today) {
        FDateText = DateToStr(today);
        DateTimePicker1->SetDate(today);
      }
    }
  }

  TDateTime target = 0;
  if (atSetTime) {
    DateTimePicker1->SetTime(StrToTime(FTimeText));
    const TDateTime candidate = DateTimePicker1->DateTime();
    if (Now() > candidate) {
      ShowStartMessage(FMsgTimeExpired);
      return;
    }
    target = candidate;
  } else {
    const auto minutes = static_cast<std::int32_t>(VMFenZhong->IntegerValue());
    target = Now() + static_cast<double>(minutes) / 1440.0;
  }
  // A countdown far below zero minutes (from a hand-edited file) gives a
  // moment before year 1 that has no text: refuse it before anything of
  // the armed state is set, so the window stays consistently idle.
  const std::string targetText = DateTimeToStr(target);
  FTarget = target;

  if (FAction >= 1 && FAction <= 6) FActionName = FActionNames[static_cast<std::size_t>(FAction)];
  VmStatusPane1->SetCaption(FTextRunning);
  VmStatusPane2->SetCaption(FActionName + ":" + targetText);

  GBOption->SetVisible(false);
  GBSet->SetEnabled(false);
  BTNStart->SetVisible(false);
  BTNStop->SetVisible(true);
  LabInfo->SetVisible(true);
  if (!Timer1->Enabled()) Timer1->SetEnabled(true);
  keepAwake_.Hold();
  TrayIcon->MinimizeToTray();
}

}  // namespace tandrel
