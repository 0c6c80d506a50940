#include "framework/Edit.h"

#include <algorithm>

#include "framework/Color.h"
#include "framework/FlagScope.h"

namespace tandrel {

namespace {

constexpr int kHomeKey = 0x24;    // VK_HOME
constexpr int kEndKey = 0x23;     // VK_END
constexpr int kDeleteKey = 0x2E;  // VK_DELETE
constexpr int kInsertKey = 0x2D;  // VK_INSERT

}  // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

platform::WindowHandle TCustomEdit::Window() const {
  // The window is asked only once it exists; the const view does not make it.
  return HandleAllocated() ? const_cast<TCustomEdit*>(this)->Handle() : platform::WindowHandle{};
}

int TCustomEdit::SelStart() const {
  if (platform::WindowHandle w = Window()) return static_cast<int>(Windows().GetEditSelection(w).start);
  return static_cast<int>(std::min(selStart_, Text().size()));
}

int TCustomEdit::SelLength() const {
  if (platform::WindowHandle w = Window()) {
    platform::EditSelection s = Windows().GetEditSelection(w);
    return static_cast<int>(s.end - s.start);
  }
  const std::size_t size = Text().size();
  return static_cast<int>(std::min(selEnd_, size) - std::min(selStart_, size));
}

void TCustomEdit::SelectAll() {
  selStart_ = 0;
  selEnd_ = Text().size();
  if (platform::WindowHandle w = Window()) Windows().SetEditSelection(w, 0, Text().size());
}

void TCustomEdit::SetReadOnly(bool value) {
  if (readOnly_ == value) return;
  readOnly_ = value;
  if (platform::WindowHandle w = Window()) Windows().SetEditReadOnly(w, value);
}

void TCustomEdit::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  RecreateWindow();  // the alignment is a window style
}

void TCustomEdit::RecreateWindow() {
  if (!HandleAllocated() || Loading()) return;
  const bool focused = Focused();
  DestroyHandle();
  HandleNeeded();
  if (focused) Windows().SetFocus(Handle());
}

void TCustomEdit::CreateParams(platform::WindowSpec& params) {
  TWinControl::CreateParams(params);
  params.kind = platform::WindowKind::Edit;
  params.text = Text();
  params.clientEdge = ClientEdge();
  params.readOnly = readOnly_;
  switch (alignment_) {
    case TAlignment::taLeftJustify: params.editAlign = platform::EditAlign::Left; break;
    case TAlignment::taRightJustify: params.editAlign = platform::EditAlign::Right; break;
    case TAlignment::taCenter: params.editAlign = platform::EditAlign::Center; break;
  }
}

void TCustomEdit::HandleCreated() {
  TWinControl::HandleCreated();
  Windows().SetFont(Handle(), Font().PlatformFont());
  PushColors();
  Windows().SetEditSelection(Handle(), selStart_, selEnd_);
}

void TCustomEdit::DestroyHandle() {
  if (HandleAllocated()) {
    // The selection outlives the window.
    platform::EditSelection s = Windows().GetEditSelection(Handle());
    selStart_ = s.start;
    selEnd_ = s.end;
  }
  TWinControl::DestroyHandle();
}

bool TCustomEdit::WantsKey(int key) const {
  using namespace platform::vk;
  // The caret keys are the edit's own, Up and Down included (no moving
  // between the controls from inside a text).
  return key == kLeft || key == kRight || key == kUp || key == kDown || key == kHomeKey ||
         key == kEndKey || key == kDeleteKey || key == kInsertKey;
}

void TCustomEdit::DoEnter() {
  if (autoSelect_) SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::TextChanged() {
  // Text taken from the window is not sent back to it.
  if (!takingWindowText_) TWinControl::TextChanged();
  if (!HandleAllocated()) selStart_ = selEnd_ = std::min(selEnd_, Text().size());
  Change();
}

void TCustomEdit::WindowEditChanged() {
  if (!HandleAllocated()) return;  // still being made
  std::string shown = Windows().GetText(Handle());
  if (shown == Text()) return;     // the text this control just set
  FlagScope taking(takingWindowText_);
  SetText(shown);
}

void TCustomEdit::PushColors() {
  if (!HandleAllocated()) return;
  Windows().SetEditColors(Handle(), ColorToRGB(Color()), ColorToRGB(Font().Color()));
}

void TCustomEdit::ColorChanged() {
  TWinControl::ColorChanged();
  PushColors();
}

void TCustomEdit::FontChanged() {
  TWinControl::FontChanged();
  if (HandleAllocated() && !Loading()) Windows().SetFont(Handle(), Font().PlatformFont());
  PushColors();
}

void TCustomEdit::EnabledChanged() {
  TWinControl::EnabledChanged();
  PushColors();
}

}  // namespace tandrel
