// Status panes: windowless controls on a status bar (or any parent) that
// paint a one-pixel frame and one line of text, can size themselves to the
// text and can blink the text colour on a timer shared by all panes. The
// glyph pane adds a small picture, the polling pane a share of one timer
// for all polling panes, and the clock pane shows the current date and time.
// The status bar itself lives with the framed panel (VmPanel.h).
#pragma once

#include <string>

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "framework/DateTime.h"
#include "framework/ImageList.h"
#include "widgets/VmDrawTypes.h"
#include "widgets/VmPanel.h"
#include "widgets/VmTransparency.h"

namespace tandrel {

// Messages between the shared blink timer and the panes.
inline constexpr unsigned kCmBlinkQuery = 0xB3E8;
inline constexpr unsigned kCmBlinkPhase = 0xB3E9;

// Width of the strip at the right end of the last pane that belongs to the
// bar's size grip.
inline constexpr int kGripStripWidth = 12;

// The common base. The text properties live here; each pane kind makes
// public those that fit it.
class TVmCustomStatusPane : public TControl {
 public:
  explicit TVmCustomStatusPane(TComponent* owner);
  ~TVmCustomStatusPane() override;

  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  TColor FillColor() const { return fillColor_; }
  void SetFillColor(TColor value);  // also clears ParentFillColor
  TColor FlatColor() const { return flatColor_; }
  void SetFlatColor(TColor value);
  int FlatColorAdjustment() const { return flatColorAdjustment_; }
  void SetFlatColorAdjustment(int value);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle value);
  bool ParentFillColor() const { return parentFillColor_; }
  void SetParentFillColor(bool value);
  bool Transparent() const override { return transparent_; }
  void SetTransparent(bool value);

  // Shared blink timer messages: 1 when blinking; the new phase (0 normal, 1 blink).
  // A pane that answers 1 other than through Blinking wakes the blink list itself.
  int BlinkQuery() const { return blinking_ ? 1 : 0; }
  void BlinkPhase(int phase);

  // The colour the text is drawn in now.
  TColor CaptionColor() const { return captionColor_; }

 protected:
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  // Shows the application's current hint as the caption.
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
  // Width of an auto-sized pane with an empty caption.
  int DefaultWidth() const { return defaultWidth_; }
  void SetDefaultWidth(int value);

  // Width wanted by auto-size.
  virtual int GetAutoWidth();
  // Rectangle for the text.
  virtual TRect GetContentRect() const;
  void DrawPaneCaption(TCanvas& canvas, const std::string& text);
  // Background and frame.
  void DrawPaneFrame(TCanvas& canvas);
  // Applies auto-size.
  void AdjustPaneWidth();

  void Paint(TCanvas& canvas) override;
  bool IsOpaque() const override { return !transparent_; }
  bool HitTestAt(TPoint local) const override;
  bool ExecuteAction(const THintAction& action) override;
  void Loaded() override;
  void TextChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  // The parent, when it is a status bar.
  TVmStatusBar* StatusBar() const;
  // The pane's right end lies under the bar's size grip, which is shown:
  // the last kGripStripWidth pixels then belong to the bar.
  bool UnderSizeGrip() const;

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
  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool autoHint_ = false;
  bool autoSize_ = false;
  bool blinking_ = false;
  TColor blinkColor_ = clHighlight;
  int captionOffset_ = 2;
  int defaultWidth_ = 40;
};

// Makes public, inside a pane class, the text properties that every pane
// kind but the plain base shows: placement, auto-size and blinking. A list of
// using-declarations rather than a class between base and pane: each class
// layer costs the executable a virtual table and a pair of destructors.
#define TANDREL_PUBLISH_PANE_TEXT(Base) \
  using Base::Alignment;                 \
  using Base::SetAlignment;              \
  using Base::AutoSize;                  \
  using Base::SetAutoSize;               \
  using Base::Blinking;                  \
  using Base::SetBlinking;               \
  using Base::BlinkColor;                \
  using Base::SetBlinkColor;             \
  using Base::BlinkIntervalOff;          \
  using Base::SetBlinkIntervalOff;       \
  using Base::BlinkIntervalOn;           \
  using Base::SetBlinkIntervalOn;        \
  using Base::CaptionOffset;             \
  using Base::SetCaptionOffset;          \
  using Base::DefaultWidth;              \
  using Base::SetDefaultWidth

// The plain text pane. Caption: the framework's caption; a different text
// repaints the pane and re-applies auto-size.
class TVmStatusPane : public TVmCustomStatusPane {
 public:
  explicit TVmStatusPane(TComponent* owner) : TVmCustomStatusPane(owner) {}

  TANDREL_PUBLISH_PANE_TEXT(TVmCustomStatusPane);

  using TVmCustomStatusPane::AutoHint;
  using TVmCustomStatusPane::SetAutoHint;
};

enum TGlyphAlignment : std::uint8_t { gaLeft, gaRight };

// A pane with a small picture beside its caption: an image of Images, or
// its own Glyph bitmap (which may hold up to four cells side by side, the
// second one shown while the pane is disabled).
class TVmCustomGlyphStatus : public TVmCustomStatusPane {
 public:
  explicit TVmCustomGlyphStatus(TComponent* owner);
  ~TVmCustomGlyphStatus() override;

  // Copies the bitmap; NumGlyphs follows its shape (see GlyphChanged).
  const TBitmap& Glyph() const { return glyph_; }
  void SetGlyph(const TBitmap& value) { glyph_.Assign(value); }
  TGlyphAlignment GlyphAlignment() const { return glyphAlignment_; }
  void SetGlyphAlignment(TGlyphAlignment value);
  // Pixels between the border band and the picture, and between the picture and the text.
  int GlyphOffset() const { return glyphOffset_; }
  void SetGlyphOffset(int value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  // Shown while disabled; -1 lets the image list grey ImageIndex.
  int DisabledIndex() const { return disabledIndex_; }
  void SetDisabledIndex(int value);
  // Not owned; forgotten when the list is destroyed.
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* value);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);  // 1..4
  bool ShowGlyph() const { return showGlyph_; }
  void SetShowGlyph(bool value);

  // The picture's width and height ((0, 0) without one).
  TSize GetGlyphSize() const;

 protected:
  int GetAutoWidth() override;
  TRect GetContentRect() const override;
  void Paint(TCanvas& canvas) override;
  // Draws Glyph (its normal or disabled cell) into `r`, leaving out its
  // transparent colour.
  void DrawGlyph(TCanvas& canvas, const TRect& r);
  // Draws from Images into `r`, its top-left corner at r's.
  void DrawImage(TCanvas& canvas, const TRect& r);

 private:
  bool UsesImageList() const { return images_ && imageIndex_ != -1; }
  void GlyphChanged();
  void ImagesChanged(TCustomImageList& list);

  TBitmap glyph_;
  TGlyphAlignment glyphAlignment_ = gaLeft;
  int glyphOffset_ = 2;
  int imageIndex_ = -1;
  int disabledIndex_ = -1;
  TCustomImageList* images_ = nullptr;  // not owned
  TChangeLink imagesLink_;
  int numGlyphs_ = 1;
  bool showGlyph_ = true;
};

class TVmGlyphStatus : public TVmCustomGlyphStatus {
 public:
  explicit TVmGlyphStatus(TComponent* owner) : TVmCustomGlyphStatus(owner) {}

  TANDREL_PUBLISH_PANE_TEXT(TVmCustomGlyphStatus);

  using TVmCustomStatusPane::AutoHint;
  using TVmCustomStatusPane::SetAutoHint;
};

// A pane called on every tick of one timer that all polling panes share
// (see VmPollingList.h). Hidden panes are skipped.
class TVmPollingStatus : public TVmCustomStatusPane {
 public:
  explicit TVmPollingStatus(TComponent* owner);
  ~TVmPollingStatus() override;

  // The shared timer's state and interval: setting them on one pane acts on all.
  bool Active() const;
  void SetActive(bool value);
  unsigned Interval() const;
  void SetInterval(unsigned value);  // milliseconds, 16 bits

  // Fired on every poll that reaches this pane.
  const TNotifyEvent& OnTimerExpired() const { return onTimerExpired_; }
  void SetOnTimerExpired(TNotifyEvent handler);

  // The shared timer's tick, for a visible pane.
  virtual void TimerExpired();
  // Whether this pane's poll now does anything that can be seen or heard.
  virtual bool PollMatters() const;
  // The ticks missed while the timer slept (the last one `ago` ms back):
  // what they would have left behind.
  virtual void CatchUp(unsigned long long ago) { (void)ago; }
  // Clock ticks of the last time the pane was made visible (0: from the start).
  unsigned long long VisibleSince() const { return visibleSince_; }

 protected:
  void Paint(TCanvas& canvas) override;
  void VisibleChanged() override;
  // Painted means seen: a sleeping timer runs again.
  void WakePolling();

 private:
  TNotifyEvent onTimerExpired_;
  unsigned long long visibleSince_ = 0;
};

// Sender, and the moment about to be shown, which the handler may replace.
using TVmGetDateTimeEvent = TEvent<TObject*, TDateTime&>;

// Shows the current date and time, recomputed on every poll and repainted
// only when the text changes. Its caption is always the last formatted time.
class TVmClockStatus : public TVmPollingStatus {
 public:
  explicit TVmClockStatus(TComponent* owner);

  TANDREL_PUBLISH_PANE_TEXT(TVmPollingStatus);

  // A date-time format; empty means the general format (short date, then
  // the long time unless it is midnight to the second).
  const std::string& Format() const { return format_; }
  void SetFormat(const std::string& value);
  const std::string& ClockText() const { return clockText_; }

  const TVmGetDateTimeEvent& OnGetDateTime() const { return onGetDateTime_; }
  void SetOnGetDateTime(TVmGetDateTimeEvent handler);

  void TimerExpired() override;
  bool PollMatters() const override;
  void CatchUp(unsigned long long ago) override;

 protected:
  // Formats the current moment and, when the text changed, shows it.
  void UpdateTime();
  // The same for a given moment; `repaint` false when it is being painted anyway.
  void UpdateTimeAt(TDateTime moment, bool repaint);
  TRect GetContentRect() const override;
  void Paint(TCanvas& canvas) override;
  void Loaded() override;
  void TextChanged() override;

 private:
  // The caption comes from the clock alone.
  using TControl::SetCaption;
  using TControl::SetText;

  std::string format_;
  std::string clockText_;
  bool showingTime_ = false;
  bool painting_ = false;
  TVmGetDateTimeEvent onGetDateTime_;
};

}  // namespace tandrel
