// The settings file Tandrel.ini beside the executable: LoadSettings reads all
// eight settings into the fields and controls and repairs a stored moment
// that has passed; SaveSetting writes the one key of the control that changed.
#include <algorithm>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "app/UnitFormTandrel.h"
#include "framework/DateTimeText.h"
#include "framework/Exceptions.h"
#include "framework/IniFile.h"

namespace tandrel {
namespace {

constexpr char kSectionCB[] = "CB";
constexpr char kSectionSet[] = "Set";
// The minutes field's range. Only a hand-edited file holds a count outside
// it: 0 would fire at the first tick after Start, a negative one never.
constexpr std::int32_t kFewestMinutes = 1;
constexpr std::int32_t kMostMinutes = 10000;

// The stored text converted, or empty with the conversion error handed to
// `keep` (the framework's own error, worded as it words it).
template <typename Convert, typename Keep>
std::optional<TDateTime> Converted(const std::string& text, Convert convert, Keep keep) {
  try {
    return convert(text);
  } catch (const EConvertError&) {
    keep(std::current_exception());
    return std::nullopt;
  }
}

}  // namespace

void TFormTandrel::KeepConversionError(std::exception_ptr error) {
  if (autoStartHeld_) return;  // the first one is told
  pendingLoadError_ = error;
  autoStartHeld_ = true;
}

void TFormTandrel::WriteRepair(const std::string& key, const std::string& value) {
  try {
    TIniFile ini(SettingsPath());
    ini.WriteString(kSectionSet, key, value);
  } catch (const EIniFileException&) {
    if (!pendingLoadError_) pendingLoadError_ = std::current_exception();
  }
}

void TFormTandrel::LoadSettings() {
  TIniFile ini(SettingsPath());
  FAutoRun = ini.ReadBool(kSectionCB, "AutoRun", false);
  FAtSetTime = ini.ReadBool(kSectionCB, "RBFS", true);
  FRepeatRun = ini.ReadBool(kSectionCB, "CBCF", false);
  FDateText = ini.ReadString(kSectionSet, "RQ", DateToStr(Now()));
  FTimeText = ini.ReadString(kSectionSet, "SJ", TimeToStr(Now()));
  FMinutes = ini.ReadInteger(kSectionSet, "FZ", 30);
  FAction = ini.ReadInteger(kSectionSet, "SD", 1);
  FWarn = ini.ReadBool(kSectionCB, "Warn", false);

  CBAutoRun->SetChecked(FAutoRun);
  if (FAtSetTime) {
    RBDateTime->SetChecked(true);
  } else {
    RBDe->SetChecked(true);
  }
  CBRepeat->SetChecked(FRepeatRun);

  // A stored date that has passed, or one that the current regional format
  // cannot read (it was written under another one), becomes today's date;
  // the unreadable one is also told, once the window is complete.
  const auto keep = [this](std::exception_ptr error) { KeepConversionError(error); };
  const TDateTime today = StrToDate(DateToStr(Now()));
  std::optional<TDateTime> storedDate =
      Converted(FDateText, [](const std::string& text) { return StrToDate(text); }, keep);
  if (!storedDate || *storedDate < today) {
    FDateText = DateToStr(Now());
    WriteRepair("RQ", FDateText);
    storedDate = StrToDate(FDateText);
  }
  DateTimePicker1->SetDate(*storedDate);

  // An unreadable stored time counts as absent: the current time.
  std::optional<TDateTime> storedTime =
      Converted(FTimeText, [](const std::string& text) { return StrToTime(text); }, keep);
  if (!storedTime) {
    FTimeText = TimeToStr(Now());
    WriteRepair("SJ", FTimeText);
    storedTime = StrToTime(FTimeText);
  }
  if (DateTimePicker1->Visible() && *storedDate == today &&
      *storedTime < StrToTime(TimeToStr(Now()))) {
    FTimeText = TimeToStr(Now());
    WriteRepair("SJ", FTimeText);
    storedTime = StrToTime(FTimeText);
  }
  DateTimePicker2->SetTime(*storedTime);

  // The file keeps its text until the user changes the field.
  FMinutes = std::clamp(FMinutes, kFewestMinutes, kMostMinutes);
  VMFenZhong->SetIntegerValue(FMinutes);

  switch (FAction) {
    case 1: RBShutdown->SetChecked(true); break;
    case 2: RBLogoff->SetChecked(true); break;
    case 3: RBRestart->SetChecked(true); break;
    case 4: RBForce->SetChecked(true); break;
    case 5: RBStandby->SetChecked(true); break;
    case 6: RBDormancy->SetChecked(true); break;
    default: break;  // the design-time choice stays checked
  }
  CBWarn->SetChecked(FWarn);
}

void TFormTandrel::SaveSetting(TObject* sender) {
  auto* component = As<TComponent>(sender);
  if (!component) return;
  TIniFile ini(SettingsPath());
  // The warning box and the stand-by button share Tag 12; each has its key.
  if (component == CBWarn) {
    ini.WriteBool(kSectionCB, "Warn", FWarn);
    return;
  }
  switch (component->Tag()) {
    case 1: ini.WriteBool(kSectionCB, "AutoRun", FAutoRun); break;
    case 2:
    case 3: ini.WriteBool(kSectionCB, "RBFS", FAtSetTime); break;
    case 4: ini.WriteBool(kSectionCB, "CBCF", FRepeatRun); break;
    case 5: ini.WriteString(kSectionSet, "RQ", FDateText); break;
    case 6: ini.WriteString(kSectionSet, "SJ", FTimeText); break;
    case 7: ini.WriteInteger(kSectionSet, "FZ", FMinutes); break;
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13: ini.WriteInteger(kSectionSet, "SD", FAction); break;
    default: break;
  }
}

}  // namespace tandrel
