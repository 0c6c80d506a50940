// Handlers that keep the settings fields in step with the controls, show the
// inputs of the chosen mode, confirm closing and connect the tray menu.
#include "app/UnitFormTandrel.h"
#include "framework/Application.h"
#include "framework/DateTimeText.h"

namespace tandrel {

void TFormTandrel::ShowInputsForMode() {
  const bool atSetTime = RBDateTime->Checked();
  const bool dateInputs = atSetTime && !FRepeatRun;
  Label2->SetVisible(dateInputs);
  DateTimePicker1->SetVisible(dateInputs);
  Label3->SetVisible(atSetTime);
  DateTimePicker2->SetVisible(atSetTime);
  VMFenZhong->SetVisible(RBDe->Checked());
  Label4->SetVisible(RBDe->Checked());
}

void TFormTandrel::RBShutdownClick(TObject* sender) {
  if (FLoading) return;
  auto* radio = As<TComponent>(sender);
  if (!radio) return;
  FAction = radio->Tag() - 7;
  SaveSetting(sender);
}

void TFormTandrel::RBDateTimeClick(TObject* sender) {
  ShowInputsForMode();
  if (FLoading) return;
  FAtSetTime = RBDateTime->Checked();
  SaveSetting(sender);
}

void TFormTandrel::CBRepeatClick(TObject* sender) {
  FRepeatRun = CBRepeat->Checked();
  const bool dateInputs = RBDateTime->Checked() && !FRepeatRun;
  Label2->SetVisible(dateInputs);
  DateTimePicker1->SetVisible(dateInputs);
  if (FLoading) return;
  SaveSetting(sender);
}

void TFormTandrel::CBWarnClick(TObject* sender) {
  if (FLoading) return;
  FWarn = CBWarn->Checked();
  SaveSetting(sender);
}

void TFormTandrel::DateTimePicker1Change(TObject* sender) {
  if (FLoading) return;
  FDateText = DateToStr(DateTimePicker1->Date());
  SaveSetting(sender);
}

void TFormTandrel::DateTimePicker2Change(TObject* sender) {
  if (FLoading) return;
  FTimeText = TimeToStr(DateTimePicker2->Time());
  SaveSetting(sender);
}

void TFormTandrel::VMFenZhongChange(TObject* sender) {
  if (FLoading) return;
  FMinutes = static_cast<std::int32_t>(VMFenZhong->IntegerValue());
  SaveSetting(sender);
}

void TFormTandrel::FormCloseQuery(TObject* sender, bool& canClose) {
  (void)sender;
  if (FActionFired) {
    canClose = true;
    return;
  }
  constexpr unsigned kYesNoQuestion = 36;
  constexpr int kIdYes = 6;
  canClose = TApplication::Instance()->MessageBox(FMsgConfirmExit, "", kYesNoQuestion) == kIdYes;
}

void TFormTandrel::NExitClick(TObject* sender) {
  (void)sender;
  Close();
}

void TFormTandrel::NShowClick(TObject* sender) {
  (void)sender;
  TrayIcon->RestoreFromTray();
}

void TFormTandrel::TrayIconRestoreApp(TObject* sender) {
  (void)sender;
  Show();
  BringToFront();
}

}  // namespace tandrel
