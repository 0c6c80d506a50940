// TDateTimePicker: the platform's date-time picker, of the date kind (short
// date format) or the time kind. Setting the date or the time from code
// keeps the other half and fires nothing; OnChange fires only for the
// user's changes.
#pragma once

#include "framework/DateTime.h"
#include "framework/WinControl.h"

namespace tandrel {

enum class TDateTimeKind { dtkDate, dtkTime };
enum class TDTDateFormat { dfShort, dfLong };

class TDateTimePicker : public TWinControl {
 public:
  // Starts at the current moment, as the picker shows it when first opened.
  explicit TDateTimePicker(TComponent* owner);

  TDateTimeKind Kind() const { return kind_; }
  void SetKind(TDateTimeKind kind);
  TDTDateFormat DateFormat() const { return dateFormat_; }
  void SetDateFormat(TDTDateFormat format) { dateFormat_ = format; }

  TDateTime DateTime() const { return value_; }
  void SetDateTime(TDateTime value);
  // The date half (the time of day kept) and the time half (the date kept).
  TDateTime Date() const { return DateOf(value_); }
  void SetDate(TDateTime date);
  TDateTime Time() const { return TimeOf(value_); }
  void SetTime(TDateTime time);

  TNotifyEvent OnChange;

 protected:
  void CreateParams(platform::WindowSpec& params) override;
  void HandleCreated() override;
  void FontChanged() override;
  void WindowDateTimeChanged() override;
  virtual void Change() { OnChange(this); }

 private:
  void PushValue();

  TDateTimeKind kind_ = TDateTimeKind::dtkDate;
  TDTDateFormat dateFormat_ = TDTDateFormat::dfShort;
  TDateTime value_ = 0;
};

}  // namespace tandrel
