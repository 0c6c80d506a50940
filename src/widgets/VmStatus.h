// Status panes: windowless controls on a status bar (or any parent) that
// paint a one-pixel frame and one line of text, can size themselves to the
// text and can blink the text colour on a timer shared by all panes.
// The status bar itself lives with the framed panel (VmPanel.h).
#pragma once

#include <string>

#include "framework/Control.h"
#include "widgets/VmDrawTypes.h"
#include "widgets/VmPanel.h"
#include "widgets/VmTransparency.h"

namespace tandrel {

// Messages between the shared blink timer and the panes.
inline constexpr unsigned kCmBlinkQuery = 0xB3E8;
inline constexpr unsigned kCmBlinkPhase = 0xB3E9;

class TVmCustomStatusPane : public TControl, public IVmTransparent {
 public:
  explicit TVmCustomStatusPane(TComponent* owner);
  ~TVmCustomStatusPane() override;

  int BorderWidth() const { return borderWidth_; }
  virtual void SetBorderWidth(int value);
  TColor FillColor() const { return fillColor_; }
  virtual void SetFillColor(TColor value);  // also clears ParentFillColor
  TColor FlatColor() const { return flatColor_; }
  virtual void SetFlatColor(TColor value);
  int FlatColorAdjustment() const { return flatColorAdjustment_; }
  virtual void SetFlatColorAdjustment(int value);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  virtual void SetFrameStyle(TFrameStyle value);
  bool ParentFillColor() const { return parentFillColor_; }
  virtual void SetParentFillColor(bool value);
  bool Transparent() const override { return transparent_; }
  virtual void SetTransparent(bool value);

  // Shared blink timer messages: 1 when blinking; the new phase (0 normal, 1 blink).
  virtual int BlinkQuery() const { return 0; }
  virtual void BlinkPhase(int phase) { (void)phase; }

  // The colour the text is drawn in now.
  TColor CaptionColor() const { return captionColor_; }

 protected:
  // Width wanted by auto-size.
  virtual int GetAutoWidth();
  // Rectangle for the text.
  virtual TRect GetContentRect() const;
  virtual void DrawPaneCaption(TCanvas& canvas, const std::string& text);
  // Background and frame.
  virtual void DrawPaneFrame(TCanvas& canvas);
  // Applies auto-size (nothing unless the pane sizes itself).
  virtual void AdjustPaneWidth() {}

  // Caption placement, for panes that publish it.
  virtual TAlignment CaptionAlignment() const { return TAlignment::taLeftJustify; }
  virtual int CaptionOffsetValue() const { return 2; }

  void Paint(TCanvas& canvas) override;
  bool IsOpaque() const override { return !transparent_; }
  void Loaded() override;
  void TextChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  // The parent, when it is a status bar.
  TVmStatusBar* StatusBar() const;

  TColor normalFontColor_ = clWindowText;
  TColor captionColor_ = clWindowText;

 private:
  int borderWidth_ = 1;
  TColor fillColor_ = clBtnFace;
  TColor flatColor_ = clBtnShadow;
  int flatColorAdjustment_ = 30;
  TFrameStyle frameStyle_ = fsFlat;
  bool parentFillColor_ = true;
  bool transparent_ = true;
};

class TVmStatusPane : public TVmCustomStatusPane {
 public:
  explicit TVmStatusPane(TComponent* owner);

  // Caption: the framework's caption; a different text repaints the pane
  // and re-applies auto-size.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool AutoHint() const { return autoHint_; }
  void SetAutoHint(bool value) { autoHint_ = value; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool Blinking() const { return blinking_; }
  void SetBlinking(bool value);
  TColor BlinkColor() const { return blinkColor_; }
  void SetBlinkColor(TColor value);
  // Shared by all panes.
  unsigned BlinkIntervalOff() const;
  void SetBlinkIntervalOff(unsigned value);
  unsigned BlinkIntervalOn() const;
  void SetBlinkIntervalOn(unsigned value);
  int CaptionOffset() const { return captionOffset_; }
  void SetCaptionOffset(int value);
  int DefaultWidth() const { return defaultWidth_; }
  void SetDefaultWidth(int value);

  int BlinkQuery() const override { return blinking_ ? 1 : 0; }
  void BlinkPhase(int phase) override;

 protected:
  void AdjustPaneWidth() override;
  TAlignment CaptionAlignment() const override { return alignment_; }
  int CaptionOffsetValue() const override { return captionOffset_; }

 private:
  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool autoHint_ = false;
  bool autoSize_ = false;
  bool blinking_ = false;
  TColor blinkColor_ = clHighlight;
  int captionOffset_ = 2;
  int defaultWidth_ = 40;
};

}  // namespace tandrel
