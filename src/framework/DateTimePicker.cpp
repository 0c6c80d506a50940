#include "framework/DateTimePicker.h"

namespace tandrel {

namespace {

platform::LocalTime ToLocalTime(TDateTime value) {
  DateTimeParts p = DecodeDateTime(value);
  return platform::LocalTime{p.date.year, p.date.month, p.date.day, p.time.hour,
                             p.time.minute, p.time.second, p.time.millisecond};
}

}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner), value_(Now()) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 186, 21);
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
  if (kind_ == kind) return;
  kind_ = kind;
  if (HandleAllocated() && !Loading()) {
    // The format is a window style: the window is made again.
    DestroyHandle();
    HandleNeeded();
  }
}

void TDateTimePicker::SetDateTime(TDateTime value) {
  value_ = value;
  PushValue();
}

void TDateTimePicker::SetDate(TDateTime date) { SetDateTime(ComposeDateTime(DateOf(date), TimeOf(value_))); }

void TDateTimePicker::SetTime(TDateTime time) { SetDateTime(ComposeDateTime(DateOf(value_), TimeOf(time))); }

void TDateTimePicker::PushValue() {
  if (HandleAllocated() && !Loading()) Windows().SetPickerValue(Handle(), ToLocalTime(value_));
}

void TDateTimePicker::CreateParams(platform::WindowSpec& params) {
  TWinControl::CreateParams(params);
  params.kind = platform::WindowKind::DateTimePicker;
  params.timeKind = kind_ == TDateTimeKind::dtkTime;
  params.text.clear();
}

void TDateTimePicker::HandleCreated() {
  Windows().SetFont(Handle(), Font().PlatformFont());
  Windows().SetPickerValue(Handle(), ToLocalTime(value_));
}

void TDateTimePicker::FontChanged() {
  TWinControl::FontChanged();
  if (HandleAllocated() && !Loading()) Windows().SetFont(Handle(), Font().PlatformFont());
}

void TDateTimePicker::WindowDateTimeChanged() {
  value_ = LocalTimeToDateTime(Windows().GetPickerValue(Handle()));
  Change();
}

}  // namespace tandrel
