#include "platform/headless/HeadlessEdit.h"

#include <algorithm>
#include <stdexcept>

namespace tandrel::platform {

namespace {

constexpr int kDelete = 0x2E;
constexpr int kInsert = 0x2D;
constexpr int kHome = 0x24;
constexpr int kEnd = 0x23;

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t Boundary(const std::string& text, std::size_t pos) {
  pos = std::min(pos, text.size());
  while (pos > 0 && pos < text.size() && IsContinuation(text[pos])) --pos;
  return pos;
}

std::size_t Previous(const std::string& text, std::size_t pos) {
  if (pos == 0) return 0;
  --pos;
  while (pos > 0 && IsContinuation(text[pos])) --pos;
  return pos;
}

std::size_t Next(const std::string& text, std::size_t pos) {
  if (pos >= text.size()) return text.size();
  ++pos;
  while (pos < text.size() && IsContinuation(text[pos])) ++pos;
  return pos;
}

std::string Utf8(char32_t ch) {
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

bool DeleteRange(std::string& text, EditModel& edit, std::size_t from, std::size_t to) {
  if (from >= to) return false;
  edit.anchor = from;
  edit.caret = to;
  return ReplaceSelection(text, edit, "");
}

}  // namespace

EditSelection EditModel::Selection() const {
  return EditSelection{std::min(anchor, caret), std::max(anchor, caret)};
}

void SelectRange(const std::string& text, EditModel& edit, std::size_t start, std::size_t end) {
  edit.anchor = Boundary(text, start);
  edit.caret = Boundary(text, end);
  edit.typing = false;
}

void TextReplaced(const std::string& text, EditModel& edit) {
  (void)text;
  edit.anchor = edit.caret = 0;
  edit.canUndo = false;
  edit.typing = false;
  edit.undoText.clear();
}

std::string SelectedText(const std::string& text, const EditModel& edit) {
  EditSelection s = edit.Selection();
  return text.substr(std::min(s.start, text.size()), s.end - s.start);
}

bool ReplaceSelection(std::string& text, EditModel& edit, const std::string& insert) {
  EditSelection s = edit.Selection();
  s.start = std::min(s.start, text.size());
  s.end = std::min(s.end, text.size());
  // Only the first line of what is inserted goes into a single-line edit.
  std::string line = insert.substr(0, insert.find_first_of("\r\n"));
  std::string changed = text;
  changed.replace(s.start, s.end - s.start, line);
  edit.anchor = edit.caret = s.start + line.size();
  if (changed == text) return false;
  edit.undoText = text;
  edit.canUndo = true;
  edit.typing = false;
  text = changed;
  return true;
}

bool EditKeyDown(std::string& text, EditModel& edit, int key, unsigned shiftState,
                 EditCommand& command) {
  command = EditCommand::None;
  const bool extend = (shiftState & shift::kShift) != 0;
  std::size_t caret = edit.caret;
  switch (key) {
    case vk::kLeft:
    case vk::kUp: caret = Previous(text, caret); break;
    case vk::kRight:
    case vk::kDown: caret = Next(text, caret); break;
    case kHome: caret = 0; break;
    case kEnd: caret = text.size(); break;
    case kInsert:
      if (shiftState & shift::kShift) command = EditCommand::Paste;
      else if (shiftState & shift::kCtrl) command = EditCommand::Copy;
      return false;
    case kDelete: {
      if (edit.readOnly) return false;
      if (shiftState & shift::kShift) {
        command = EditCommand::Cut;
        return false;
      }
      EditSelection s = edit.Selection();
      if (s.end > s.start) return ReplaceSelection(text, edit, "");
      return DeleteRange(text, edit, caret, Next(text, caret));
    }
    default: return false;
  }
  edit.caret = caret;
  if (!extend) edit.anchor = caret;
  edit.typing = false;
  return false;
}

bool EditChar(std::string& text, EditModel& edit, char32_t ch, EditCommand& command) {
  command = EditCommand::None;
  switch (ch) {
    case 0x03: command = EditCommand::Copy; return false;
    case 0x16: command = EditCommand::Paste; return false;
    case 0x18: command = EditCommand::Cut; return false;
    case 0x1A: command = EditCommand::Undo; return false;
    default: break;
  }
  if (edit.readOnly) return false;
  if (ch == U'\b') {
    EditSelection s = edit.Selection();
    if (s.end > s.start) return ReplaceSelection(text, edit, "");
    return DeleteRange(text, edit, Previous(text, edit.caret), edit.caret);
  }
  // The classic edit ignores other control characters (Ctrl+A among them).
  if (ch < 0x20 || ch == 0x7F) return false;
  const bool continues = edit.typing && edit.anchor == edit.caret;
  const std::string before = edit.undoText;
  if (!ReplaceSelection(text, edit, Utf8(ch))) return false;
  if (continues) edit.undoText = before;
  edit.typing = true;
  return true;
}

bool EditUndo(std::string& text, EditModel& edit) {
  if (!edit.canUndo || edit.readOnly) return false;
  std::string before = text;
  text = edit.undoText;
  edit.undoText = before;  // a second undo brings the change back
  edit.anchor = 0;
  edit.caret = text.size();
  edit.typing = false;
  return text != before;
}

void PaintEdit(Surface& surface, TSize client, const std::string& text, const EditModel& edit,
               const WindowSpec& params, const FontSpec& font, const EditColors& colors, bool focused) {
  surface.SetPenSpec(PenSpec{colors.background, 1, PenStyle::Clear});
  surface.SetBrushSpec(BrushSpec{BrushStyle::Solid, colors.background, {}});
  surface.FillRectangle(Bounds(0, 0, client.cx, client.cy));
  surface.SetFontSpec(font);
  const int width = surface.MeasureText(text).cx;
  const int height = surface.MeasureText("Pp").cy;
  int x = 1;
  if (params.editAlign == EditAlign::Right) x = client.cx - 1 - width;
  if (params.editAlign == EditAlign::Center) x = (client.cx - width) / 2;
  const int y = (client.cy - height) / 2;
  surface.SetBackgroundOpaque(false);
  surface.SetTextColorRgb(colors.text);
  surface.TextOutAt(x, y, text, nullptr, false);
  EditSelection s = edit.Selection();
  if (!focused || s.end <= s.start || s.end > text.size()) return;
  const std::string_view view(text);
  const int left = x + surface.MeasureText(view.substr(0, s.start)).cx;
  const int right = x + surface.MeasureText(view.substr(0, s.end)).cx;
  const TRect band{left, y, right, y + height};
  surface.SetBrushSpec(BrushSpec{BrushStyle::Solid, colors.highlight, {}});
  surface.FillRectangle(band);
  surface.SetTextColorRgb(colors.highlightText);
  surface.TextOutAt(left, y, view.substr(s.start, s.end - s.start), &band, false);
}

}  // namespace tandrel::platform

namespace tandrel::platform {

void HeadlessEdits::Created(WindowHandle window, const WindowSpec& params) {
  Entry entry;
  entry.model.readOnly = params.readOnly;
  models_[window.value] = entry;
}

HeadlessEdits::Entry& HeadlessEdits::Get(WindowHandle window) {
  auto it = models_.find(window.value);
  if (it == models_.end()) throw std::logic_error("headless: the window is not an edit");
  return it->second;
}

EditModel& HeadlessEdits::Model(WindowHandle window) { return Get(window).model; }
EditColors& HeadlessEdits::Colors(WindowHandle window) { return Get(window).colors; }

}  // namespace tandrel::platform
