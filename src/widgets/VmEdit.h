// Framed single-line edits. TVmCustomEdit is the platform's edit with
// colours by state, a custom frame in the non-client area, the Enter-key
// option and Ctrl+A; TVmEdit publishes it;
// TVmNumericEdit holds one number, parsed from its text, filters typed keys
// and clamps and reformats the number when the focus leaves.
#pragma once

#include <string>
#include <string_view>

#include "framework/Edit.h"
#include "platform/Locale.h"
#include "widgets/VmDrawTypes.h"

namespace tandrel {

using Extended = long double;

class TVmCustomEdit : public TCustomEdit {
 public:
  explicit TVmCustomEdit(TComponent* owner);

  int CaretPos() const { return SelStart() + SelLength(); }

  TColor FocusColor() const { return focusColor_; }
  void SetFocusColor(TColor value);
  TColor DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(TColor value);
  TColor ReadOnlyColor() const { return readOnlyColor_; }
  void SetReadOnlyColor(TColor value);
  bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
  void SetReadOnlyColorOnFocus(bool value);
  // Read-only edits show ReadOnlyColor.
  void SetReadOnly(bool value);
  bool FrameVisible() const { return frameVisible_; }
  void SetFrameVisible(bool value);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle value);
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor value);
  bool FrameHotTrack() const { return frameHotTrack_; }
  void SetFrameHotTrack(bool value);
  TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
  void SetFrameHotStyle(TFrameStyle value);
  TColor FrameHotColor() const { return frameHotColor_; }
  void SetFrameHotColor(TColor value);
  TSides FrameSides() const { return frameSides_; }
  void SetFrameSides(TSides value);
  TFramingPreference FramingPreference() const { return framingPreference_; }
  void SetFramingPreference(TFramingPreference value);
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool value) { tabOnEnter_ = value; }

  bool HasFocus() const { return hasFocus_; }
  bool MouseInside() const { return mouseInside_; }
  // The custom frame is drawn (frame visible and no platform theme preferred).
  bool UseCustomFrame() const;

 protected:
  // Fires OnChange unless loading or ChangeSuppressed.
  void Change() override;
  // A typed character before it goes into the text; set it to 0 to refuse
  // it. Handles Enter as Tab and fires OnKeyPress.
  virtual void FilterKey(char32_t& ch);
  // Whether a paste or cut may leave `result` as the text; a refused one
  // changes nothing.
  virtual bool AcceptsEditResult(const std::string& result) { (void)result; return true; }
  // Colour for the current state (disabled, focused, read-only, at rest).
  void ApplyStateColor();
  void RefreshFrame();
  bool ChangeSuppressed() const { return Loading() || suppressChange_; }
  void SetSuppressChange(bool value) { suppressChange_ = value; }

  bool ClientEdge() const override { return frameVisible_; }
  void PaintNonClient(TCanvas& canvas) override;
  int FrameWidth() const override { return frameVisible_ ? 2 : 0; }
  void KeyDown(int& key, TShiftState shift) override;
  void KeyPress(char32_t& ch) override;
  void DoEnter() override;
  void DoExit() override;
  void MouseEnter() override;
  void MouseLeave() override;
  bool FollowsMouse() const override { return true; }
  void EnabledChanged() override;
  void ColorChanged() override;
  void BoundsChanged(bool resized) override;
  void Loaded() override;
  bool HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                     std::intptr_t& result) override;

  // The entry and exit steps of the framed edit, for descendants that run
  // their own steps around them.
  void FramedEnter();
  void FramedExit();

 private:
  // The text a paste (or cut) of the selection would leave.
  std::string TextAfterPaste(const std::string& inserted) const;

  TColor focusColor_ = clWindow;
  TColor disabledColor_ = clBtnFace;
  TColor readOnlyColor_ = clInfoBk;
  bool readOnlyColorOnFocus_ = false;
  bool frameVisible_ = false;
  TFrameStyle frameStyle_ = fsFlat;
  TColor frameColor_ = clBtnShadow;
  bool frameHotTrack_ = false;
  TFrameStyle frameHotStyle_ = fsFlatBold;
  TColor frameHotColor_ = clBtnShadow;
  TSides frameSides_ = kAllSides;
  TFramingPreference framingPreference_ = fpXPThemes;
  bool tabOnEnter_ = false;
  TColor restColor_ = clWindow;
  bool applyingColor_ = false;
  bool hasFocus_ = false;
  bool mouseInside_ = false;
  bool suppressChange_ = false;
};

class TVmEdit : public TVmCustomEdit {
 public:
  explicit TVmEdit(TComponent* owner) : TVmCustomEdit(owner) {}
};

// (Sender, EnteredValue, AdjustedValue, AutoCorrect)
using TVmRangeErrorEvent = TEvent<TObject*, Extended, Extended, bool&>;

// The number texts of the numeric edit, free of any control.
// Reads a displayed number: thousands separators, parentheses, signs and
// other characters are dropped; a "(" anywhere or a leading or trailing
// minus makes it negative; unreadable texts give 0.
Extended ParseNumericText(std::string_view text, const platform::LocaleFormats& formats);
// Round to the nearest integer, ties to even.
long long RoundTiesToEven(Extended value);

class TVmNumericEdit : public TVmEdit {
 public:
  explicit TVmNumericEdit(TComponent* owner);

  // Parsed from the text each time; an empty text reads as BlankValue when
  // AllowBlank, otherwise the text first becomes the formatted Min.
  Extended Value();
  // Rewrites the text only when `value` differs from the number shown.
  void SetValue(Extended value);
  long long IntegerValue() { return RoundTiesToEven(Value()); }
  void SetIntegerValue(long long value) { SetValue(static_cast<Extended>(value)); }

  Extended Min() const { return min_; }
  void SetMin(Extended value);
  Extended Max() const { return max_; }
  void SetMax(Extended value);
  bool CheckRange() const { return checkRange_; }
  void SetCheckRange(bool value) { checkRange_ = value; }
  bool AllowBlank() const { return allowBlank_; }
  void SetAllowBlank(bool value) { allowBlank_ = value; }
  Extended BlankValue() const { return blankValue_; }
  void SetBlankValue(Extended value) { blankValue_ = value; }
  bool IntegersOnly() const { return integersOnly_; }
  void SetIntegersOnly(bool value);
  const std::string& DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const std::string& value);
  bool BeepOnInvalidKey() const { return beepOnInvalidKey_; }
  void SetBeepOnInvalidKey(bool value) { beepOnInvalidKey_ = value; }

  Extended ParseDisplayText(std::string_view text) const;
  std::string FormatDisplayText(Extended value) const;
  // Whether a typed character may go in at the caret (and selection).
  bool AcceptsKey(char32_t ch) const;
  // Whether a whole text keeps to the typing rules (a paste or cut leaving it).
  bool AcceptsText(std::string_view text) const;

  TVmRangeErrorEvent OnRangeError;

 protected:
  // The value to keep on exit; false when leaving is refused.
  bool RangeCheckValue(Extended& value);
  void FilterKey(char32_t& ch) override;
  bool AcceptsEditResult(const std::string& result) override;
  void DoEnter() override;
  void DoExit() override;
  void Loaded() override;
  bool HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                     std::intptr_t& result) override;
  // Sounds the platform beep for a refused character.
  void InvalidKeyBeep();

 private:
  Extended min_ = 0;
  Extended max_ = 0;
  bool checkRange_ = false;
  bool allowBlank_ = false;
  Extended blankValue_ = 0;
  bool integersOnly_ = true;
  std::string displayFormat_ = ",0;(,0)";
  bool beepOnInvalidKey_ = true;
  Extended entryValue_ = 0;
  bool refocusing_ = false;
};

}  // namespace tandrel
