// UTF-8 <-> UTF-16 conversion for the Windows boundary. Portable: the program
// keeps UTF-8 in std::string everywhere and converts only where wide (W)
// functions are called. Malformed input is replaced by U+FFFD, never rejected.
#pragma once

#include <string>
#include <string_view>

namespace tandrel::platform {

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace tandrel::platform
