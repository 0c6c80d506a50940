// TLabel: a windowless text on its parent: alignment, optional auto-size,
// transparent or filled with its colour, font colour, word wrap, and an
// accelerator that focuses FocusControl.
#pragma once

#include "framework/Control.h"

namespace tandrel {

enum class TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool Transparent() const override { return transparent_; }
  void SetTransparent(bool transparent);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout layout);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool show);
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* control);

 protected:
  void Paint(TCanvas& canvas) override;
  bool IsOpaque() const override { return !transparent_; }
  void TextChanged() override;
  void FontChanged() override;
  void Loaded() override;
  void AcceleratorPressed() override;
  void Notification(TComponent* component, TOperation operation) override;
  unsigned DrawTextFlags() const;
  // Fits the bounds to the text when AutoSize is on.
  void AdjustBounds();
  void InvalidateChangedText(const std::string& before, const std::string& after);
  bool IsOffScreen() const;

 private:
  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool autoSize_ = true;
  bool transparent_ = false;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;  // not owned
  std::string shownCaption_;  // the caption as last invalidated
};

}  // namespace tandrel
