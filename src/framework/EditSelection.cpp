// The edit's selection and clipboard operations for code: a file of their
// own, so that a program that does not call them does not link them.
#include "framework/Edit.h"

#include <algorithm>

namespace tandrel {

void TCustomEdit::SetSelStart(int value) {
  const auto start = static_cast<std::size_t>(std::max(value, 0));
  selStart_ = selEnd_ = start;
  if (platform::WindowHandle w = Window()) Windows().SetEditSelection(w, start, start);
}

void TCustomEdit::SetSelLength(int value) {
  const auto start = static_cast<std::size_t>(SelStart());
  selStart_ = start;
  selEnd_ = start + static_cast<std::size_t>(std::max(value, 0));
  if (platform::WindowHandle w = Window()) Windows().SetEditSelection(w, selStart_, selEnd_);
}

std::string TCustomEdit::SelText() const {
  const std::string& text = Text();
  const auto start = std::min(static_cast<std::size_t>(SelStart()), text.size());
  return text.substr(start, static_cast<std::size_t>(SelLength()));
}

void TCustomEdit::SetSelText(std::string_view text) {
  if (platform::WindowHandle w = Window()) {
    Windows().ReplaceEditSelection(w, std::string(text));
    return;
  }
  std::string value = Text();
  const std::size_t start = std::min(selStart_, value.size());
  const std::size_t end = std::clamp(selEnd_, start, value.size());
  value.replace(start, end - start, text);
  selStart_ = selEnd_ = start + text.size();
  SetText(value);
}

void TCustomEdit::CopyToClipboard() {
  if (platform::WindowHandle w = Window()) Windows().Send(w, platform::msg::kCopy, 0, 0);
}
void TCustomEdit::CutToClipboard() {
  if (platform::WindowHandle w = Window()) Windows().Send(w, platform::msg::kCut, 0, 0);
}
void TCustomEdit::PasteFromClipboard() {
  if (platform::WindowHandle w = Window()) Windows().Send(w, platform::msg::kPaste, 0, 0);
}
void TCustomEdit::Undo() {
  if (platform::WindowHandle w = Window()) Windows().Send(w, platform::msg::kUndo, 0, 0);
}

}  // namespace tandrel
