// UTF-8 <-> wide text at the Windows boundary (wchar_t is UTF-16 there).
#pragma once

#include <string>
#include <string_view>

#include "platform/Utf.h"

namespace tandrel::platform {

inline std::wstring ToWide(std::string_view utf8) {
  const std::u16string text = Utf8ToUtf16(utf8);
  return std::wstring(text.begin(), text.end());
}

inline std::string FromWide(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

}  // namespace tandrel::platform
