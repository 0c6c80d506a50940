// TWinControl: a control with a window of its own. It holds child controls,
// aligns them in its client rectangle, paints its windowless children on
// its surface, routes mouse input to them, takes the keyboard focus and
// keeps the tab order. TCustomControl is the base of custom-drawn ones.
#pragma once

#include <vector>

#include "framework/Control.h"
#include "platform/WindowSystem.h"

namespace tandrel {

class TWinControl : public TControl {
  TANDREL_CLASS_ID(TWinControl, TControl)
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  bool IsWindowed() const override { return true; }

  // The window, created on first need (its parent's window is created first).
  platform::WindowHandle Handle();
  bool HandleAllocated() const { return static_cast<bool>(handle_); }
  void HandleNeeded() { (void)Handle(); }

  // Children, in z-order (back to front), and the windowed ones in tab order.
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  // The control that takes the mouse at a client point: a visible child
  // (enabled ones only, unless `allowDisabled`), or null.
  TControl* ControlAtPos(TPoint p, bool allowDisabled = false) const;

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
  int TabOrder() const;
  void SetTabOrder(int order);
  // Whether the control ever takes the focus (containers do not).
  virtual bool AcceptsFocus() const { return true; }
  // Showing and enabled up to the form.
  bool ShowingAndEnabled() const;
  // Focusable now: takes the focus, showing and enabled up to the form.
  bool CanFocus() const;
  bool Focused();
  void SetFocus();
  // Windowed descendants in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  // Moves the focus to the next (or previous) focusable descendant after
  // `current` in tab order, wrapping round; with `checkTabStop` only tab
  // stops, without it only this control's own children (arrow keys).
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
  // The first tab stop among the descendants that can take the focus, or null.
  TWinControl* FirstFocusableTabStop() const;

  // Paints what this control's own paint would show (background, face and
  // windowless children) onto `canvas`, for a transparent child behind it.
  void PaintBackgroundInto(TCanvas& canvas);

  // The desktop's colours or theme changed; the form repaints the control
  // after this.
  virtual void DesktopColorsChanged() {}

  // Re-lays out the aligned children now.
  void Realign();

  void SetBounds(int left, int top, int width, int height) override;
  TRect ClientRect() const override;
  TPoint ClientToScreen(TPoint p) const override;

  void Invalidate() override;
  void Update() override;
  // Invalidates part of the client area; `erase` asks for the background first.
  void InvalidateRect(const TRect& r, bool erase);
  // Paints part of the client area at once (see TControl::PaintNow); false
  // when the window cannot be seen now, or has none yet.
  bool PaintClientNow(const TRect& r);

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

 protected:
  // The window that CreateHandle makes; derived classes adjust it.
  virtual void CreateParams(platform::WindowSpec& params);
  // After the window exists (set fonts, values of native controls).
  virtual void HandleCreated() {}
  virtual void DestroyHandle();

  // Painting of the control itself; windowless children are painted after it.
  virtual void PaintWindow(TCanvas& canvas) { Paint(canvas); }
  // Painting over the windowless children (a status bar's size grip).
  virtual void PaintOverControls(TCanvas& canvas) { (void)canvas; }
  // Fills the background; return false to leave it alone. Every paint
  // calls it on the paint buffer before PaintWindow.
  virtual bool EraseBackground(TCanvas& canvas);
  // The platform asked for the background to be erased before the next
  // paint (an invalidation with erasing, a resize, an uncovered area).
  virtual void EraseRequested() {}
  // Width of a frame in the non-client area, and its painting.
  virtual int FrameWidth() const { return 0; }
  virtual void PaintNonClient(TCanvas& canvas) { (void)canvas; }
  // WM_NCHITTEST and WM_SETCURSOR hooks.
  int HitTest(TPoint client, int defaultResult) { (void)client; return defaultResult; }
  virtual bool SetCursorHook(int hitTest);

  // The rectangle that aligned children share (panels inset their borders).
  virtual void AdjustClientRect(TRect& r) const { (void)r; }
  void AlignControls(TRect r);

  // Keyboard. WantsKey: keys the control handles itself rather than the form
  // (Tab, arrows, Enter, Escape). WantsChars: typed characters are its own
  // (otherwise they may be accelerators).
  virtual bool WantsKey(int key) const { (void)key; return false; }
  virtual bool WantsChars() const { return false; }
  virtual void KeyDown(int& key, TShiftState shift);
  virtual void KeyUp(int& key, TShiftState shift);
  virtual void KeyPress(char32_t& ch);
  virtual void DoEnter();
  virtual void DoExit();

  // A message not handled by the standard dispatch (registered, posted, ...).
  virtual bool HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                             std::intptr_t& result) {
    (void)message, (void)wParam, (void)lParam, (void)result;
    return false;
  }

  void TextChanged() override;
  void EnabledChanged() override;
  void VisibleChanged() override;
  void ColorChanged() override;
  void FontChanged() override;
  void ParentColorChanged() override;
  void ParentFontChanged() override;
  void BoundsChanged(bool resized) override;
  void Loaded() override;

  // Called by TControl when a child joins or leaves.
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  friend class TControl;
  friend class TCustomForm;  // runs DoEnter and DoExit as the focus moves

  // The control that has the mouse captured (this or a windowless child).
  TControl* captureControl_ = nullptr;

  // Platform events reach these (the standard dispatch; not overridden).
  void WindowPaint(platform::Surface& surface, const TRect& dirty);
  bool WindowEraseBackground(platform::Surface& surface);
  void WindowNcPaint(platform::Surface& surface);
  int WindowHitTest(TPoint client, int defaultResult);
  bool WindowSetCursor(int hitTest);
  void WindowSized(int clientWidth, int clientHeight);
  void WindowMouseMove(TPoint at, unsigned shiftState);
  void WindowMouseDown(platform::MouseButton button, TPoint at, unsigned shiftState,
                       bool doubleClick);
  void WindowMouseUp(platform::MouseButton button, TPoint at, unsigned shiftState);
  void WindowMouseLeave();
  void WindowCaptureLost();
  bool WindowKeyDown(int key, unsigned shiftState);
  bool WindowKeyUp(int key, unsigned shiftState);
  char32_t WindowChar(char32_t ch, unsigned shiftState);
  void WindowFocusChanged(bool focused);
  bool WindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                     std::intptr_t& result);
  void WindowDestroyed();
  // Forms and native controls add to the dispatch.
  virtual void WindowMoved(const TRect& bounds);
  virtual void WindowActivated(bool active) { (void)active; }
  virtual void WindowCloseRequested() {}
  virtual bool WindowMinimizeRequested() { return false; }
  virtual bool WindowQueryEndSession() { return true; }
  virtual void WindowEndSession(bool ending) { (void)ending; }
  virtual void WindowDateTimeChanged() {}
  virtual void WindowEditChanged() {}

  void CreateHandle();

 private:
  TControl* MouseTarget(TPoint at) const;
  void PaintControls(TCanvas& canvas);

  // Hands the window's events to the control. A member rather than a base
  // class: one handler's virtual table serves every windowed control, instead
  // of a copy (and its thunks) inside each control class's own.
  class Events final : public platform::WindowHandler {
   public:
    explicit Events(TWinControl& control) : control_(control) {}
    void WindowPaint(platform::Surface& surface, const TRect& dirty) override;
    bool WindowEraseBackground(platform::Surface& surface) override;
    void WindowNcPaint(platform::Surface& surface) override;
    int WindowHitTest(TPoint client, int defaultResult) override;
    bool WindowSetCursor(int hitTest) override;
    void WindowMoved(const TRect& bounds) override;
    void WindowSized(int clientWidth, int clientHeight) override;
    void WindowMouseMove(TPoint at, unsigned shiftState) override;
    void WindowMouseDown(platform::MouseButton button, TPoint at, unsigned shiftState,
                         bool doubleClick) override;
    void WindowMouseUp(platform::MouseButton button, TPoint at, unsigned shiftState) override;
    void WindowMouseLeave() override;
    void WindowCaptureLost() override;
    bool WindowKeyDown(int key, unsigned shiftState) override;
    bool WindowKeyUp(int key, unsigned shiftState) override;
    char32_t WindowChar(char32_t ch, unsigned shiftState) override;
    void WindowFocusChanged(bool focused) override;
    void WindowActivated(bool active) override;
    void WindowCloseRequested() override;
    bool WindowMinimizeRequested() override;
    bool WindowQueryEndSession() override;
    void WindowEndSession(bool ending) override;
    void WindowDateTimeChanged() override;
    void WindowEditChanged() override;
    bool WindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                       std::intptr_t& result) override;
    void WindowDestroyed() override;

   private:
    TWinControl& control_;
  };

  Events events_{*this};
  platform::WindowHandle handle_{};
  std::vector<TControl*> controls_;     // not owned; z-order back to front
  std::vector<TWinControl*> tabList_;   // not owned
  bool tabStop_ = false;
  TCanvas paintCanvas_;
  bool realigning_ = false;
  TSize lastClientSize_{};
};

// A windowed control that paints itself on a canvas of its own.
class TCustomControl : public TWinControl {
  TANDREL_CLASS_ID(TCustomControl, TWinControl)
  explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
};

}  // namespace tandrel
