// Integers and Booleans as the settings file stores them.
//
// Reading an integer: a text of more than two characters that starts with
// "0x" or "0X" is hexadecimal; otherwise it is a signed decimal number, or
// hexadecimal after a "$" (which may follow the sign). Leading spaces are
// skipped; anything else - an empty text, a stray character, a trailing
// blank, a value outside 32 bits - gives the default. Hexadecimal takes up to
// 32 bits as written, so "$FFFFFFFF" is -1. Booleans are read as integers,
// any non-zero value being true. Writing gives "1"/"0" and plain decimal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tandrel {

std::optional<std::int32_t> TryReadStoredInteger(std::string_view text);
std::int32_t ReadStoredInteger(std::string_view text, std::int32_t defaultValue);
bool ReadStoredBool(std::string_view text, bool defaultValue);

std::string StoredIntegerText(std::int32_t value);
std::string StoredBoolText(bool value);

}  // namespace tandrel
