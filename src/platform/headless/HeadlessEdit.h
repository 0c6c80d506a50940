// The simulated single-line edit: the text (kept by the window), the
// selection with its anchor and caret, one level of undo, and what the
// platform's edit does with keys, characters and the clipboard messages.
// The window system owns the notifications; these functions only say
// whether the text changed.
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "platform/Surface.h"
#include "platform/WindowSystem.h"

namespace tandrel::platform {

struct EditModel {
  std::size_t anchor = 0;  // the fixed end of the selection
  std::size_t caret = 0;   // the moving end
  bool readOnly = false;
  bool canUndo = false;
  bool typing = false;  // characters typed one after the other undo together
  std::string undoText;
  EditSelection Selection() const;
};

// RGB colours of the edit and of its selection.
struct EditColors {
  TColor background = clWhite;
  TColor text = clBlack;
  TColor highlight = clBlack;
  TColor highlightText = clWhite;
};

// What a typed character asks of the edit besides changing the text.
enum class EditCommand { None, Copy, Cut, Paste, Undo };

// Moves the selection within `text` (offsets clamped to character boundaries).
void SelectRange(const std::string& text, EditModel& edit, std::size_t start, std::size_t end);
// The text was replaced as a whole (WM_SETTEXT): caret at the start, no undo.
void TextReplaced(const std::string& text, EditModel& edit);
// Replaces the selection with `insert`; true when the text changed.
bool ReplaceSelection(std::string& text, EditModel& edit, const std::string& insert);
std::string SelectedText(const std::string& text, const EditModel& edit);
// A key the control left to the edit; true when the text changed.
// `command` is set for the clipboard keys (Shift+Delete, Shift+Insert, Ctrl+Insert).
bool EditKeyDown(std::string& text, EditModel& edit, int key, unsigned shiftState,
                 EditCommand& command);
// A character the control left to the edit; true when the text changed.
bool EditChar(std::string& text, EditModel& edit, char32_t ch, EditCommand& command);
// Swaps the text with the one before the last change; true when it changed.
bool EditUndo(std::string& text, EditModel& edit);

// The stand-in look of the edit in a rendered window: background, text by
// alignment, the selection highlighted while focused.
void PaintEdit(Surface& surface, TSize client, const std::string& text, const EditModel& edit,
               const WindowSpec& params, const FontSpec& font, const EditColors& colors, bool focused);

}  // namespace tandrel::platform

namespace tandrel::platform {

// The edit state of every simulated edit window, and the clipboard.
class HeadlessEdits {
 public:
  void Created(WindowHandle window, const WindowSpec& params);
  void Destroyed(WindowHandle window) { models_.erase(window.value); }
  bool IsEdit(WindowHandle window) const { return models_.count(window.value) != 0; }
  // Throws std::logic_error for a window that is not an edit.
  EditModel& Model(WindowHandle window);
  EditColors& Colors(WindowHandle window);

  std::string clipboard;

 private:
  struct Entry {
    EditModel model;
    EditColors colors;
  };
  Entry& Get(WindowHandle window);
  std::map<std::uintptr_t, Entry> models_;
};

}  // namespace tandrel::platform
