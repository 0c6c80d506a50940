#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace tandrel::platform {

LocalTime Win32Clock::Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return LocalTime{now.wYear, now.wMonth,  now.wDay,         now.wHour,
                   now.wMinute, now.wSecond, now.wMilliseconds};
}

unsigned long long Win32Clock::TickCount() { return GetTickCount64(); }

}  // namespace tandrel::platform
