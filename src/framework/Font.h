// TFont: a font description (name, height in pixels, bold/italic/underline,
// colour) shared by canvases and controls, with a change notification.
#pragma once

#include <string>

#include "framework/Events.h"
#include "platform/Geometry.h"
#include "platform/LiveObjects.h"
#include "platform/Surface.h"

namespace tandrel {

class TFont : public TObject {
 public:
  TFont() = default;
  TFont(const TFont& other);
  ~TFont() override = default;
  TFont& operator=(const TFont& other);  // copies the description, fires OnChange

  // Copies the description (not the handler); fires OnChange once if anything differs.
  void Assign(const TFont& other);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Pixels as CreateFont takes them: negative for the character height.
  int Height() const { return height_; }
  void SetHeight(int height);
  // Points at 96 DPI: Height = -round(Size * 96 / 72).
  int Size() const;
  void SetSize(int points);
  bool Bold() const { return bold_; }
  void SetBold(bool bold);
  bool Italic() const { return italic_; }
  void SetItalic(bool italic);
  bool Underline() const { return underline_; }
  void SetUnderline(bool underline);
  TColor Color() const { return color_; }
  void SetColor(TColor color);

  // The description as the platform takes it (colour not included).
  platform::FontSpec PlatformFont() const;

  friend bool SameFont(const TFont& a, const TFont& b);

  // Fired (with this font as sender) after any change of the description.
  TNotifyEvent OnChange;

 private:
  void Changed();

  std::string name_ = "Tahoma";
  int height_ = -11;
  bool bold_ = false;
  bool italic_ = false;
  bool underline_ = false;
  TColor color_ = clWindowText;
  platform::LiveObject live_{platform::LiveKind::Font};
};

}  // namespace tandrel
