// TControl: a visual control. On its own it is windowless and paints on its
// parent's surface; TWinControl adds a window of its own. Bounds, alignment
// and anchors, visibility, enabled state, colour and font (optionally the
// parent's), caption, hint, cursor, mouse events and programmatic Click.
#pragma once

#include <string>

#include "framework/Canvas.h"
#include "framework/Component.h"
#include "framework/Font.h"
#include "platform/Geometry.h"
#include "platform/WindowSystem.h"

namespace tandrel {

class TWinControl;
class TCustomForm;
struct THintAction;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// Anchor sides, as bits.
using TAnchors = unsigned;
inline constexpr TAnchors akLeft = 1;
inline constexpr TAnchors akTop = 2;
inline constexpr TAnchors akRight = 4;
inline constexpr TAnchors akBottom = 8;

using TCursor = platform::Cursor;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  void SetParent(TWinControl* parent);
  // The form this control sits on (itself for a form), or null.
  TCustomForm* GetParentForm() const;
  virtual bool IsWindowed() const { return false; }
  // Whether the control shows its parent through itself (a transparent
  // label or widget), so a parent whose look changes repaints it.
  virtual bool Transparent() const { return false; }

  // Bounds in the parent's client coordinates (screen coordinates for forms).
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  TRect BoundsRect() const { return bounds_; }
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
  virtual void SetBounds(int left, int top, int width, int height);
  virtual TRect ClientRect() const { return Bounds(0, 0, Width(), Height()); }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  // Client coordinates of this control to screen coordinates.
  virtual TPoint ClientToScreen(TPoint p) const;

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors) { anchors_ = anchors; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool parentColor);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool parentFont);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  const std::string& Text() const { return caption_; }
  void SetText(const std::string& text) { SetCaption(text); }

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  // Whether hovering shows the hint: the control's own setting, or its
  // parent's while ParentShowHint is on.
  bool ShowHint() const;
  void SetShowHint(bool show);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool parent);

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }

  // Runs the click handler. Used by the program itself to run a handler;
  // it does not look at visibility or enabled state.
  virtual void Click();

  // Repaints the control's area on the next paint, erasing the background
  // first unless the control paints all of it.
  virtual void Invalidate();
  // Paints invalid areas now.
  virtual void Update();
  void Repaint() { Invalidate(); Update(); }
  // A windowless control shows a change at once: its area is painted
  // straight onto its parent's window, without waiting for a paint message.
  // While that window cannot be seen the area is invalidated instead.
  void PaintNow();

  // The character after a single '&' of the caption, lower-cased; 0 if none.
  char32_t AcceleratorChar() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 protected:
  // Painting of a windowless control, on its parent's surface with the
  // origin at the control's top-left and clipped to it.
  virtual void Paint(TCanvas& canvas) { (void)canvas; }
  // Whether the control paints every pixel of its area (no erase needed).
  virtual bool IsOpaque() const { return false; }

  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void DblClick();
  virtual void MouseEnter();
  virtual void MouseLeave();
  // Whether the mouse entering and leaving changes anything here; a class
  // that overrides MouseEnter or MouseLeave overrides this too.
  virtual bool FollowsMouse() const { return OnMouseEnter.Assigned() || OnMouseLeave.Assigned(); }
  // The caption's accelerator was typed; controls that act on it override.
  virtual void AcceleratorPressed() {}
  // Enter or Escape that the focused control did not take, offered to every
  // control of the form in turn (default and cancel buttons take them).
  virtual bool HandleDialogKey(int key, TShiftState shift) { (void)key, (void)shift; return false; }
  // Whether a press and release of the left button on the control clicks it.
  virtual bool ClickEvents() const { return true; }
  // Whether the control takes the mouse at a point of its own area; a
  // windowless control may leave part of it to its parent.
  virtual bool HitTestAt(TPoint local) const { (void)local; return true; }
  // The application's hint changed (see HintAction.h); true when handled.
  virtual bool ExecuteAction(const THintAction& action) { (void)action; return false; }

  // Change notifications; the defaults repaint.
  virtual void TextChanged() { Invalidate(); }
  virtual void EnabledChanged() { Invalidate(); }
  virtual void VisibleChanged();
  virtual void ColorChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }
  // The control moved or changed size; `resized` when its size changed.
  virtual void BoundsChanged(bool resized) { (void)resized; }
  // The parent's colour or font changed (forwarded to controls that follow it).
  virtual void ParentColorChanged();
  virtual void ParentFontChanged();

  // The parent's client rectangle changed size by (dx, dy): move or stretch
  // by the anchors (alNone controls).
  void ApplyAnchors(int dx, int dy);

  // Mouse dispatch from the windowed parent (client coordinates of this control).
  void DispatchMouseDown(TMouseButton button, TShiftState shift, TPoint at, bool doubleClick);
  void DispatchMouseMove(TShiftState shift, TPoint at);
  void DispatchMouseUp(TMouseButton button, TShiftState shift, TPoint at);
  void DispatchMouseEnter() { MouseEnter(); }
  void DispatchMouseLeave() { MouseLeave(); }
  void PaintOn(TCanvas& canvas) { Paint(canvas); }

  friend class TWinControl;
  friend class TCustomForm;
  friend class TApplication;

  platform::WindowSystem& Windows() const;

  // Stores bounds without side effects (forms and alignment use it).
  void StoreBounds(const TRect& r) { bounds_ = r; }

 private:
  void HookFont();

  TWinControl* parent_ = nullptr;
  TRect bounds_{};
  TAlign align_ = TAlign::alNone;
  TAnchors anchors_ = akLeft | akTop;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  TFont font_;
  bool parentFont_ = true;
  bool applyingParentFont_ = false;
  std::string caption_;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TCursor cursor_ = TCursor::Arrow;
  bool clicked_ = false;  // the left button went down on the control
};

}  // namespace tandrel
