#include "widgets/VmTrayTip.h"

#include "platform/Utf.h"

namespace tandrel {

namespace {
bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
}  // namespace

std::u16string CutTrayTip(std::string_view text, std::size_t maxUnits) {
  std::u16string tip = platform::Utf8ToUtf16(text);
  if (tip.size() <= maxUnits) return tip;
  std::size_t length = maxUnits;
  // Half a character would show as garbage in the tooltip.
  if (length > 0 && IsHighSurrogate(tip[length - 1])) --length;
  tip.resize(length);
  return tip;
}

}  // namespace tandrel
