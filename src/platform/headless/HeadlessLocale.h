// Regional formats that a test chooses; by default those of a Simplified
// Chinese Windows (yyyy/M/d, HH:mm:ss).
#pragma once

#include "platform/Locale.h"

namespace tandrel::platform {

class HeadlessLocale final : public Locale {
 public:
  LocaleFormats Formats() override { return formats_; }
  // Simulates the user changing the regional settings.
  void SetFormats(const LocaleFormats& formats) { formats_ = formats; }

 private:
  LocaleFormats formats_;
};

}  // namespace tandrel::platform
