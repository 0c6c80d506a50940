// Framed containers: the panel with outer and inner borders that keeps its
// children inside them and remembers which children were enabled while it
// is disabled; the group box drawn by GroupStyle; and the status bar, a
// panel docked to the bottom that holds status panes side by side.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "framework/WinControl.h"
#include "widgets/VmDrawTypes.h"
#include "widgets/VmLayoutTypes.h"
#include "widgets/VmTransparency.h"

namespace tandrel {

class TVmCustomPanel : public TCustomControl {
 public:
  explicit TVmCustomPanel(TComponent* owner);

  TFrameStyleEx BorderOuter() const { return borderOuter_; }
  virtual void SetBorderOuter(TFrameStyleEx value);
  TFrameStyleEx BorderInner() const { return borderInner_; }
  virtual void SetBorderInner(TFrameStyleEx value);
  TSides BorderSides() const { return borderSides_; }
  virtual void SetBorderSides(TSides value);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  TColor FlatColor() const { return flatColor_; }
  void SetFlatColor(TColor value);
  int FlatColorAdjustment() const { return flatColorAdjustment_; }
  void SetFlatColorAdjustment(int value);
  TVmVisualStyle VisualStyle() const { return visualStyle_; }
  void SetVisualStyle(TVmVisualStyle value);
  TVmGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
  void SetGradientColorStyle(TVmGradientColorStyle value);
  TColor GradientColorStart() const { return gradientColorStart_; }
  void SetGradientColorStart(TColor value);
  TColor GradientColorStop() const { return gradientColorStop_; }
  void SetGradientColorStop(TColor value);
  TGradientDirection GradientDirection() const { return gradientDirection_; }
  void SetGradientDirection(TGradientDirection value);
  bool Transparent() const override { return transparent_; }
  void SetTransparent(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TAlignmentVertical CaptionAlignmentVertical() const { return captionAlignmentVertical_; }
  void SetCaptionAlignmentVertical(TAlignmentVertical value);

  // Whether `child` was enabled when this panel was last disabled (true for
  // a child that has no entry).
  bool RememberedEnabled(const TControl* child) const;

  TNotifyEvent OnPaint;

  // Containers pass the focus on; they never hold it.
  bool AcceptsFocus() const override { return false; }
  // Reads the desktop colour scheme again.
  void DesktopColorsChanged() override;

 protected:
  // Shrinks `r` by the borders (and by BorderWidth when asked).
  void BorderInset(TRect& r, bool includeBorderWidth) const;
  // The two colours of the vsGradient ramp.
  virtual std::pair<TColor, TColor> GradientColorPair() const;
  // The flat frame colour and its adjustment.
  std::pair<TColor, int> FlatColorPair() const;
  void DrawCaption(TCanvas& canvas, TRect r);

  void Paint(TCanvas& canvas) override;
  bool EraseBackground(TCanvas& canvas) override;
  void AdjustClientRect(TRect& r) const override;
  void EnabledChanged() override;
  void BoundsChanged(bool resized) override;
  bool HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                     std::intptr_t& result) override;
  // Re-aligns the children and repaints after a border change.
  void BordersChanged();

  TColor lightEdgeColor_ = clBtnHighlight;
  TColor darkEdgeColor_ = clBtnShadow;
  bool fillsClientArea_ = true;
  int captionMarginX_ = 0;
  int captionMarginY_ = 0;
  bool captionWordWrap_ = true;

 private:
  TFrameStyleEx borderOuter_ = fsRaised;
  TFrameStyleEx borderInner_ = fsNone;
  TSides borderSides_ = kAllSides;
  TColor borderColor_ = clBtnFace;
  int borderWidth_ = 0;
  int bevelWidth_ = 1;
  TColor flatColor_ = clBtnShadow;
  int flatColorAdjustment_ = 30;
  TVmVisualStyle visualStyle_ = vsWinXP;
  TVmGradientColorStyle gradientColorStyle_ = gcsSystem;
  TColor gradientColorStart_ = clWhite;
  TColor gradientColorStop_ = clBtnFace;
  TGradientDirection gradientDirection_ = gdHorizontalEnd;
  bool transparent_ = false;
  TAlignment alignment_ = TAlignment::taCenter;
  TAlignmentVertical captionAlignmentVertical_ = avCenter;
  // (enabled when the panel was disabled, child); children are not owned.
  std::vector<std::pair<bool, const TControl*>> childEnabledStates_;
};

class TVmPanel : public TVmCustomPanel {
 public:
  explicit TVmPanel(TComponent* owner) : TVmCustomPanel(owner) {}
};

enum TVmGroupBoxStyle : std::uint8_t {
  gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline
};

class TVmCustomGroupBox : public TVmCustomPanel {
 public:
  explicit TVmCustomGroupBox(TComponent* owner);

  TVmGroupBoxStyle GroupStyle() const { return groupStyle_; }
  void SetGroupStyle(TVmGroupBoxStyle value);

 protected:
  void Paint(TCanvas& canvas) override;
  void AdjustClientRect(TRect& r) const override;
  void FontChanged() override;
  void AcceleratorPressed() override;
  // Height of "Yy" in the group box's font.
  int CaptionLineHeight() const;
  // Where the caption goes (empty without a caption or in gsCustom).
  TRect CaptionRect(TCanvas& canvas) const;

 private:
  TVmGroupBoxStyle groupStyle_ = gsFlat;
};

class TVmGroupBox : public TVmCustomGroupBox {
 public:
  explicit TVmGroupBox(TComponent* owner) : TVmCustomGroupBox(owner) {}
};

class TVmStatusBar : public TVmCustomPanel {
  TANDREL_CLASS_ID(TVmStatusBar, TVmCustomPanel)
  explicit TVmStatusBar(TComponent* owner);

  // Changing a border turns AutoStyle off.
  void SetBorderOuter(TFrameStyleEx value) override;
  void SetBorderInner(TFrameStyleEx value) override;
  void SetBorderSides(TSides value) override;

  bool AutoScalePanes() const { return autoScalePanes_; }
  void SetAutoScalePanes(bool value) { autoScalePanes_ = value; }
  bool AutoStyle() const { return autoStyle_; }
  void SetAutoStyle(bool value) { autoStyle_ = value; }
  bool ShowSizeGrip() const { return showSizeGrip_; }
  void SetShowSizeGrip(bool value);
  const std::string& SimpleCaption() const { return simpleCaption_; }
  void SetSimpleCaption(const std::string& value);
  TFrameStyle SimpleFrameStyle() const { return simpleFrameStyle_; }
  void SetSimpleFrameStyle(TFrameStyle value);
  // Hides every child (true) or shows every child (false).
  bool SimpleStatus() const { return simpleStatus_; }
  void SetSimpleStatus(bool value);

  // The parent form allows sizing (and is not maximised).
  bool GripAllowed() const;
  // The right-most 13 pixels over the full height.
  TRect GripRect() const;

 protected:
  void Loaded() override;
  void Paint(TCanvas& canvas) override;
  // The grip goes over the panes.
  void PaintOverControls(TCanvas& canvas) override;
  void AdjustClientRect(TRect& r) const override;
  void BoundsChanged(bool resized) override;
  std::pair<TColor, TColor> GradientColorPair() const override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  bool SetCursorHook(int hitTest) override;

 private:
  void ApplyStandardLook();
  void PaintGrip(TCanvas& canvas);

  bool autoScalePanes_ = false;
  bool autoStyle_ = true;
  bool showSizeGrip_ = true;
  std::string simpleCaption_;
  TFrameStyle simpleFrameStyle_ = fsFlat;
  bool simpleStatus_ = false;
  bool firstResize_ = true;
  int previousWidth_ = 0;
  int widthChange_ = 0;
};

}  // namespace tandrel
