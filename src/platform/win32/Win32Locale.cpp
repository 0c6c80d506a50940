#include "platform/win32/Win32Locale.h"

#include <windows.h>

#include <string>

#include "platform/win32/WideText.h"

namespace tandrel::platform {
namespace {

// The item's text, or `fallback` (the built-in value) when the query fails.
std::string LocaleText(LCTYPE item, const std::string& fallback) {
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, item, nullptr, 0);
  if (length <= 0) return fallback;
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  const int written = GetLocaleInfoW(LOCALE_USER_DEFAULT, item, text.data(), length);
  if (written <= 0) return fallback;
  text.resize(static_cast<std::size_t>(written - 1));  // drop the terminating zero
  return FromWide(text);
}

}  // namespace

void Win32Locale::WatchSettings() {
  if (!settingsKey_) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\International", 0, KEY_NOTIFY, &key) !=
        ERROR_SUCCESS) {
      return;
    }
    settingsKey_.Reset(key);
    changed_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!changed_) return;
  }
  ResetEvent(changed_.Get());
  if (RegNotifyChangeKeyValue(settingsKey_.Get(), TRUE, REG_NOTIFY_CHANGE_LAST_SET, changed_.Get(),
                              TRUE) != ERROR_SUCCESS) {
    changed_.Reset();  // no notice: read on every call
  }
}

LocaleFormats Win32Locale::Formats() {
  if (formats_ && changed_ && WaitForSingleObject(changed_.Get(), 0) == WAIT_TIMEOUT) {
    return *formats_;
  }
  // Watch before reading, so a change made meanwhile is not missed.
  WatchSettings();
  const LocaleFormats builtIn;
  LocaleFormats formats;
  formats.shortDate = LocaleText(LOCALE_SSHORTDATE, builtIn.shortDate);
  formats.longTime = LocaleText(LOCALE_STIMEFORMAT, builtIn.longTime);
  formats.dateSeparator = LocaleText(LOCALE_SDATE, builtIn.dateSeparator);
  formats.timeSeparator = LocaleText(LOCALE_STIME, builtIn.timeSeparator);
  formats.timeAm = LocaleText(LOCALE_S1159, builtIn.timeAm);
  formats.timePm = LocaleText(LOCALE_S2359, builtIn.timePm);
  formats.decimalSeparator = LocaleText(LOCALE_SDECIMAL, builtIn.decimalSeparator);
  formats.thousandSeparator = LocaleText(LOCALE_STHOUSAND, builtIn.thousandSeparator);
  formats_ = formats;
  return formats;
}

}  // namespace tandrel::platform
