// The simulated edit windows: their selection, clipboard messages and
// change notifications, in the order the platform's edit keeps them.
#include "platform/headless/HeadlessWindowSystem.h"

namespace tandrel::platform {

void HeadlessWindowSystem::EditChanged(WindowHandle edit) {
  if (WindowHandler* handler = HandlerOf(edit)) Guard([&] { handler->WindowEditChanged(); });
}

void HeadlessWindowSystem::EditTextReplaced(WindowHandle edit) {
  TextReplaced(TextOf(edit), edits_.Model(edit));
  EditChanged(edit);
}

void HeadlessWindowSystem::RunEditCommand(WindowHandle edit, EditCommand command) {
  switch (command) {
    case EditCommand::Copy: Send(edit, msg::kCopy, 0, 0); break;
    case EditCommand::Cut: Send(edit, msg::kCut, 0, 0); break;
    case EditCommand::Paste: Send(edit, msg::kPaste, 0, 0); break;
    case EditCommand::Undo: Send(edit, msg::kUndo, 0, 0); break;
    case EditCommand::None: break;
  }
}

void HeadlessWindowSystem::EditKey(WindowHandle edit, int key, unsigned shiftState) {
  EditCommand command = EditCommand::None;
  if (EditKeyDown(TextOf(edit), edits_.Model(edit), key, shiftState, command)) EditChanged(edit);
  if (Exists(edit)) RunEditCommand(edit, command);
}

void HeadlessWindowSystem::EditTypedChar(WindowHandle edit, char32_t ch) {
  EditCommand command = EditCommand::None;
  if (EditChar(TextOf(edit), edits_.Model(edit), ch, command)) EditChanged(edit);
  if (Exists(edit)) RunEditCommand(edit, command);
}

std::intptr_t HeadlessWindowSystem::EditMessage(WindowHandle edit, unsigned message) {
  std::string& text = TextOf(edit);
  EditModel& model = edits_.Model(edit);
  bool changed = false;
  switch (message) {
    case msg::kCopy: {
      std::string selected = SelectedText(text, model);
      if (!selected.empty()) edits_.clipboard = selected;
      return 0;
    }
    case msg::kCut: {
      std::string selected = SelectedText(text, model);
      if (model.readOnly || selected.empty()) return 0;
      edits_.clipboard = selected;
      changed = ReplaceSelection(text, model, "");
      break;
    }
    case msg::kPaste:
      if (model.readOnly || edits_.clipboard.empty()) return 0;
      changed = ReplaceSelection(text, model, edits_.clipboard);
      break;
    case msg::kUndo:
      changed = EditUndo(text, model);
      break;
    default:
      return 0;
  }
  if (changed) EditChanged(edit);
  return changed ? 1 : 0;
}

EditSelection HeadlessWindowSystem::GetEditSelection(WindowHandle edit) {
  return edits_.Model(edit).Selection();
}

void HeadlessWindowSystem::SetEditSelection(WindowHandle edit, std::size_t start, std::size_t end) {
  SelectRange(TextOf(edit), edits_.Model(edit), start, end);
}

void HeadlessWindowSystem::ReplaceEditSelection(WindowHandle edit, const std::string& text) {
  if (ReplaceSelection(TextOf(edit), edits_.Model(edit), text)) EditChanged(edit);
}

void HeadlessWindowSystem::SetEditReadOnly(WindowHandle edit, bool readOnly) {
  edits_.Model(edit).readOnly = readOnly;
}

void HeadlessWindowSystem::SetEditColors(WindowHandle edit, TColor background, TColor text) {
  EditColors& colors = edits_.Colors(edit);
  colors.background = background;
  colors.text = text;
  colors.highlight = platform_.painting().ResolveSystemColor(13);      // COLOR_HIGHLIGHT
  colors.highlightText = platform_.painting().ResolveSystemColor(14);  // COLOR_HIGHLIGHTTEXT
}

}  // namespace tandrel::platform
