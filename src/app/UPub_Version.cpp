#include "app/UPub_Version.h"

#include <cstring>

namespace tandrel {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The placeholder is ASCII, so comparing bytes is safe in UTF-8 text: no byte
// of a multi-byte character can match it.
bool PlaceholderAt(const std::string& text, std::size_t pos) {
  const std::size_t length = std::strlen(kVersionPlaceholder);
  if (pos + length > text.size()) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (AsciiLower(text[pos + i]) != AsciiLower(kVersionPlaceholder[i])) return false;
  }
  return true;
}

}  // namespace

std::string StampVersion(const std::string& text, const std::string& version) noexcept {
  try {
    std::string result;
    const std::size_t length = std::strlen(kVersionPlaceholder);
    for (std::size_t pos = 0; pos < text.size();) {
      if (PlaceholderAt(text, pos)) {
        result += version;
        pos += length;
      } else {
        result += text[pos++];
      }
    }
    return result;
  } catch (...) {
    try {
      return text;
    } catch (...) {
      return std::string();
    }
  }
}

}  // namespace tandrel
