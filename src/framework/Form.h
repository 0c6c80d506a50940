// TForm: a top-level window owned by the application's hidden window. Stored
// caption and client size, border style and icons, always on top, centred
// placement, OnCreate run after construction, OnActivate when the program's
// focus comes to this form, close query (also for the end of the session),
// Show, Hide, Close, modal result.
#pragma once

#include "framework/WinControl.h"

namespace tandrel {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsSizeToolWin };
using TBorderIcons = unsigned;
inline constexpr TBorderIcons biSystemMenu = 1;
inline constexpr TBorderIcons biMinimize = 2;
inline constexpr TBorderIcons biMaximize = 4;
enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TPosition { poDesigned, poScreenCenter, poDesktopCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;

using TCloseEvent = TEvent<TObject*, TCloseAction&>;

class TCustomForm : public TWinControl {
  TANDREL_CLASS_ID(TCustomForm, TWinControl)
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // Makes the form's window (unless left to its first showing) and runs
  // OnCreate. TApplication::CreateForm calls it right after the
  // constructor; an error raised in OnCreate goes to the error box and the
  // form stays created.
  void AfterConstruction();

  void SetBounds(int left, int top, int width, int height) override;
  TRect ClientRect() const override;
  void SetClientWidth(int width) { SetClientSize(width, clientHeight_); }
  void SetClientHeight(int height) { SetClientSize(clientWidth_, height); }
  void SetClientSize(int width, int height);
  TPoint ClientToScreen(TPoint p) const override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TWindowState WindowState() const;
  // Minimises, maximises or restores the form's window (once it has one).
  void SetWindowState(TWindowState state);

  void SetVisible(bool visible) override;
  // Shows the form, brings it to the front and activates it.
  void Show();
  void Hide() { SetVisible(false); }
  void BringToFront();
  // Asks OnCloseQuery; when allowed, hides the form (the main form ends the
  // program).
  void Close();
  // OnCloseQuery's answer (true without a handler).
  bool CloseQuery();

  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }

  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  // Keys and characters that no focused control took: Tab moves the focus
  // through the form, arrows among the focused control's siblings; Enter
  // and Escape go to the first control that takes them (default and cancel
  // buttons); an accelerator character reaches its control.
  bool DialogKey(int key, TShiftState shift);
  bool DialogChar(char32_t ch);

  // The window focus arrived at `control`: when it is not the control last
  // entered, that one exits and `control` enters.
  void ControlFocused(TWinControl* control);
  // The control that entered last and has not exited.
  TWinControl* EnteredControl() const { return enteredControl_; }
  void ControlGone(TWinControl* control);

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseQueryEvent OnCloseQuery;
  TCloseEvent OnClose;

 protected:
  void CreateParams(platform::WindowSpec& params) override;
  void HandleCreated() override;
  void TextChanged() override;
  void VisibleChanged() override;
  void DoCreate();
  // A form that stays hidden until some later moment leaves its window, and
  // its controls' windows, to its first showing: start-up then does not pay
  // for them.
  void CreateWindowWhenShown() { windowAtCreation_ = false; }
  void DoActivate() { OnActivate(this); }
  void DoDeactivate() { OnDeactivate(this); }
  friend class TApplication;

  void WindowActivated(bool active) override;
  // The desktop's colours, theme or settings changed: every control hears
  // of it and repaints.
  bool HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                     std::intptr_t& result) override;
  void WindowCloseRequested() override;
  bool WindowMinimizeRequested() override;
  bool WindowQueryEndSession() override;
  void WindowMoved(const TRect& bounds) override;

 private:
  platform::WindowSpec FrameSpec() const;
  void PlaceByPosition();
  void Notification(TComponent* component, TOperation operation) override;

  int clientWidth_ = 0;
  int clientHeight_ = 0;
  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TFormStyle formStyle_ = TFormStyle::fsNormal;
  TPosition position_ = TPosition::poDesigned;
  TModalResult modalResult_ = mrNone;
  TWinControl* activeControl_ = nullptr;  // not owned
  TWinControl* enteredControl_ = nullptr;  // not owned
  bool placed_ = false;
  bool windowAtCreation_ = true;
};

// The form that applications derive theirs from. It would add nothing to the
// custom form, so it is the same class: a class of its own would only add a
// virtual table and a pair of destructors to the executable.
using TForm = TCustomForm;

}  // namespace tandrel
