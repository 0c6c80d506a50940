// The framed edit: the platform's edit with the colour by state, the
// custom non-client frame, Enter as Tab, Ctrl+A, and pastes and cuts that
// a descendant may refuse.
#include "framework/Form.h"
#include "widgets/VmBorders.h"
#include "widgets/VmEdit.h"
#include "widgets/VmFrameRefresh.h"
#include "widgets/VmSchemes.h"

namespace tandrel {

namespace {

constexpr int kKeyA = 'A';
constexpr char32_t kCtrlA = 0x01;

}  // namespace

TVmCustomEdit::TVmCustomEdit(TComponent* owner) : TCustomEdit(owner) {
  SetBounds(0, 0, 65, 21);
  SetColor(clWindow);
  SetCursor(TCursor::IBeam);
}

void TVmCustomEdit::Change() {
  if (!ChangeSuppressed()) TCustomEdit::Change();
}

// --- Keys and the clipboard ---

void TVmCustomEdit::KeyDown(int& key, TShiftState shift) {
  TCustomEdit::KeyDown(key, shift);
  // The classic edit has no select-all key.
  if (key == kKeyA && (shift & platform::shift::kCtrl) && !(shift & platform::shift::kAlt)) {
    SelectAll();
    key = 0;
  }
}

void TVmCustomEdit::FilterKey(char32_t& ch) {
  if (ch == U'\r' && tabOnEnter_) {
    ch = 0;
    if (TCustomForm* form = GetParentForm()) form->SelectNext(this, true, true);
    return;
  }
  TCustomEdit::KeyPress(ch);
}

void TVmCustomEdit::KeyPress(char32_t& ch) {
  // Ctrl+A was done on its key-down; a Tab has moved the focus on already.
  if (ch == kCtrlA || ch == U'\t') {
    ch = 0;
    return;
  }
  FilterKey(ch);
}

std::string TVmCustomEdit::TextAfterPaste(const std::string& inserted) const {
  std::string text = Text();
  const auto start = std::min(static_cast<std::size_t>(SelStart()), text.size());
  const auto length = std::min(static_cast<std::size_t>(SelLength()), text.size() - start);
  // A single-line edit takes the first line only.
  text.replace(start, length, inserted.substr(0, inserted.find_first_of("\r\n")));
  return text;
}

bool TVmCustomEdit::HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                  std::intptr_t& result) {
  if (message == platform::msg::kPaste || message == platform::msg::kCut) {
    const bool refused =
        ReadOnly() ||
        !AcceptsEditResult(TextAfterPaste(message == platform::msg::kPaste ? Windows().ClipboardText() : ""));
    if (refused) {
      result = 0;
      return true;
    }
  }
  return TCustomEdit::HandleMessage(message, wParam, lParam, result);
}

// --- Focus, mouse, state colours ---

void TVmCustomEdit::FramedEnter() {
  hasFocus_ = true;
  if (frameHotTrack_) RefreshFrame();
  ApplyStateColor();
  TCustomEdit::DoEnter();
}

void TVmCustomEdit::FramedExit() {
  TCustomEdit::DoExit();
  hasFocus_ = false;
  if (frameHotTrack_) RefreshFrame();
  ApplyStateColor();
}

void TVmCustomEdit::DoEnter() { FramedEnter(); }
void TVmCustomEdit::DoExit() { FramedExit(); }

void TVmCustomEdit::MouseEnter() {
  TCustomEdit::MouseEnter();
  mouseInside_ = true;
  if (frameHotTrack_) RefreshFrame();
  ApplyStateColor();
}

void TVmCustomEdit::MouseLeave() {
  TCustomEdit::MouseLeave();
  mouseInside_ = false;
  if (frameHotTrack_) RefreshFrame();
  ApplyStateColor();
}

void TVmCustomEdit::ApplyStateColor() {
  if (Loading()) return;
  TColor color = restColor_;
  if (!Enabled()) {
    color = disabledColor_;
  } else if (hasFocus_) {
    color = ReadOnly() && readOnlyColorOnFocus_ ? readOnlyColor_ : focusColor_;
  } else if (ReadOnly()) {
    color = readOnlyColor_;
  }
  applyingColor_ = true;
  SetColor(color);
  applyingColor_ = false;
}

void TVmCustomEdit::ColorChanged() {
  if (!applyingColor_) {
    if (focusColor_ == restColor_) focusColor_ = Color();
    restColor_ = Color();
  }
  TCustomEdit::ColorChanged();
  RefreshFrame();
}

void TVmCustomEdit::EnabledChanged() {
  TCustomEdit::EnabledChanged();
  ApplyStateColor();
  RefreshFrame();
}

void TVmCustomEdit::BoundsChanged(bool resized) {
  TCustomEdit::BoundsChanged(resized);
  if (resized) RefreshFrame();
}

void TVmCustomEdit::Loaded() {
  TCustomEdit::Loaded();
  ApplyStateColor();
  RefreshFrame();
}

void TVmCustomEdit::SetReadOnly(bool value) {
  if (ReadOnly() == value) return;
  TCustomEdit::SetReadOnly(value);
  ApplyStateColor();
}

void TVmCustomEdit::SetFocusColor(TColor value) {
  if (focusColor_ == value) return;
  focusColor_ = value;
  if (hasFocus_) ApplyStateColor();
}

void TVmCustomEdit::SetDisabledColor(TColor value) {
  if (disabledColor_ == value) return;
  disabledColor_ = value;
  ApplyStateColor();
}

void TVmCustomEdit::SetReadOnlyColor(TColor value) {
  if (readOnlyColor_ == value) return;
  readOnlyColor_ = value;
  if (ReadOnly()) ApplyStateColor();
}

void TVmCustomEdit::SetReadOnlyColorOnFocus(bool value) {
  if (readOnlyColorOnFocus_ == value) return;
  readOnlyColorOnFocus_ = value;
  ApplyStateColor();
}

// --- Frame ---

bool TVmCustomEdit::UseCustomFrame() const {
  return frameVisible_ && !(framingPreference_ == fpXPThemes && VisualThemesEnabled());
}

void TVmCustomEdit::RefreshFrame() {
  if (HandleAllocated() && !Loading()) RefreshNonClientFrame(Handle(), Bounds(0, 0, Width(), Height()));
}

void TVmCustomEdit::SetFrameVisible(bool value) {
  if (frameVisible_ == value) return;
  frameVisible_ = value;
  // The client edge changes the non-client band, so the window is made anew.
  RecreateWindow();
  RefreshFrame();
}

#define VM_FRAME_SETTER(Name, member)                       \
  void TVmCustomEdit::Set##Name(decltype(member) value) {   \
    if (member == value) return;                            \
    member = value;                                         \
    RefreshFrame();                                         \
  }

VM_FRAME_SETTER(FrameStyle, frameStyle_)
VM_FRAME_SETTER(FrameColor, frameColor_)
VM_FRAME_SETTER(FrameHotStyle, frameHotStyle_)
VM_FRAME_SETTER(FrameHotColor, frameHotColor_)
VM_FRAME_SETTER(FrameSides, frameSides_)
VM_FRAME_SETTER(FramingPreference, framingPreference_)

#undef VM_FRAME_SETTER

void TVmCustomEdit::SetFrameHotTrack(bool value) {
  if (frameHotTrack_ == value) return;
  frameHotTrack_ = value;
  if (value) {
    SetFrameVisible(true);
    if (!Loading()) SetFrameSides(kAllSides);
  }
  RefreshFrame();
}

void TVmCustomEdit::PaintNonClient(TCanvas& canvas) {
  if (!UseCustomFrame()) return;
  const bool hot = frameHotTrack_ && (hasFocus_ || mouseInside_);
  StrokeControlFrame(canvas, Width(), Height(), false, frameSides_, hot ? frameHotColor_ : frameColor_,
                     Color(), hot ? frameHotStyle_ : frameStyle_);
}

}  // namespace tandrel
