// Regional formats that a test chooses; by default those of a Simplified
// Chinese Windows (yyyy/M/d, HH:mm:ss).
#pragma once

#include "platform/Locale.h"

namespace tandrel::platform {

class HeadlessLocale final : public Locale {
 public:
  LocaleFormats Formats() override { return formats_; }
  // Nothing is kept here: SetFormats takes effect at once.
  void SettingsChanged() override { ++settingsNotices_; }
  // Simulates the user changing the regional settings.
  void SetFormats(const LocaleFormats& formats) { formats_ = formats; }
  int SettingsNotices() const { return settingsNotices_; }

 private:
  LocaleFormats formats_;
  int settingsNotices_ = 0;
};

}  // namespace tandrel::platform
