// The text of one profile (INI) file as lines, with the lookup and update
// rules of the Windows profile functions. Knows nothing of files or
// encodings: HeadlessProfileFiles decodes the file into UTF-16 lines.
//
// Rules (checked against the real functions by the contract tests):
// - A section starts at a line whose first non-blank character is '[' and
//   that has a ']' later on; the name lies between '[' and the last ']',
//   without surrounding blanks. Anything after the ']' is ignored. Blanks
//   are ASCII white space and Ctrl-Z (the old end-of-file mark).
// - Any other non-blank line is a key line: the key is the text before the
//   first '=', the value the text after it, both without surrounding
//   blanks. A line without '=' is a key that has no value. There are no
//   comment lines: ";x=1" is the key ";x".
// - Lines above the first header form a section with an empty name.
// - Section and key names compare case-insensitively (ASCII letters); the
//   first matching section and, in it, the first matching key count, so a
//   repeated section or key is never seen.
// - A value enclosed in a pair of equal quotation marks (" or ') is read
//   without them.
// - A write replaces the key's line in place, else adds the key after the
//   last line of its section, else adds the section at the end. Other lines
//   are kept as they are.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tandrel::platform {

class ProfileDocument {
 public:
  struct Line {
    std::u16string text;   // without the line end
    std::u16string end;    // "\r\n", "\n", "\r" or empty for a last line without one
    std::string original;  // the line's bytes as read, for files kept byte for byte
    bool changed = false;  // true once this document rewrote the text
  };

  ProfileDocument() = default;
  explicit ProfileDocument(std::vector<Line> lines) : lines_(std::move(lines)) {}

  // Splits text at CR LF, LF or a lone CR into (text, line end) pairs.
  template <typename Char>
  static std::vector<std::pair<std::basic_string_view<Char>, std::basic_string_view<Char>>>
  SplitLines(std::basic_string_view<Char> text);

  // The value as read: blanks trimmed, enclosing quotes removed. Empty when
  // the section or key is missing or the key has no '='.
  std::optional<std::u16string> Find(std::u16string_view section, std::u16string_view key) const;
  void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  const std::vector<Line>& lines() const { return lines_; }

  // Blanks as the profile functions trim them (including Ctrl-Z, the old
  // end-of-file mark).
  static bool IsBlank(char16_t c);
  static std::u16string_view Trim(std::u16string_view text);
  static std::u16string_view TrimLeft(std::u16string_view text);

 private:
  static constexpr std::size_t kTop = static_cast<std::size_t>(-1);
  struct Range {
    std::size_t header;  // index of the header line, or kTop for the nameless section
    std::size_t end;     // one past the last line of the section
  };
  static std::size_t FirstLine(const Range& range) {
    return range.header == kTop ? 0 : range.header + 1;
  }
  std::optional<Range> FindSection(std::u16string_view section) const;
  std::optional<std::size_t> FindKey(const Range& range, std::u16string_view key) const;

  std::vector<Line> lines_;
};

template <typename Char>
std::vector<std::pair<std::basic_string_view<Char>, std::basic_string_view<Char>>>
ProfileDocument::SplitLines(std::basic_string_view<Char> text) {
  std::vector<std::pair<std::basic_string_view<Char>, std::basic_string_view<Char>>> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t stop = start;
    while (stop < text.size() && text[stop] != Char('\r') && text[stop] != Char('\n')) ++stop;
    std::size_t endLength = 0;
    if (stop < text.size()) {
      endLength = (text[stop] == Char('\r') && stop + 1 < text.size() &&
                   text[stop + 1] == Char('\n'))
                      ? 2
                      : 1;
    }
    lines.emplace_back(text.substr(start, stop - start), text.substr(stop, endLength));
    start = stop + endLength;
  }
  return lines;
}

}  // namespace tandrel::platform
