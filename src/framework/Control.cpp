#include "framework/Control.h"

#include <cctype>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/WinControl.h"
#include "platform/Platform.h"

namespace tandrel {

TControl::TControl(TComponent* owner) : TComponent(owner) { HookFont(); }

TControl::~TControl() {
  if (TApplication* app = TApplication::Instance()) app->ControlGone(this);
  if (TCustomForm* form = GetParentForm(); form && form->ActiveControl() == this) {
    form->SetActiveControl(nullptr);
  }
  if (parent_) parent_->RemoveControl(this);
}

void TControl::HookFont() {
  font_.OnChange = TNotifyEvent([this](TObject*) {
    if (!applyingParentFont_) parentFont_ = false;
    FontChanged();
  });
}

platform::WindowSystem& TControl::Windows() const { return platform::Current().windows(); }

void TControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  if (parent == this) return;
  if (parent_) parent_->RemoveControl(this);
  parent_ = parent;
  if (!parent_) return;
  parent_->InsertControl(this);
  if (parentColor_) ParentColorChanged();
  if (parentFont_) ParentFontChanged();
}

TCustomForm* TControl::GetParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return As<TCustomForm>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  TRect r = Bounds(left, top, width, height);
  if (r == bounds_) return;
  bool resized = r.Width() != bounds_.Width() || r.Height() != bounds_.Height();
  // Windowless: repaint where it was and where it goes.
  if (!IsWindowed() && parent_ && visible_) parent_->InvalidateRect(bounds_, true);
  bounds_ = r;
  if (!IsWindowed() && parent_ && visible_) parent_->InvalidateRect(bounds_, true);
  BoundsChanged(resized);
  if (parent_ && align_ != TAlign::alNone && !Loading()) parent_->Realign();
}

TPoint TControl::ClientToScreen(TPoint p) const {
  if (!parent_) return p;
  return parent_->ClientToScreen(TPoint{p.x + Left(), p.y + Top()});
}

void TControl::SetAlign(TAlign align) {
  if (align_ == align) return;
  align_ = align;
  if (parent_ && !Loading()) parent_->Realign();
}

void TControl::ApplyAnchors(int dx, int dy) {
  if (align_ != TAlign::alNone || (dx == 0 && dy == 0)) return;
  TRect r = bounds_;
  if (anchors_ & akRight) {
    if (anchors_ & akLeft) r.right += dx;
    else r.left += dx, r.right += dx;
  }
  if (anchors_ & akBottom) {
    if (anchors_ & akTop) r.bottom += dy;
    else r.top += dy, r.bottom += dy;
  }
  SetBounds(r.left, r.top, r.Width(), r.Height());
}

void TControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  VisibleChanged();
  if (parent_ && align_ != TAlign::alNone && !Loading()) parent_->Realign();
}

void TControl::VisibleChanged() {
  if (parent_) parent_->InvalidateRect(bounds_, true);
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  EnabledChanged();
}

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  if (color_ == color) return;
  color_ = color;
  ColorChanged();
}

void TControl::SetParentColor(bool parentColor) {
  if (parentColor_ == parentColor) return;
  parentColor_ = parentColor;
  if (parentColor_ && parent_) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_) return;
  if (color_ != parent_->Color()) {
    color_ = parent_->Color();
    ColorChanged();
  }
}

void TControl::SetParentFont(bool parentFont) {
  if (parentFont_ == parentFont) return;
  parentFont_ = parentFont;
  if (parentFont_ && parent_) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  applyingParentFont_ = true;
  font_.Assign(parent_->Font());
  applyingParentFont_ = false;
}

void TControl::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  TextChanged();
}

void TControl::SetShowHint(bool show) {
  showHint_ = show;
  parentShowHint_ = false;
}

void TControl::SetParentShowHint(bool parent) { parentShowHint_ = parent; }

bool TControl::ShowHint() const {
  if (parentShowHint_ && parent_) return parent_->ShowHint();
  return showHint_;
}

void TControl::Click() { OnClick(this); }

void TControl::Invalidate() {
  if (parent_ && Showing()) parent_->InvalidateRect(bounds_, !IsOpaque());
}

void TControl::PaintNow() {
  if (!parent_ || !Showing()) return;
  if (!parent_->PaintClientNow(bounds_)) Invalidate();
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

char32_t TControl::AcceleratorChar() const {
  for (size_t i = 0; i + 1 < caption_.size(); ++i) {
    if (caption_[i] != '&') continue;
    if (caption_[i + 1] == '&') {
      ++i;  // "&&" is a literal ampersand
      continue;
    }
    unsigned char c = static_cast<unsigned char>(caption_[i + 1]);
    if (c < 0x80) return static_cast<char32_t>(std::tolower(c));
    return 0;
  }
  return 0;
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseUp(this, button, shift, x, y);
}

void TControl::DblClick() { OnDblClick(this); }
void TControl::MouseEnter() { OnMouseEnter(this); }
void TControl::MouseLeave() { OnMouseLeave(this); }

void TControl::DispatchMouseDown(TMouseButton button, TShiftState shift, TPoint at,
                                 bool doubleClick) {
  if (button == TMouseButton::mbLeft) clicked_ = !doubleClick;
  if (doubleClick && button == TMouseButton::mbLeft) DblClick();
  MouseDown(button, shift, at.x, at.y);
}

void TControl::DispatchMouseMove(TShiftState shift, TPoint at) { MouseMove(shift, at.x, at.y); }

void TControl::DispatchMouseUp(TMouseButton button, TShiftState shift, TPoint at) {
  if (button == TMouseButton::mbLeft && clicked_) {
    clicked_ = false;
    if (ClickEvents() && ClientRect().Contains(at)) Click();
  }
  MouseUp(button, shift, at.x, at.y);
}

}  // namespace tandrel
