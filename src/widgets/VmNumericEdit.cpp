// The numeric edit: a number held only as its displayed text, the key
// filter, clamping to Min..Max when the focus leaves, reformatting on entry
// and after loading, and OnChange once per real change of the text.
#include <stdexcept>

#include "framework/NumberFormat.h"
#include "platform/Platform.h"
#include "widgets/VmEdit.h"

namespace tandrel {

namespace {

// Posted to itself when leaving was refused, to take the focus back once
// the focus change has settled.
constexpr unsigned kRestoreFocusMessage = platform::msg::kApp + 0x2A1;

platform::LocaleFormats UserFormats() { return platform::Current().locale().Formats(); }

bool Contains(std::string_view text, std::string_view part) {
  return !part.empty() && text.find(part) != std::string_view::npos;
}

}  // namespace

TVmNumericEdit::TVmNumericEdit(TComponent* owner) : TVmEdit(owner) {
  SetAlignment(TAlignment::taRightJustify);
  SetText(FormatDisplayText(0));
}

Extended TVmNumericEdit::ParseDisplayText(std::string_view text) const {
  return ParseNumericText(text, UserFormats());
}

std::string TVmNumericEdit::FormatDisplayText(Extended value) const {
  return FormatFloat(displayFormat_, static_cast<double>(value));
}

Extended TVmNumericEdit::Value() {
  try {
    if (!Text().empty()) return ParseDisplayText(Text());
    if (allowBlank_) return blankValue_;
    SetText(FormatDisplayText(min_));
    return ParseDisplayText(Text());
  } catch (const std::exception&) {
    return min_;
  }
}

void TVmNumericEdit::SetValue(Extended value) {
  if (value != ParseDisplayText(Text())) SetText(FormatDisplayText(value));
}

void TVmNumericEdit::SetMin(Extended value) {
  if (min_ == value) return;
  min_ = value;
  if (min_ > max_) max_ = min_;
  Invalidate();
}

void TVmNumericEdit::SetMax(Extended value) {
  if (max_ == value) return;
  max_ = value;
  if (max_ < min_) min_ = max_;
  Invalidate();
}

void TVmNumericEdit::SetIntegersOnly(bool value) {
  if (integersOnly_ == value) return;
  integersOnly_ = value;
  if (value) SetValue(static_cast<Extended>(RoundTiesToEven(Value())));
}

void TVmNumericEdit::SetDisplayFormat(const std::string& value) {
  if (displayFormat_ == value) return;
  const Extended shown = Loading() ? 0 : Value();
  displayFormat_ = value;
  if (!Loading()) SetText(FormatDisplayText(shown));
}

namespace {

// The typing rules for a character going in at `selStart` over `selLength`
// bytes of `text`.
bool AcceptsKeyAt(char32_t ch, std::string_view text, std::size_t selStart, std::size_t selLength,
                  bool integersOnly, const std::string& decimal) {
  if (integersOnly) {
    const bool passes = (ch >= U'0' && ch <= U'9') || ch == U'(' || ch == U')' || ch == U'+' ||
                        ch == U'-' || (ch < 0x20 && ch != U'\r');
    if (!passes) return false;
  }
  const std::string_view selected = text.substr(std::min(selStart, text.size()), selLength);
  if (decimal.size() == 1 && ch == static_cast<unsigned char>(decimal[0])) {
    const bool textHasOne = Contains(text, decimal);
    if (selLength == 0 ? textHasOne : textHasOne && !Contains(selected, decimal)) return false;
  }
  if (!integersOnly) return true;
  const bool textHasSign = text.find_first_of("+-") != std::string_view::npos;
  if (ch == U'+' || ch == U'-') {
    if (selStart == 0 && !textHasSign) return true;
    if (!text.empty() && selLength == text.size()) return true;
    return selStart == 0 && selLength > 0 && selected.find_first_of("+-") != std::string_view::npos;
  }
  // Nothing may be typed in front of a sign.
  if (selStart == 0 && selLength == 0 && !text.empty() && (text[0] == '+' || text[0] == '-')) {
    return false;
  }
  return true;
}

}  // namespace

bool TVmNumericEdit::AcceptsKey(char32_t ch) const {
  return AcceptsKeyAt(ch, Text(), static_cast<std::size_t>(SelStart()),
                      static_cast<std::size_t>(SelLength()), integersOnly_,
                      UserFormats().decimalSeparator);
}

bool TVmNumericEdit::AcceptsText(std::string_view text) const {
  // As if typed into an empty field one character after the other; the
  // thousands separators of a copied number may stay.
  const platform::LocaleFormats formats = UserFormats();
  std::string typed;
  for (char c : text) {
    const bool separator = formats.thousandSeparator.size() == 1 && c == formats.thousandSeparator[0];
    const auto ch = static_cast<char32_t>(static_cast<unsigned char>(c));
    if (!separator && !AcceptsKeyAt(ch, typed, typed.size(), 0, integersOnly_, formats.decimalSeparator)) {
      return false;
    }
    typed += c;
  }
  return true;
}

bool TVmNumericEdit::AcceptsEditResult(const std::string& result) {
  if (AcceptsText(result)) return true;
  if (beepOnInvalidKey_) InvalidKeyBeep();
  return false;
}

void TVmNumericEdit::FilterKey(char32_t& ch) {
  TVmEdit::FilterKey(ch);
  if (ch == 0 || AcceptsKey(ch)) return;
  ch = 0;
  if (beepOnInvalidKey_) InvalidKeyBeep();
}

void TVmNumericEdit::InvalidKeyBeep() { Windows().Beep(); }

bool TVmNumericEdit::RangeCheckValue(Extended& value) {
  if (min_ == max_ && !checkRange_) return true;
  Extended bound;
  if (value < min_) bound = min_;
  else if (value > max_) bound = max_;
  else return true;
  bool autoCorrect = true;
  OnRangeError(this, value, bound, autoCorrect);
  if (!autoCorrect) return false;
  value = bound;
  return true;
}

void TVmNumericEdit::DoEnter() {
  if (refocusing_) {
    // Back after a refused exit: the typed text stays as it is.
    refocusing_ = false;
    return;
  }
  entryValue_ = ParseDisplayText(Text());
  if (!allowBlank_) SetText(FormatDisplayText(entryValue_));
  TVmEdit::DoEnter();
}

void TVmNumericEdit::DoExit() {
  if (allowBlank_ && Text().empty()) {
    TVmEdit::DoExit();
    return;
  }
  Extended value = min_;
  bool keep = true;
  try {
    value = ParseDisplayText(Text());
    keep = RangeCheckValue(value);
  } catch (const std::exception&) {
    SetValue(min_);
    value = min_;
    keep = true;
  }
  if (!keep) {
    refocusing_ = true;
    Windows().Post(Handle(), kRestoreFocusMessage, 0, 0);
    return;
  }
  SetText(FormatDisplayText(value));
  TVmEdit::DoExit();
}

bool TVmNumericEdit::HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                   std::intptr_t& result) {
  if (message == kRestoreFocusMessage) {
    if (refocusing_ && !Focused()) SetFocus();
    refocusing_ = false;
    result = 0;
    return true;
  }
  return TVmEdit::HandleMessage(message, wParam, lParam, result);
}

void TVmNumericEdit::Loaded() {
  TVmEdit::Loaded();
  SetSuppressChange(true);
  entryValue_ = ParseDisplayText(Text());
  SetText(FormatDisplayText(entryValue_));
  SetSuppressChange(false);
}

}  // namespace tandrel
