// The main window's stored layout, declared in one place: every control with
// its parent, position and size (96 DPI), tag, caption, font, colour,
// visibility and tab order. Applied in the loading state, then Loaded runs.
#include "app/UnitFormTandrel.h"

namespace tandrel {
namespace {

// A colour the group boxes share for their flat frame.
constexpr TColor kMediumGray = 0xA4A0A0;
constexpr TColor kStartButtonColor = 14542566;   // 0xDDE6E6
constexpr TColor kStopButtonColor = 15791348;    // 0xF0F4F4
constexpr TColor kButtonHighlight = 16026986;    // 0xF48D6A
constexpr TColor kButtonHotTrack = 3983359;      // 0x3CC7FF

template <typename T>
T* Place(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width,
         int height) {
  auto* control = new T(owner);
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

void SetFont(TControl& control, const char* face, int height, bool bold = false) {
  control.Font().SetName(face);
  control.Font().SetHeight(height);
  control.Font().SetBold(bold);
}

void StyleCheckBox(TVmCheckBox& box, const char* caption, int tag) {
  box.SetCaption(caption);
  box.SetTag(tag);
  box.SetColor(clBtnFace);
  box.SetFrameColor(clHighlight);
  box.SetHotTrack(true);
}

void StyleRadio(TVmRadioButton& radio, const char* caption, int tag, bool checked) {
  radio.SetCaption(caption);
  radio.SetTag(tag);
  radio.SetChecked(checked);
  radio.SetHotTrack(true);
}

void StyleButton(TVmBitBtn& button, const char* caption) {
  button.SetCaption(caption);
  button.SetHighlightColor(kButtonHighlight);
  button.SetHotTrackColor(kButtonHotTrack);
  button.SetHotTrack(true);
}

TLabel* PlaceLabel(TComponent* owner, TWinControl* parent, const char* name, int left, int top,
                   int width, int height, const char* caption) {
  auto* label = Place<TLabel>(owner, parent, name, left, top, width, height);
  label->SetAutoSize(false);
  label->SetCaption(caption);
  return label;
}

template <typename T = TVmStatusPane>
T* PlacePane(TComponent* owner, TVmStatusBar* bar, const char* name, int width) {
  auto* pane = new T(owner);
  pane->SetName(name);
  pane->SetParent(bar);
  pane->SetWidth(width);
  pane->SetAlign(TAlign::alLeft);
  return pane;
}

}  // namespace

void TFormTandrel::CreateLayout() {
  SetName("FormTandrel");
  SetCaption("Velmora V$V$(定时关机)");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(biSystemMenu | biMinimize);
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetPosition(TPosition::poDesktopCenter);
  SetShowHint(true);
  SetColor(clBtnFace);
  SetFont(*this, "Arial", -11);
  SetClientSize(486, 302);

  LabInfo = Place<TLabel>(this, this, "LabInfo", 20, 169, 461, 18);
  LabInfo->SetAutoSize(false);
  LabInfo->SetAlignment(TAlignment::taCenter);
  SetFont(*LabInfo, "Arial", -15, true);
  LabInfo->Font().SetColor(clRed);

  CBAutoRun = Place<TVmCheckBox>(this, this, "CBAutoRun", 16, 16, 193, 17);
  StyleCheckBox(*CBAutoRun, "开机自动运行", 1);

  GBSet = Place<TVmGroupBox>(this, this, "GBSet", 16, 40, 462, 89);
  GBSet->SetFlatColor(kMediumGray);
  Label2 = PlaceLabel(this, GBSet, "Label2", 10, 62, 51, 14, "关机日期:");
  Label2->SetAlignment(TAlignment::taRightJustify);
  Label3 = PlaceLabel(this, GBSet, "Label3", 226, 61, 51, 14, "关机时间:");
  Label3->SetAlignment(TAlignment::taRightJustify);
  Label4 = PlaceLabel(this, GBSet, "Label4", 82, 62, 168, 14, "分钟后执行执行设置的关机选项");
  Label4->SetVisible(false);

  VmGroupBox2 = Place<TVmGroupBox>(this, GBSet, "VmGroupBox2", 0, 1, 462, 51);
  VmGroupBox2->SetCaption("设置关机时间");
  VmGroupBox2->SetFlatColor(kMediumGray);
  Label1 = PlaceLabel(this, VmGroupBox2, "Label1", 9, 25, 48, 14, "计时方式");
  RBDateTime = Place<TVmRadioButton>(this, VmGroupBox2, "RBDateTime", 86, 24, 105, 17);
  StyleRadio(*RBDateTime, "指定时间", 2, true);
  RBDe = Place<TVmRadioButton>(this, VmGroupBox2, "RBDe", 208, 24, 113, 17);
  StyleRadio(*RBDe, "递减方式", 3, false);
  CBRepeat = Place<TVmCheckBox>(this, VmGroupBox2, "CBRepeat", 350, 24, 99, 17);
  StyleCheckBox(*CBRepeat, "重复运行", 4);

  VMFenZhong = Place<TVmNumericEdit>(this, GBSet, "VMFenZhong", 10, 57, 65, 23);
  VMFenZhong->SetMin(1);
  VMFenZhong->SetMax(10000);
  VMFenZhong->SetDisplayFormat(",0;(,0)");
  VMFenZhong->SetValue(30);
  VMFenZhong->SetFrameVisible(true);
  SetFont(*VMFenZhong, "Arial", -12);
  VMFenZhong->SetTag(7);
  VMFenZhong->SetVisible(false);

  DateTimePicker2 = Place<TDateTimePicker>(this, GBSet, "DateTimePicker2", 290, 58, 120, 23);
  DateTimePicker2->SetKind(TDateTimeKind::dtkTime);
  SetFont(*DateTimePicker2, "Arial", -12);
  DateTimePicker2->SetTag(6);
  DateTimePicker1 = Place<TDateTimePicker>(this, GBSet, "DateTimePicker1", 74, 58, 120, 23);
  DateTimePicker1->SetKind(TDateTimeKind::dtkDate);
  DateTimePicker1->SetDateFormat(TDTDateFormat::dfShort);
  SetFont(*DateTimePicker1, "Arial", -12);
  DateTimePicker1->SetTag(5);

  GBOption = Place<TVmGroupBox>(this, this, "GBOption", 16, 142, 461, 83);
  GBOption->SetCaption("设置关机方式");
  GBOption->SetFlatColor(kMediumGray);
  RBShutdown = Place<TVmRadioButton>(this, GBOption, "RBShutdown", 24, 24, 129, 17);
  StyleRadio(*RBShutdown, "正常关机", 8, true);
  RBLogoff = Place<TVmRadioButton>(this, GBOption, "RBLogoff", 176, 24, 115, 17);
  StyleRadio(*RBLogoff, "注销", 9, false);
  RBRestart = Place<TVmRadioButton>(this, GBOption, "RBRestart", 328, 24, 105, 17);
  StyleRadio(*RBRestart, "重启", 10, false);
  RBForce = Place<TVmRadioButton>(this, GBOption, "RBForce", 24, 48, 129, 17);
  StyleRadio(*RBForce, "强制关机", 11, false);
  RBStandby = Place<TVmRadioButton>(this, GBOption, "RBStandby", 176, 48, 129, 17);
  StyleRadio(*RBStandby, "待机", 12, false);
  RBDormancy = Place<TVmRadioButton>(this, GBOption, "RBDormancy", 328, 48, 113, 17);
  StyleRadio(*RBDormancy, "休眠", 13, false);

  BTNStop = Place<TVmBitBtn>(this, this, "BTNStop", 190, 243, 111, 35);
  StyleButton(*BTNStop, "停止");
  BTNStop->SetColor(kStopButtonColor);
  BTNStop->SetVisible(false);
  BTNAtOnce = Place<TVmBitBtn>(this, this, "BTNAtOnce", 359, 243, 120, 35);
  StyleButton(*BTNAtOnce, "立即关机");
  BTNAtOnce->SetColor(kStartButtonColor);

  VmStatusBar1 = Place<TVmStatusBar>(this, this, "VmStatusBar1", 0, 283, 486, 19);
  VmStatusBar1->SetBorderOuter(fsNone);
  VmStatusBar1->SetBorderInner(fsNone);
  VmClockStatus2 = PlacePane<TVmClockStatus>(this, VmStatusBar1, "VmClockStatus2", 129);
  SetFont(*VmClockStatus2, "MS Sans Serif", -11);
  VmClockStatus2->Font().SetColor(clBlack);
  VmStatusPane1 = PlacePane(this, VmStatusBar1, "VmStatusPane1", 120);
  SetFont(*VmStatusPane1, "Arial", -11);
  VmStatusPane1->Font().SetColor(clBlack);
  VmStatusPane2 = PlacePane(this, VmStatusBar1, "VmStatusPane2", 216);
  VmGlyphStatus1 = PlacePane<TVmGlyphStatus>(this, VmStatusBar1, "VmGlyphStatus1", 23);
  VmGlyphStatus1->SetHint("帮助");
  VmGlyphStatus1->SetVisible(false);
  VmGlyphStatus2 = PlacePane<TVmGlyphStatus>(this, VmStatusBar1, "VmGlyphStatus2", 21);
  VmGlyphStatus2->SetHint("主页");

  BTNStart = Place<TVmBitBtn>(this, this, "BTNStart", 191, 244, 111, 33);
  StyleButton(*BTNStart, "开始");
  BTNStart->SetColor(kStartButtonColor);
  CBWarn = Place<TVmCheckBox>(this, this, "CBWarn", 16, 231, 139, 17);
  StyleCheckBox(*CBWarn, "30秒提醒", 12);
  BTNUpdate = Place<TVmBitBtn>(this, this, "BTNUpdate", 402, 6, 75, 30);
  StyleButton(*BTNUpdate, "更新");
  BTNCloseScreen = Place<TVmBitBtn>(this, this, "BTNCloseScreen", 12, 250, 149, 26);
  StyleButton(*BTNCloseScreen, "关闭屏幕");
  BTNCloseScreen->SetAnchors(akLeft | akBottom);

  ImageList1 = new TImageList(this, 32, 32);
  ImageList1->SetName("ImageList1");
  ImageList2 = new TImageList(this, 16, 16);
  ImageList2->SetName("ImageList2");

  TrayPopupMenu = new TPopupMenu(this);
  TrayPopupMenu->SetName("TrayPopupMenu");
  NShow = new TMenuItem(this);
  NShow->SetName("NShow");
  NShow->SetCaption("显示(&S)");
  NShow->SetImageIndex(15);
  N2 = new TMenuItem(this);
  N2->SetName("N2");
  N2->SetCaption("-");
  NExit = new TMenuItem(this);
  NExit->SetName("NExit");
  NExit->SetCaption("退出(&E)");
  NExit->SetImageIndex(13);
  TrayPopupMenu->Add(NShow);
  TrayPopupMenu->Add(N2);
  TrayPopupMenu->Add(NExit);

  TrayIcon = new TVmTrayIcon(this);
  TrayIcon->SetName("TrayIcon");
  TrayIcon->SetHint("Velmora V1.0(定时关机)");
  TrayIcon->SetPopupMenu(TrayPopupMenu);
  TrayIcon->SetIconIndex(17);

  Timer1 = new TTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetEnabled(false);
}

void TFormTandrel::BindEvents() {
  OnCreate = TNotifyEvent(this, &TFormTandrel::FormCreate);
  OnActivate = TNotifyEvent(this, &TFormTandrel::FormActivate);
  OnCloseQuery = TCloseQueryEvent(this, &TFormTandrel::FormCloseQuery);
  RBDateTime->OnClick = TNotifyEvent(this, &TFormTandrel::RBDateTimeClick);
  RBDe->OnClick = TNotifyEvent(this, &TFormTandrel::RBDateTimeClick);
  CBRepeat->OnClick = TNotifyEvent(this, &TFormTandrel::CBRepeatClick);
  VMFenZhong->OnChange = TNotifyEvent(this, &TFormTandrel::VMFenZhongChange);
  DateTimePicker2->OnChange = TNotifyEvent(this, &TFormTandrel::DateTimePicker2Change);
  DateTimePicker1->OnChange = TNotifyEvent(this, &TFormTandrel::DateTimePicker1Change);
  for (TVmRadioButton* radio : {RBShutdown, RBLogoff, RBRestart, RBForce, RBStandby, RBDormancy}) {
    radio->OnClick = TNotifyEvent(this, &TFormTandrel::RBShutdownClick);
  }
  BTNStop->OnClick = TNotifyEvent(this, &TFormTandrel::BTNStopClick);
  BTNAtOnce->OnClick = TNotifyEvent(this, &TFormTandrel::BTNAtOnceClick);
  BTNStart->OnClick = TNotifyEvent(this, &TFormTandrel::BTNStartClick);
  CBWarn->OnClick = TNotifyEvent(this, &TFormTandrel::CBWarnClick);
  NShow->OnClick = TNotifyEvent(this, &TFormTandrel::NShowClick);
  NExit->OnClick = TNotifyEvent(this, &TFormTandrel::NExitClick);
  TrayIcon->OnRestoreApp = TNotifyEvent(this, &TFormTandrel::TrayIconRestoreApp);
  Timer1->SetOnTimer(TNotifyEvent(this, &TFormTandrel::Timer1Timer));
  CBAutoRun->OnClick = TNotifyEvent(this, &TFormTandrel::CBAutoRunClick);
  VmGlyphStatus1->OnClick = TNotifyEvent(this, &TFormTandrel::VmGlyphStatus1Click);
  VmGlyphStatus2->OnClick = TNotifyEvent(this, &TFormTandrel::VmGlyphStatus2Click);
  BTNUpdate->OnClick = TNotifyEvent(this, &TFormTandrel::BTNUpdateClick);
  BTNCloseScreen->OnClick = TNotifyEvent(this, &TFormTandrel::BTNCloseScreenClick);
}

TFormTandrel::TFormTandrel(TComponent* owner) : TForm(owner) {
  BeginLoading();
  CreateLayout();
  LoadPictures();
  EndLoading();
  BindEvents();
}

}  // namespace tandrel
