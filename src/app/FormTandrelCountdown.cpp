// The armed schedule's one-second tick (label, tray hint, hand-over of the
// last seconds to the warning window, firing), Stop, and executing the action.
#include <charconv>
#include <cstdint>
#include <string>

#include "app/PowerActions.h"
#include "app/Spans.h"
#include "app/UnitFormTandrel.h"
#include "app/UnitFormWarn.h"
#include "platform/Platform.h"

namespace tandrel {

namespace {

void AppendDecimal(std::string& text, std::int32_t value) {
  char digits[12];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  text.append(digits, static_cast<std::size_t>(end - digits));
}

}  // namespace

void TFormTandrel::Timer1Timer(TObject* sender) {
  (void)sender;
  const TDateTime now = Now();
  const CountdownParts parts = SplitSpan(FTarget, now);
  // Built in one buffer kept from tick to tick: a tick allocates no text.
  static std::string text;
  text.assign(FTextUntil).append(FActionName).append(FTextRemain);
  AppendDecimal(text, parts.hours);
  text.append(FTextHours);
  AppendDecimal(text, parts.minutes);
  text.append(FTextMinutes);
  AppendDecimal(text, parts.seconds);
  text.append(FTextSeconds);
  LabInfo->SetCaption(text);
  text.assign(FTrayTitle).append("\r").append(LabInfo->Caption());
  TrayIcon->SetHint(text);

  if (FWarn) {
    const std::int64_t secondsLeft = WholeSecondsApart(FTarget, now);
    if (secondsLeft <= 30) {
      Timer1->SetEnabled(false);
      SetVisible(false);
      FormWarn->FWarnPrefix = "离系统关机还有";
      FormWarn->FWarnSuffix = "秒,请注意保存尚未保存的文件...";
      FormWarn->FSecondsLeft = static_cast<std::int32_t>(secondsLeft);
      FormWarn->Timer1Timer(FormWarn->Timer1);
      FormWarn->Timer1->SetEnabled(true);
      FormWarn->Show();
    }
  }

  if (!(Now() < FTarget) && WholeSecondsApart(FTarget, now) < 5) {
    BTNAtOnce->Click();
  } else if (Timer1->Enabled() && !(now < FTarget) && WholeSecondsApart(FTarget, now) >= 5) {
    // Missed by 5 seconds or more, and not handed to the warning window:
    // nothing will fire any more.
    keepAwake_.Release();
  }
}

void TFormTandrel::BTNStopClick(TObject* sender) {
  (void)sender;
  VmStatusPane1->SetCaption(FTextIdle);
  VmStatusPane2->SetCaption("");
  FActionName.clear();
  LabInfo->SetCaption("");
  TrayIcon->SetHint(FTrayTitle);
  GBOption->SetVisible(true);
  GBSet->SetEnabled(true);
  BTNStart->SetVisible(true);
  BTNStop->SetVisible(false);
  LabInfo->SetVisible(false);
  Timer1->SetEnabled(false);
  keepAwake_.Release();
}

void TFormTandrel::BTNAtOnceClick(TObject* sender) {
  (void)sender;
  // Set first: an action that ends the session must find the window
  // willing to close without asking.
  FActionFired = true;
  ExecutePowerAction(platform::Current().power(), FAction);
}

}  // namespace tandrel
