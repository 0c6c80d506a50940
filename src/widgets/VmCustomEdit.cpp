// The framed edit: the editable window text with selection and caret, the
// keys that edit it, the colour by state and the custom non-client frame.
#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "widgets/VmBorders.h"
#include "widgets/VmEdit.h"
#include "widgets/VmFrameRefresh.h"
#include "widgets/VmSchemes.h"

namespace tandrel {

namespace {

constexpr int kDeleteKey = 0x2E;  // VK_DELETE
constexpr int kHomeKey = 0x24;    // VK_HOME
constexpr int kEndKey = 0x23;     // VK_END
constexpr int kTextPadding = 2;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::string EncodeUtf8(char32_t ch) {
  std::string out;
  if (ch < 0x80) {
    out += static_cast<char>(ch);
  } else if (ch < 0x800) {
    out += static_cast<char>(0xC0 | (ch >> 6));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else if (ch < 0x10000) {
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (ch >> 18));
    out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  }
  return out;
}

std::size_t PreviousBoundary(const std::string& text, std::size_t pos) {
  if (pos == 0) return 0;
  --pos;
  while (pos > 0 && IsContinuationByte(text[pos])) --pos;
  return pos;
}

std::size_t NextBoundary(const std::string& text, std::size_t pos) {
  if (pos >= text.size()) return text.size();
  ++pos;
  while (pos < text.size() && IsContinuationByte(text[pos])) ++pos;
  return pos;
}

}  // namespace

TVmCustomEdit::TVmCustomEdit(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 65, 21);
  SetColor(clWindow);
  SetTabStop(true);
  SetCursor(TCursor::IBeam);
}

// --- Text, selection and editing ---

void TVmCustomEdit::ClampSelection() {
  const std::size_t size = Text().size();
  selStart_ = std::min(selStart_, size);
  selLength_ = std::min(selLength_, size - selStart_);
}

void TVmCustomEdit::SetSelStart(int value) {
  selStart_ = static_cast<std::size_t>(std::max(value, 0));
  selLength_ = 0;
  ClampSelection();
  Invalidate();
}

void TVmCustomEdit::SetSelLength(int value) {
  selLength_ = static_cast<std::size_t>(std::max(value, 0));
  ClampSelection();
  Invalidate();
}

std::string TVmCustomEdit::SelText() const { return Text().substr(selStart_, selLength_); }

void TVmCustomEdit::SetSelText(std::string_view text) { ReplaceRange(selStart_, selLength_, text); }

void TVmCustomEdit::SelectAll() {
  selStart_ = 0;
  selLength_ = Text().size();
  Invalidate();
}

void TVmCustomEdit::PasteText(std::string_view text) {
  if (readOnly_) return;
  SetSelText(text);
}

void TVmCustomEdit::CutSelection() {
  if (readOnly_ || selLength_ == 0) return;
  SetSelText("");
}

void TVmCustomEdit::ReplaceRange(std::size_t start, std::size_t length, std::string_view text) {
  std::string value = Text();
  start = std::min(start, value.size());
  length = std::min(length, value.size() - start);
  value.replace(start, length, text);
  // The caret goes after the insertion before OnChange sees the new text.
  selStart_ = start + text.size();
  selLength_ = 0;
  if (value == Text()) {
    Invalidate();
    return;
  }
  SetText(value);
}

void TVmCustomEdit::TextChanged() {
  ClampSelection();
  TCustomControl::TextChanged();
  Change();
}

void TVmCustomEdit::Change() {
  if (!ChangeSuppressed()) OnChange(this);
}

bool TVmCustomEdit::WantsKey(int key) const {
  using namespace platform::vk;
  return key == kLeft || key == kRight || key == kHomeKey || key == kEndKey || key == kDeleteKey;
}

void TVmCustomEdit::KeyDown(int& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  const std::string& text = Text();
  const std::size_t caret = selStart_ + selLength_;
  switch (key) {
    case platform::vk::kLeft:
      selStart_ = selLength_ > 0 ? selStart_ : PreviousBoundary(text, caret);
      selLength_ = 0;
      break;
    case platform::vk::kRight:
      selStart_ = selLength_ > 0 ? caret : NextBoundary(text, caret);
      selLength_ = 0;
      break;
    case kHomeKey:
      selStart_ = 0;
      selLength_ = 0;
      break;
    case kEndKey:
      selStart_ = text.size();
      selLength_ = 0;
      break;
    case kDeleteKey:
      if (readOnly_) break;
      if (selLength_ > 0) ReplaceRange(selStart_, selLength_, "");
      else if (caret < text.size()) ReplaceRange(caret, NextBoundary(text, caret) - caret, "");
      break;
    default:
      return;
  }
  Invalidate();
}

void TVmCustomEdit::FilterKey(char32_t& ch) {
  if (ch == U'\r' && tabOnEnter_) {
    ch = 0;
    if (TCustomForm* form = GetParentForm()) form->SelectNext(this, true, true);
    return;
  }
  TCustomControl::KeyPress(ch);
}

void TVmCustomEdit::KeyPress(char32_t& ch) {
  FilterKey(ch);
  if (ch == 0 || readOnly_) return;
  if (ch == U'\b') {
    if (selLength_ > 0) {
      ReplaceRange(selStart_, selLength_, "");
    } else if (selStart_ > 0) {
      std::size_t from = PreviousBoundary(Text(), selStart_);
      ReplaceRange(from, selStart_ - from, "");
    }
  } else if (ch >= 0x20 && ch != 0x7F) {
    ReplaceRange(selStart_, selLength_, EncodeUtf8(ch));
  }
}

// --- Focus, mouse, state colours ---

void TVmCustomEdit::FramedEnter() {
  hasFocus_ = true;
  if (frameHotTrack_) RefreshFrame();
  ApplyStateColor();
  if (autoSelect_) SelectAll();
  TCustomControl::DoEnter();
}

void TVmCustomEdit::FramedExit() {
  TCustomControl::DoExit();
  hasFocus_ = false;
  if (frameHotTrack_) RefreshFrame();
  ApplyStateColor();
}

void TVmCustomEdit::DoEnter() { FramedEnter(); }
void TVmCustomEdit::DoExit() { FramedExit(); }

void TVmCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && Enabled()) {
    const bool hadFocus = hasFocus_;
    SetFocus();
    // The first click into the field keeps the select-all of the entry.
    if (hadFocus || !autoSelect_) {
      selStart_ = OffsetAtX(x);
      selLength_ = 0;
      Invalidate();
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TVmCustomEdit::MouseEnter() {
  TCustomControl::MouseEnter();
  mouseInside_ = true;
  if (frameHotTrack_) RefreshFrame();
  ApplyStateColor();
}

void TVmCustomEdit::MouseLeave() {
  TCustomControl::MouseLeave();
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
    color = readOnly_ && readOnlyColorOnFocus_ ? readOnlyColor_ : focusColor_;
  } else if (readOnly_) {
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
  TCustomControl::ColorChanged();
  RefreshFrame();
}

void TVmCustomEdit::EnabledChanged() {
  TCustomControl::EnabledChanged();
  ApplyStateColor();
  RefreshFrame();
}

void TVmCustomEdit::Loaded() {
  TCustomControl::Loaded();
  ApplyStateColor();
  RefreshFrame();
}

void TVmCustomEdit::SetReadOnly(bool value) {
  if (readOnly_ == value) return;
  readOnly_ = value;
  ApplyStateColor();
}

void TVmCustomEdit::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  Invalidate();
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
  if (readOnly_) ApplyStateColor();
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
  if (HandleAllocated() && !Loading()) {
    const bool focused = Focused();
    DestroyHandle();
    HandleNeeded();
    if (focused) SetFocus();
  }
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

// --- Painting ---

int TVmCustomEdit::TextOrigin(TCanvas& canvas) const {
  const int width = canvas.TextWidth(Text());
  switch (alignment_) {
    case TAlignment::taRightJustify: return ClientWidth() - kTextPadding - width;
    case TAlignment::taCenter: return (ClientWidth() - width) / 2;
    case TAlignment::taLeftJustify: break;
  }
  return kTextPadding;
}

std::size_t TVmCustomEdit::OffsetAtX(int x) {
  TBitmap measure(1, 1);
  TCanvas& canvas = measure.Canvas();
  canvas.Font.Assign(Font());
  const std::string& text = Text();
  const int origin = TextOrigin(canvas);
  std::size_t best = 0;
  int bestDistance = std::abs(x - origin);
  for (std::size_t pos = NextBoundary(text, 0); pos <= text.size() && !text.empty();
       pos = NextBoundary(text, pos)) {
    int distance = std::abs(x - (origin + canvas.TextWidth(std::string_view(text).substr(0, pos))));
    if (distance < bestDistance) {
      best = pos;
      bestDistance = distance;
    }
    if (pos == text.size()) break;
  }
  return best;
}

void TVmCustomEdit::Paint(TCanvas& canvas) {
  const TRect client = ClientRect();
  canvas.Brush.SetStyle(bsSolid);
  canvas.Brush.SetColor(Color());
  canvas.FillRect(client);
  canvas.Font.Assign(Font());
  if (!Enabled()) canvas.Font.SetColor(clGrayText);
  const std::string& text = Text();
  const int x = TextOrigin(canvas);
  const int y = (client.Height() - canvas.TextHeight("Pp")) / 2;
  canvas.Brush.SetStyle(bsClear);
  canvas.TextOut(x, y, text);
  const std::string_view view(text);
  const int selLeft = x + canvas.TextWidth(view.substr(0, selStart_));
  if (hasFocus_ && selLength_ > 0) {
    const int selRight = x + canvas.TextWidth(view.substr(0, selStart_ + selLength_));
    const TRect band{selLeft, y, selRight, y + canvas.TextHeight("Pp")};
    canvas.Brush.SetStyle(bsSolid);
    canvas.Brush.SetColor(clHighlight);
    canvas.Font.SetColor(clHighlightText);
    canvas.TextRect(band, selLeft, y, view.substr(selStart_, selLength_));
  } else if (hasFocus_) {
    canvas.Pen.SetColor(clWindowText);
    canvas.MoveTo(selLeft, y);
    canvas.LineTo(selLeft, y + canvas.TextHeight("Pp"));
  }
  canvas.Brush.SetStyle(bsSolid);
}

}  // namespace tandrel
