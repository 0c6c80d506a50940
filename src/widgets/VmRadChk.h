// Check box and radio button: a 13 x 13 glyph beside a caption, on the
// press tracking of the button base. Check boxes cycle their State, radio
// buttons check themselves and uncheck their siblings under the same parent.
// Both answer BM_GETCHECK through their window so that test drivers and
// screen readers can read them.
#pragma once

#include "framework/Bitmap.h"
#include "widgets/VmButton.h"
#include "widgets/VmDrawTypes.h"
#include "widgets/VmTransparency.h"

namespace tandrel {

// BM_GETCHECK: answered 0 (unchecked), 1 (checked) or 2 (grayed).
inline constexpr unsigned kBmGetCheck = 0x00F0;

enum TCheckBoxState : std::uint8_t { cbUnchecked, cbChecked, cbGrayed };

class TVmCustomGlyphButton : public TVmCustomButton {
 public:
  explicit TVmCustomGlyphButton(TComponent* owner);

  // Caption beside the glyph: taRightJustify puts the caption right of it,
  // taLeftJustify puts the glyph at the right.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TColor FillColor() const { return fillColor_; }
  void SetFillColor(TColor value);
  TColor FocusColor() const { return focusColor_; }
  void SetFocusColor(TColor value);
  TColor DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(TColor value);
  bool ReadOnly() const { return readOnly_; }
  virtual void SetReadOnly(bool value);
  TColor ReadOnlyColor() const { return readOnlyColor_; }
  void SetReadOnlyColor(TColor value);
  bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
  void SetReadOnlyColorOnFocus(bool value);
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor value);
  TColor HotTrackColor() const { return hotTrackColor_; }
  void SetHotTrackColor(TColor value);
  TVmHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
  void SetHotTrackColorType(TVmHotTrackColorType value);
  TVmButtonHotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
  void SetHotTrackStyle(TVmButtonHotTrackStyle value);
  // A non-empty strip turns UseCustomGlyphs on, an empty one off.
  const TBitmap& CustomGlyphs() const { return customGlyphs_; }
  void SetCustomGlyphs(const TBitmap& value);
  bool UseCustomGlyphs() const { return useCustomGlyphs_; }
  void SetUseCustomGlyphs(bool value);
  TColor TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(TColor value);
  TColor WinMaskColor() const { return winMaskColor_; }
  void SetWinMaskColor(TColor value);
  bool Transparent() const override { return transparent_; }
  void SetTransparent(bool value);
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool value) { tabOnEnter_ = value; }

  // 3 disabled, 1 pressed, 2 pointer over, 0 otherwise.
  int GlyphPaintState() const;
  int GlyphWidth() const;
  int GlyphHeight() const;

 protected:
  // The check state as BM_GETCHECK reports it.
  virtual int CheckAnswer() const = 0;
  // What a completed click, Space or accelerator does to the state.
  virtual void ToggleState() = 0;
  // Draws the glyph for the current state at (0, 0) of a glyph-sized
  // canvas; key-coloured pixels (TransparentColor) show the background.
  virtual void SelectGlyphState(TCanvas& glyph) = 0;
  // After a transparent glyph was laid over the background (in `composed`,
  // glyph-sized): blends the glyph's outline into what shows through.
  virtual void SmoothGlyphEdge(TCanvas& composed) { (void)composed; }
  // Number of images in a custom glyph strip.
  virtual int CustomGlyphCount() const = 0;
  // The colour inside the box or circle for the current state.
  TColor GlyphFillColor() const;
  TColor HotDark() const;
  TColor HotLight() const;
  TPoint GlyphPosition() const;
  // Image `index` of the custom glyph strip at (0, 0) of `glyph`.
  void PaintStripGlyph(TCanvas& glyph, int index) const;
  // The look under the glyph and caption must be fetched again.
  void BackgroundChanged() { rebuildBackground_ = true; }

  void ActivateClick() override { ToggleState(); }
  void ShowStateChange() override { Repaint(); }
  void ShowFocusChange() override { Repaint(); }
  void Paint(TCanvas& canvas) override;
  bool EraseBackground(TCanvas& canvas) override;
  void EraseRequested() override { BackgroundChanged(); }
  void BoundsChanged(bool resized) override;
  void EnabledChanged() override;
  void ColorChanged() override;
  void ParentColorChanged() override;
  void TextChanged() override;
  bool HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                     std::intptr_t& result) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  bool FollowsMouse() const override { return true; }
  bool WantsKey(int key) const override;
  void KeyDown(int& key, TShiftState shift) override;

  bool mouseInUse_ = false;
  bool suppressClick_ = false;

 private:
  TAlignment alignment_ = TAlignment::taRightJustify;
  TColor fillColor_ = clWindow;
  TColor focusColor_ = clWindow;
  TColor disabledColor_ = clBtnFace;
  bool readOnly_ = false;
  TColor readOnlyColor_ = clInfoBk;
  bool readOnlyColorOnFocus_ = false;
  TColor frameColor_ = clBtnShadow;
  TColor hotTrackColor_ = 0x149BF0;
  TVmHotTrackColorType hotTrackColorType_ = htctActual;
  TVmButtonHotTrackStyle hotTrackStyle_ = htsInterior;
  TBitmap customGlyphs_;
  bool useCustomGlyphs_ = false;
  TColor transparentColor_ = 0x008080;
  TColor winMaskColor_ = 0x00FF00;
  bool transparent_ = false;
  bool tabOnEnter_ = false;
  // The control's look without glyph and caption, kept between paints;
  // the off-screen picture the paint composes; the glyph being drawn.
  TBitmap background_;
  bool rebuildBackground_ = true;
  TBitmap offscreen_;
  TBitmap glyph_;
  TBitmap composed_;

  void ComposeGlyph(TCanvas& canvas, TPoint at);
};

class TVmCustomCheckBox : public TVmCustomGlyphButton {
 public:
  explicit TVmCustomCheckBox(TComponent* owner);

  // A change repaints and then fires OnClick once (from code as from the
  // user); assigning the current state does nothing.
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState value);
  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool value) { allowGrayed_ = value; }

 protected:
  int CheckAnswer() const override { return static_cast<int>(state_); }
  void ToggleState() override;
  void SelectGlyphState(TCanvas& glyph) override;
  int CustomGlyphCount() const override { return 9; }
  void KeyDown(int& key, TShiftState shift) override;
  void KeyUp(int& key, TShiftState shift) override;
  void DoExit() override;
  void AcceleratorPressed() override;

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  bool spacePending_ = false;
};

class TVmCheckBox : public TVmCustomCheckBox {
 public:
  explicit TVmCheckBox(TComponent* owner) : TVmCustomCheckBox(owner) {}
};

class TVmRadioButton : public TVmCustomGlyphButton {
  TANDREL_CLASS_ID(TVmRadioButton, TVmCustomGlyphButton)
  explicit TVmRadioButton(TComponent* owner);

  // Checking unchecks every other radio button of the same parent (without
  // firing them) and then fires OnClick once; unchecking fires nothing.
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  // Applies to this and every sibling radio button.
  void SetReadOnly(bool value) override;

 protected:
  int CheckAnswer() const override { return checked_ ? 1 : 0; }
  void ToggleState() override;
  void SelectGlyphState(TCanvas& glyph) override;
  void SmoothGlyphEdge(TCanvas& composed) override;
  int CustomGlyphCount() const override { return 6; }
  void DoEnter() override;
  // Down (without Shift, Ctrl or Alt) stays on the button and runs Click.
  bool HandleDialogKey(int key, TShiftState shift) override;
  void AcceleratorPressed() override;

 private:
  void SetReadOnlyAlone(bool value) { TVmCustomGlyphButton::SetReadOnly(value); }
  bool checked_ = false;
};

}  // namespace tandrel
