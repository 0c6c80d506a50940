// The user's regional formats from GetLocaleInfoW(LOCALE_USER_DEFAULT).
#pragma once

#include "platform/Locale.h"

namespace tandrel::platform {

class Win32Locale final : public Locale {
 public:
  LocaleFormats Formats() override;
};

}  // namespace tandrel::platform
