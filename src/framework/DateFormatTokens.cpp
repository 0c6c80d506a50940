// Tokenizer for date and time format strings.
#include "framework/DateFormatTokens.h"

#include <algorithm>

namespace tandrel::datefmt {
namespace {

void AppendLiteral(std::vector<Token>& tokens, std::string_view text) {
  if (text.empty()) return;
  if (!tokens.empty() && tokens.back().field == Field::Literal) {
    tokens.back().text.append(text);
  } else {
    tokens.push_back(Token{Field::Literal, 0, std::string(text)});
  }
}

bool StartsWithAmPm(std::string_view rest) {
  if (rest.size() < 4) return false;
  static constexpr std::string_view kWord = "ampm";
  for (std::size_t i = 0; i < 4; ++i) {
    char c = rest[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kWord[i]) return false;
  }
  return true;
}

}  // namespace

std::string_view FirstCharacter(std::string_view text) {
  if (text.empty()) return text;
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return text.substr(0, std::min(length, text.size()));
}

std::string_view Designator(std::string_view designator, int width) {
  while (!designator.empty() && (designator.front() == ' ' || designator.front() == '\t')) {
    designator.remove_prefix(1);
  }
  while (!designator.empty() && (designator.back() == ' ' || designator.back() == '\t')) {
    designator.remove_suffix(1);
  }
  return width == 1 ? FirstCharacter(designator) : designator;
}

bool TellsHalfOfDay(const std::vector<Token>& tokens, std::string_view am, std::string_view pm) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (const Token& token : tokens) {
    if (token.field != Field::AmPm) continue;
    const std::string_view a = Designator(am, token.width);
    const std::string_view p = Designator(pm, token.width);
    if (a.empty() || p.empty()) continue;
    bool same = a.size() == p.size();
    for (std::size_t i = 0; same && i < a.size(); ++i) same = lower(a[i]) == lower(p[i]);
    if (!same) return true;
  }
  return false;
}

std::vector<Token> Tokenize(std::string_view format, bool allowGeneral) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < format.size()) {
    const char c = format[i];
    if (c == '\'' || c == '"') {
      // Quoted text runs to the matching quote, or to the end when unclosed.
      std::string literal;
      std::size_t j = i + 1;
      while (j < format.size()) {
        if (format[j] == c) {
          if (c == '\'' && j + 1 < format.size() && format[j + 1] == '\'') {
            literal.push_back('\'');
            j += 2;
            continue;
          }
          break;
        }
        literal.push_back(format[j]);
        ++j;
      }
      AppendLiteral(tokens, literal);
      i = std::min(j + 1, format.size());
      continue;
    }
    if (StartsWithAmPm(format.substr(i))) {
      tokens.push_back(Token{Field::AmPm, 2, {}});
      i += 4;
      continue;
    }
    std::size_t run = 1;
    while (i + run < format.size() && format[i + run] == c) ++run;
    const int n = static_cast<int>(std::min<std::size_t>(run, 4));
    switch (c) {
      case 'y':
        tokens.push_back(Token{Field::Year, n >= 3 ? 4 : n, {}});
        break;
      case 'M':
        tokens.push_back(Token{n >= 3 ? Field::MonthName : Field::Month, n, {}});
        break;
      case 'd':
        tokens.push_back(Token{n >= 3 ? Field::DayName : Field::Day, n, {}});
        break;
      case 'H':
        tokens.push_back(Token{Field::Hour24, std::min(n, 2), {}});
        break;
      case 'h':
        tokens.push_back(Token{Field::Hour12, std::min(n, 2), {}});
        break;
      case 'm':
        tokens.push_back(Token{Field::Minute, std::min(n, 2), {}});
        break;
      case 's':
        tokens.push_back(Token{Field::Second, std::min(n, 2), {}});
        break;
      case 't':
        tokens.push_back(Token{Field::AmPm, std::min(n, 2), {}});
        break;
      case 'g':
        break;  // era: left out
      case 'c':
      case 'C':
        if (allowGeneral) {
          for (std::size_t k = 0; k < run; ++k) tokens.push_back(Token{Field::General, 0, {}});
        } else {
          AppendLiteral(tokens, format.substr(i, run));
        }
        break;
      default:
        AppendLiteral(tokens, format.substr(i, run));
        break;
    }
    i += run;
  }
  return tokens;
}

}  // namespace tandrel::datefmt
