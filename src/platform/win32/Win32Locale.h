// The user's regional formats from GetLocaleInfoW(LOCALE_USER_DEFAULT).
// They are read once and again only after the user's regional settings in
// the registry changed: the clock asks for them twice a second, and each
// item costs a registry read.
#pragma once

#include <optional>

#include "platform/Locale.h"
#include "platform/win32/ScopedHandle.h"

namespace tandrel::platform {

class Win32Locale final : public Locale {
 public:
  LocaleFormats Formats() override;

 private:
  // Asks to be told (by `changed_`) of the next change under the key.
  void WatchSettings();

  std::optional<LocaleFormats> formats_;
  ScopedRegistryKey settingsKey_;  // HKCU\Control Panel\International
  ScopedKernelHandle changed_;     // set by the registry when the key changes
};

}  // namespace tandrel::platform
