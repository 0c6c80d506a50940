// The user's regional formats from GetLocaleInfoW(LOCALE_USER_DEFAULT).
// They are read once and again only after a setting-change broadcast: the
// clock asks for them twice a second, and each item costs a registry read.
#pragma once

#include <optional>

#include "platform/Locale.h"

namespace tandrel::platform {

class Win32Locale final : public Locale {
 public:
  LocaleFormats Formats() override;
  void SettingsChanged() override { formats_.reset(); }

 private:
  std::optional<LocaleFormats> formats_;
};

}  // namespace tandrel::platform
