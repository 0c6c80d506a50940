// The final warning window: counts the last seconds before the action with a
// red sentence and a filling bar, executes the action when the count runs
// out and offers Cancel, which disarms the schedule.
#pragma once

#include <cstdint>
#include <string>

#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/ProgressBar.h"
#include "framework/Timer.h"
#include "widgets/VmButton.h"

namespace tandrel {

class TFormWarn : public TForm {
 public:
  explicit TFormWarn(TComponent* owner);

  TLabel* LabSec = nullptr;
  TProgressBar* ProgressBar1 = nullptr;
  TVmBitBtn* BTNCancel = nullptr;
  TTimer* Timer1 = nullptr;

  std::string FWarnPrefix;
  std::string FWarnSuffix;
  std::int32_t FSecondsLeft = 0;

  void Timer1Timer(TObject* sender);
  void BTNCancelClick(TObject* sender);

 private:
  void CreateLayout();
  // Draws the Cancel button's picture.
  void LoadPictures();
};

}  // namespace tandrel
