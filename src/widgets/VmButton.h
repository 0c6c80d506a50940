// The push buttons of the widget set. TVmCustomButton tracks the pointer,
// the press and the Space key and draws the caption; TVmButton adds the face,
// default and cancel keys and the optional toggle group; TVmBitBtn adds a
// picture from a glyph strip or an image list.
#pragma once

#include <functional>
#include <string>

#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "framework/WinControl.h"
#include "widgets/VmDrawTypes.h"
#include "widgets/VmLayoutTypes.h"

namespace tandrel {

class TVmCustomButton : public TCustomControl {
 public:
  explicit TVmCustomButton(TComponent* owner);

  TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
  void SetAlignmentVertical(TAlignmentVertical value);
  bool HotTrack() const { return hotTrack_; }
  virtual void SetHotTrack(bool value);
  TColor HighlightColor() const { return highlightColor_; }
  void SetHighlightColor(TColor value);
  bool LightTextStyle() const { return lightTextStyle_; }
  void SetLightTextStyle(bool value);
  TTextStyle TextStyle() const { return textStyle_; }
  void SetTextStyle(TTextStyle value);
  TColor TextHighlightColor() const { return textHighlightColor_; }
  void SetTextHighlightColor(TColor value);
  TColor TextShadowColor() const { return textShadowColor_; }
  void SetTextShadowColor(TColor value);
  int TextShadowDepth() const { return textShadowDepth_; }
  void SetTextShadowDepth(int value);
  bool ThemeAware() const { return themeAware_; }
  void SetThemeAware(bool value);
  bool TransparentCorners() const { return transparentCorners_; }
  void SetTransparentCorners(bool value);

  // Pointer and press state, for painting and for tests.
  bool MouseOver() const { return mouseOver_; }
  bool ShowPressed() const { return showPressed_; }
  bool MouseActive() const { return mouseActive_; }

 protected:
  // Background erase around the face; nothing in the base.
  virtual void EraseCorners(TCanvas& canvas) { (void)canvas; }
  // Redraw after the press state changed; nothing in the base.
  virtual void ShowStateChange() {}
  virtual void ShowFocusChange() { Invalidate(); }
  // The area in which a press is tracked.
  TRect TrackingRect() const { return ClientRect(); }
  // Draws the caption in `area` with the DT_* `format` (word break and
  // tab expansion added), engraved when disabled.
  void PaintCaptionText(TCanvas& canvas, TRect area, unsigned format);
  // What a completed press, Space or accelerator does.
  virtual void ActivateClick() = 0;

  bool EraseBackground(TCanvas& canvas) override;
  bool ClickEvents() const override { return false; }
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  bool FollowsMouse() const override { return true; }
  void KeyDown(int& key, TShiftState shift) override;
  void KeyUp(int& key, TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;
  void EnabledChanged() override;
  void AcceleratorPressed() override;

  void SetShowPressed(bool value);
  // Runs ActivateClick with the in-click flag set, cleared also on failure.
  void RunActivateClick();
  bool InClick() const { return inClick_; }
  bool SpaceHeld() const { return spaceHeld_; }

  bool mouseOver_ = false;
  bool mouseActive_ = false;
  bool showPressed_ = false;
  bool spaceHeld_ = false;

 private:
  TAlignmentVertical alignmentVertical_ = avCenter;
  bool hotTrack_ = false;
  TColor highlightColor_ = clHighlight;
  bool lightTextStyle_ = false;
  TTextStyle textStyle_ = tsNormal;
  TColor textHighlightColor_ = clBtnHighlight;
  TColor textShadowColor_ = clBtnShadow;
  int textShadowDepth_ = 2;
  bool themeAware_ = true;
  bool transparentCorners_ = false;
  bool inClick_ = false;
};

enum class TButtonDownState { Up, Down, StaysDown };

class TVmButton : public TVmCustomButton {
  TANDREL_CLASS_ID(TVmButton, TVmCustomButton)
  explicit TVmButton(TComponent* owner);

  // Sets the parent window's modal result to ModalResult, then fires
  // OnClick; visibility and enabled state are not looked at.
  void Click() override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  bool Down() const { return downState_ != TButtonDownState::Up; }
  void SetDown(bool value);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);
  bool ShowDownPattern() const { return showDownPattern_; }
  void SetShowDownPattern(bool value);
  bool ShowFocusRect() const { return showFocusRect_; }
  void SetShowFocusRect(bool value);
  bool DropDownOnEnter() const { return dropDownOnEnter_; }
  void SetDropDownOnEnter(bool value) { dropDownOnEnter_ = value; }
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor value);
  TColor HotTrackColor() const { return hotTrackColor_; }
  void SetHotTrackColor(TColor value);
  TVmHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
  void SetHotTrackColorType(TVmHotTrackColorType value);

  void SetHotTrack(bool value) override;
  TButtonDownState DownState() const { return downState_; }
  // The button draws the focus-and-default ring.
  bool ShowsDefault() const { return showsDefault_; }

 protected:
  void EraseCorners(TCanvas& canvas) override;
  void ShowStateChange() override { Invalidate(); }
  void ActivateClick() override;
  // Where the caption goes.
  virtual TRect CaptionArea() const;
  // Caption (and picture, in descendants) over the painted face.
  virtual void PaintContent(TCanvas& canvas);
  void MakeDownPattern(TCanvas& canvas, const TRect& face);

  void Paint(TCanvas& canvas) override;
  bool IsOpaque() const override { return !TransparentCorners(); }
  void HandleCreated() override;
  void DoEnter() override;
  void DoExit() override;
  // Enter while this button shows the default ring, Escape on a Cancel button.
  bool HandleDialogKey(int key, TShiftState shift) override;
  // Whether the pressed look applies (down, stays down or pressed).
  bool PressedLook() const;

 private:
  // Tells the other grouped buttons of the same parent that this one went down.
  void NotifyGroup();
  void ForEachButtonOfForm(const std::function<void(TVmButton&)>& action);
  void SetShowsDefault(bool value);

  TAlignment alignment_ = TAlignment::taCenter;
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool showDownPattern_ = true;
  bool showFocusRect_ = true;
  bool dropDownOnEnter_ = true;
  TColor frameColor_ = cl3DDkShadow;
  TColor hotTrackColor_ = 1350640;
  TVmHotTrackColorType hotTrackColorType_ = htctActual;
  TButtonDownState downState_ = TButtonDownState::Up;
  bool showsDefault_ = false;
};

enum TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TBitBtnKind : std::uint8_t {
  bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll
};

class TVmBitBtn : public TVmButton {
 public:
  explicit TVmBitBtn(TComponent* owner);
  ~TVmBitBtn() override;

  // Copies the bitmap; NumGlyphs follows its shape (see GlyphChanged).
  const TBitmap& Glyph() const { return glyph_; }
  void SetGlyph(const TBitmap& value);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);  // 1..4
  TCustomImageList* Images() const { return images_; }  // not owned
  void SetImages(TCustomImageList* value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  int DisabledIndex() const { return disabledIndex_; }
  void SetDisabledIndex(int value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return margin_; }
  void SetMargin(int value);  // values below -1 are refused
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  TBitBtnKind Kind() const;
  void SetKind(TBitBtnKind value);

 protected:
  TRect CaptionArea() const override;
  void PaintContent(TCanvas& canvas) override;
  // Width and height of one picture (0, 0 without a picture).
  TSize PictureSize() const;
  TRect PictureArea(const TRect& captionArea) const;
  void PaintListPicture(TCanvas& canvas, const TRect& area);
  void PaintStripPicture(TCanvas& canvas, const TRect& area);

 private:
  bool HasPicture() const;
  bool UsesImageList() const;
  void GlyphChanged();

  TBitmap glyph_;
  int numGlyphs_ = 1;
  TCustomImageList* images_ = nullptr;  // not owned
  TChangeLink imagesLink_;
  int imageIndex_ = -1;
  int disabledIndex_ = -1;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = 2;
  int spacing_ = 4;
  TBitBtnKind kind_ = bkCustom;
  bool glyphEdited_ = false;
};

}  // namespace tandrel
