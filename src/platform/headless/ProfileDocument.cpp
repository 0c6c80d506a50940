// Lookup and in-place update of profile file lines.
#include "platform/headless/ProfileDocument.h"

namespace tandrel::platform {
namespace {

char16_t FoldAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// The section name of a header line, or empty when the line is no header.
std::optional<std::u16string_view> HeaderName(std::u16string_view line) {
  const std::u16string_view text = ProfileDocument::TrimLeft(line);
  if (text.empty() || text.front() != u'[') return std::nullopt;
  const std::size_t close = text.rfind(u']');
  if (close == std::u16string_view::npos || close == 0) return std::nullopt;
  return ProfileDocument::Trim(text.substr(1, close - 1));
}

struct KeyLine {
  std::u16string_view key;
  std::optional<std::u16string_view> value;
};

std::optional<KeyLine> ParseKeyLine(std::u16string_view line) {
  const std::u16string_view text = ProfileDocument::Trim(line);
  if (text.empty()) return std::nullopt;
  const std::size_t equals = text.find(u'=');
  if (equals == std::u16string_view::npos) return KeyLine{text, std::nullopt};
  return KeyLine{ProfileDocument::Trim(text.substr(0, equals)),
                 ProfileDocument::Trim(text.substr(equals + 1))};
}

std::u16string_view StripQuotes(std::u16string_view value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

bool ProfileDocument::IsBlank(char16_t c) {
  // ASCII white space only: the ideographic space of Chinese text is kept.
  return c == u' ' || (c >= 0x09 && c <= 0x0D) || c == 0x1A;
}

std::u16string_view ProfileDocument::TrimLeft(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::u16string_view ProfileDocument::Trim(std::u16string_view text) {
  text = TrimLeft(text);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<ProfileDocument::Range> ProfileDocument::FindSection(
    std::u16string_view section) const {
  const std::u16string_view wanted = Trim(section);
  if (wanted.empty()) {
    // The nameless section is the lines above the first header; a later
    // "[]" header is a repeat of it and never seen.
    std::size_t end = 0;
    while (end < lines_.size() && !HeaderName(lines_[end].text)) ++end;
    return Range{kTop, end};
  }
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = HeaderName(lines_[i].text);
    if (!name || !SameName(*name, wanted)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && !HeaderName(lines_[end].text)) ++end;
    return Range{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> ProfileDocument::FindKey(const Range& range,
                                                    std::u16string_view key) const {
  const std::u16string_view wanted = Trim(key);
  for (std::size_t i = FirstLine(range); i < range.end; ++i) {
    const auto line = ParseKeyLine(lines_[i].text);
    if (line && SameName(line->key, wanted)) return i;
  }
  return std::nullopt;
}

std::optional<std::u16string> ProfileDocument::Find(std::u16string_view section,
                                                    std::u16string_view key) const {
  const auto range = FindSection(section);
  if (!range) return std::nullopt;
  const auto index = FindKey(*range, key);
  if (!index) return std::nullopt;
  const auto line = ParseKeyLine(lines_[*index].text);
  if (!line->value) return std::nullopt;
  return std::u16string(StripQuotes(*line->value));
}

void ProfileDocument::Set(std::u16string_view section, std::u16string_view key,
                          std::u16string_view value) {
  const std::u16string keyText = std::u16string(Trim(key));
  const std::u16string lineText = keyText + u"=" + std::u16string(Trim(value));
  const auto range = FindSection(section);
  if (range) {
    if (const auto index = FindKey(*range, key)) {
      // Keeps the key as the file spells it; only the value changes.
      const auto existing = ParseKeyLine(lines_[*index].text);
      lines_[*index].text = std::u16string(existing->key) + u"=" + std::u16string(Trim(value));
      lines_[*index].changed = true;
      return;
    }
    std::size_t after = range->end;
    while (after > FirstLine(*range) && Trim(lines_[after - 1].text).empty()) --after;
    if (after > 0 && lines_[after - 1].end.empty()) lines_[after - 1].end = u"\r\n";
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after),
                  Line{lineText, u"\r\n", {}, true});
    return;
  }
  if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = u"\r\n";
  lines_.push_back(Line{u"[" + std::u16string(Trim(section)) + u"]", u"\r\n", {}, true});
  lines_.push_back(Line{lineText, u"\r\n", {}, true});
}

}  // namespace tandrel::platform
