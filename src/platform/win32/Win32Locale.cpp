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

LocaleFormats Win32Locale::Formats() {
  if (formats_) return *formats_;
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
