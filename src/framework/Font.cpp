// TFont.
#include "framework/Font.h"

namespace tandrel {

TFont::TFont(const TFont& other)
    : name_(other.name_),
      height_(other.height_),
      bold_(other.bold_),
      italic_(other.italic_),
      underline_(other.underline_),
      color_(other.color_) {}

TFont& TFont::operator=(const TFont& other) {
  Assign(other);
  return *this;
}

bool SameFont(const TFont& a, const TFont& b) {
  return a.name_ == b.name_ && a.height_ == b.height_ && a.bold_ == b.bold_ &&
         a.italic_ == b.italic_ && a.underline_ == b.underline_ && a.color_ == b.color_;
}

void TFont::Assign(const TFont& other) {
  if (this == &other || SameFont(*this, other)) return;
  name_ = other.name_;
  height_ = other.height_;
  bold_ = other.bold_;
  italic_ = other.italic_;
  underline_ = other.underline_;
  color_ = other.color_;
  Changed();
}

void TFont::SetName(const std::string& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int TFont::Size() const {
  // Points from pixels at 96 DPI, rounded half away from zero.
  const int pixels = height_ < 0 ? -height_ : height_;
  return (pixels * 72 + 48) / 96;
}

void TFont::SetSize(int points) { SetHeight(-((points * 96 + 36) / 72)); }

void TFont::SetBold(bool bold) {
  if (bold == bold_) return;
  bold_ = bold;
  Changed();
}

void TFont::SetItalic(bool italic) {
  if (italic == italic_) return;
  italic_ = italic;
  Changed();
}

void TFont::SetUnderline(bool underline) {
  if (underline == underline_) return;
  underline_ = underline;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

platform::FontSpec TFont::PlatformFont() const {
  platform::FontSpec params;
  params.name = name_;
  params.height = height_;
  params.bold = bold_;
  params.italic = italic_;
  params.underline = underline_;
  return params;
}

void TFont::Changed() {
  OnChange(this);
}

}  // namespace tandrel
