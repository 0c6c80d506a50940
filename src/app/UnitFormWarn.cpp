// The warning window's stored layout and its two handlers.
#include "app/UnitFormWarn.h"

#include <string>

#include "app/UnitFormTandrel.h"

namespace tandrel {

void TFormWarn::CreateLayout() {
  SetName("FormWarn");
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetPosition(TPosition::poScreenCenter);
  SetColor(clBtnFace);
  Font().SetName("Arial");
  Font().SetHeight(-11);
  SetClientSize(418, 115);
  SetVisible(false);

  LabSec = new TLabel(this);
  LabSec->SetName("LabSec");
  LabSec->SetParent(this);
  LabSec->SetBounds(10, 12, 400, 16);
  LabSec->SetAutoSize(false);
  LabSec->SetAlignment(TAlignment::taCenter);
  LabSec->Font().SetName("Arial");
  LabSec->Font().SetHeight(-12);
  LabSec->Font().SetBold(true);
  LabSec->Font().SetColor(clRed);

  ProgressBar1 = new TProgressBar(this);
  ProgressBar1->SetName("ProgressBar1");
  ProgressBar1->SetParent(this);
  ProgressBar1->SetBounds(10, 40, 397, 28);
  ProgressBar1->SetMin(0);
  ProgressBar1->SetMax(29);
  ProgressBar1->SetPosition(0);
  ProgressBar1->SetSmooth(true);

  BTNCancel = new TVmBitBtn(this);
  BTNCancel->SetName("BTNCancel");
  BTNCancel->SetParent(this);
  BTNCancel->SetBounds(161, 77, 99, 30);
  BTNCancel->SetCaption("取消");
  BTNCancel->SetColor(14542566);
  BTNCancel->SetHighlightColor(16026986);
  BTNCancel->SetHotTrack(true);
  BTNCancel->SetHotTrackColor(3983359);

  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetEnabled(false);
}

TFormWarn::TFormWarn(TComponent* owner) : TForm(owner) {
  // Hidden until a countdown's last seconds, which most runs never reach.
  CreateWindowWhenShown();
  BeginLoading();
  CreateLayout();
  LoadPictures();
  EndLoading();
  BTNCancel->OnClick = TNotifyEvent(this, &TFormWarn::BTNCancelClick);
  Timer1->SetOnTimer(TNotifyEvent(this, &TFormWarn::Timer1Timer));
}

void TFormWarn::Timer1Timer(TObject* sender) {
  (void)sender;
  if (FSecondsLeft == 0) {
    Timer1->SetEnabled(false);
    FormTandrel->BTNAtOnce->Click();
    FormTandrel->ReleaseKeepAwake();
    return;
  }
  ProgressBar1->SetPosition(30 - FSecondsLeft);
  LabSec->SetCaption(FWarnPrefix + std::to_string(FSecondsLeft) + FWarnSuffix);
  FSecondsLeft = FSecondsLeft - 1;
}

void TFormWarn::BTNCancelClick(TObject* sender) {
  (void)sender;
  Timer1->SetEnabled(false);
  FormTandrel->BTNStop->Click();
  FormTandrel->SetVisible(true);
  FormTandrel->Show();
  Close();
}

}  // namespace tandrel
