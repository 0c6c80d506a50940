// The user's regional formats, as GetLocaleInfo reports them for the user's
// default locale (LOCALE_SSHORTDATE, LOCALE_STIMEFORMAT, separators, ...).
#pragma once

#include <string>

namespace tandrel::platform {

struct LocaleFormats {
  std::string shortDate = "yyyy/M/d";   // LOCALE_SSHORTDATE
  std::string longTime = "HH:mm:ss";    // LOCALE_STIMEFORMAT
  std::string dateSeparator = "/";      // LOCALE_SDATE
  std::string timeSeparator = ":";      // LOCALE_STIME
  std::string timeAm = "上午";          // LOCALE_S1159
  std::string timePm = "下午";          // LOCALE_S2359
  std::string decimalSeparator = ".";   // LOCALE_SDECIMAL
  std::string thousandSeparator = ",";  // LOCALE_STHOUSAND
  friend bool operator==(const LocaleFormats&, const LocaleFormats&) = default;
};

class Locale {
 public:
  virtual ~Locale() = default;
  virtual LocaleFormats Formats() = 0;
  // The user's settings may have changed (the system's setting-change
  // broadcast): the next Formats reads them afresh.
  virtual void SettingsChanged() = 0;
};

}  // namespace tandrel::platform
