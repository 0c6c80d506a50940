// The main window: its controls, the live copy of the settings, the fixed
// texts, and the handlers that read and write the settings file, arm a
// schedule and count it down.
#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <string>

#include "app/KeepAwake.h"
#include "framework/DateTime.h"
#include "framework/DateTimePicker.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/PopupMenu.h"
#include "framework/Timer.h"
#include "widgets/VmButton.h"
#include "widgets/VmEdit.h"
#include "widgets/VmPanel.h"
#include "widgets/VmRadChk.h"
#include "widgets/VmStatus.h"
#include "widgets/VmTray.h"

namespace tandrel {

class TFormWarn;

class TFormTandrel : public TForm {
 public:
  explicit TFormTandrel(TComponent* owner);

  // Controls, in the window's stored order (owned by the form).
  TLabel* LabInfo = nullptr;
  TVmCheckBox* CBAutoRun = nullptr;
  TVmGroupBox* GBSet = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TVmGroupBox* VmGroupBox2 = nullptr;
  TLabel* Label1 = nullptr;
  TVmRadioButton* RBDateTime = nullptr;
  TVmRadioButton* RBDe = nullptr;
  TVmCheckBox* CBRepeat = nullptr;
  TVmNumericEdit* VMFenZhong = nullptr;
  TDateTimePicker* DateTimePicker2 = nullptr;
  TDateTimePicker* DateTimePicker1 = nullptr;
  TVmGroupBox* GBOption = nullptr;
  TVmRadioButton* RBShutdown = nullptr;
  TVmRadioButton* RBLogoff = nullptr;
  TVmRadioButton* RBRestart = nullptr;
  TVmRadioButton* RBForce = nullptr;
  TVmRadioButton* RBStandby = nullptr;
  TVmRadioButton* RBDormancy = nullptr;
  TVmBitBtn* BTNStop = nullptr;
  TVmBitBtn* BTNAtOnce = nullptr;
  TVmStatusBar* VmStatusBar1 = nullptr;
  TVmClockStatus* VmClockStatus2 = nullptr;
  TVmStatusPane* VmStatusPane1 = nullptr;
  TVmStatusPane* VmStatusPane2 = nullptr;
  TVmGlyphStatus* VmGlyphStatus1 = nullptr;
  TVmGlyphStatus* VmGlyphStatus2 = nullptr;
  TVmBitBtn* BTNStart = nullptr;
  TVmCheckBox* CBWarn = nullptr;
  TVmBitBtn* BTNUpdate = nullptr;
  TVmBitBtn* BTNCloseScreen = nullptr;
  // Components without a place on the window.
  TVmTrayIcon* TrayIcon = nullptr;
  TPopupMenu* TrayPopupMenu = nullptr;
  TMenuItem* NShow = nullptr;
  TMenuItem* N2 = nullptr;
  TMenuItem* NExit = nullptr;
  TImageList* ImageList1 = nullptr;
  TImageList* ImageList2 = nullptr;
  TTimer* Timer1 = nullptr;

  // Fields, in this order.
  std::string FExeDir;
  bool FLoading = false;
  bool FActionFired = false;
  bool FStartHidden = false;
  bool FAutoRun = false;
  bool FAtSetTime = true;
  bool FRepeatRun = false;
  std::string FDateText;
  std::string FTimeText;
  std::int32_t FMinutes = 30;
  std::int32_t FAction = 1;
  bool FWarn = false;
  TDateTime FTarget = 0;
  std::string FActionName;
  std::string FTextIdle;
  std::string FMsgConfirmExit;
  std::string FMsgCountdownTooShort;
  std::string FMsgTimeExpired;
  std::array<std::string, 7> FActionNames;  // indexed 1..6; [0] unused
  std::string FTextRunning;
  std::string FTextUntil;
  std::string FTextRemain;
  std::string FTextHours;
  std::string FTextMinutes;
  std::string FTextSeconds;
  std::string FTrayTitle;
  std::string FHomeUrl;
  std::string FUpdateUrl;

  // Handlers.
  void FormCreate(TObject* sender);
  void FormActivate(TObject* sender);
  void BTNStartClick(TObject* sender);
  void BTNStopClick(TObject* sender);
  void BTNAtOnceClick(TObject* sender);
  void Timer1Timer(TObject* sender);
  void RBShutdownClick(TObject* sender);
  void RBDateTimeClick(TObject* sender);
  void CBRepeatClick(TObject* sender);
  void CBWarnClick(TObject* sender);
  void DateTimePicker1Change(TObject* sender);
  void DateTimePicker2Change(TObject* sender);
  void VMFenZhongChange(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void NExitClick(TObject* sender);
  void NShowClick(TObject* sender);
  void TrayIconRestoreApp(TObject* sender);
  void CBAutoRunClick(TObject* sender);
  void VmGlyphStatus1Click(TObject* sender);
  void VmGlyphStatus2Click(TObject* sender);
  void BTNUpdateClick(TObject* sender);
  void BTNCloseScreenClick(TObject* sender);

  // Settings file.
  std::string SettingsPath() const { return FExeDir + "Tandrel.ini"; }
  void LoadSettings();
  void SaveSetting(TObject* sender);

  // Lets the computer sleep again once an armed schedule can fire no more
  // (also called by the warning window when its count has run out).
  void ReleaseKeepAwake() { keepAwake_.Release(); }

 private:
  // Declares every control of the stored layout (FormTandrelLayout.cpp).
  void CreateLayout();
  // Draws the button and pane pictures into the image lists and glyphs.
  void LoadPictures();
  // The Run value's data: the quoted executable path and the tray argument.
  static std::string AutoRunCommand();
  void BindEvents();
  void AssignTexts();
  // Date inputs, time inputs and minutes inputs shown by mode and repeat.
  void ShowInputsForMode();
  // Shows a box of Start; the activation that its closing causes does not
  // press Start again.
  void ShowStartMessage(const std::string& text);
  // Writes one repaired value while loading; a refused write is kept for
  // the end of FormCreate so that the set-up still completes.
  void WriteRepair(const std::string& key, const std::string& value);
  // Keeps a stored date or time that did not convert for the error box at
  // the end of FormCreate, before any other pending error.
  void KeepConversionError(std::exception_ptr error);

  bool startBoxOpen_ = false;
  std::exception_ptr pendingLoadError_;
  // Set by an unreadable stored date or time: a moment repaired to now is
  // not one the user chose, so activations do not arm it until the user
  // presses Start.
  bool autoStartHeld_ = false;
  // True while an activation presses Start, to tell it from the user.
  bool activationPress_ = false;
  TKeepAwake keepAwake_;
};

// The main window (the application's main form) and the warning window.
extern TFormTandrel* FormTandrel;
extern TFormWarn* FormWarn;

}  // namespace tandrel
