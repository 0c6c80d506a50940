// TApplication: the program's application object. Its title captions every
// message box; its hidden window owns the forms and carries the taskbar
// button; the first form created is the main form and Run lasts until it
// closes. It decides when a form's OnActivate fires (the program's focused
// form changes), minimises and restores the program, shows the plain and the
// platform message box, and reports uncaught errors in the error box.
#pragma once

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "framework/Component.h"
#include "framework/UtilWindow.h"

namespace tandrel {

class TControl;
class TWinControl;
class TCustomForm;
struct THintAction;

class TApplication : public TComponent {
 public:
  // Needs an installed platform. There is one application object at a time.
  TApplication();
  ~TApplication() override;

  // The current application object, or null.
  static TApplication* Instance();

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // The hidden window that owns the forms and carries the taskbar button.
  platform::WindowHandle Handle() const;

  // Creates a form owned by the application (the first one becomes the main
  // form), sets `reference` and then runs the form's OnCreate, so that the
  // handler can already reach the form through the reference.
  template <typename T, typename... Args>
  void CreateForm(T*& reference, Args&&... args) {
    reference = new T(this, std::forward<Args>(args)...);
    if (!mainForm_) mainForm_ = reference;
    reference->AfterConstruction();
  }
  TCustomForm* MainForm() const { return mainForm_; }
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool show) { showMainForm_ = show; }

  // Without a main form, returns at once. Otherwise shows the main form and
  // handles messages until the program is terminated.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  void ProcessMessages();

  // Minimize does nothing when already minimised; otherwise minimises the
  // program and fires OnMinimize. Restore does nothing unless minimised;
  // otherwise restores, shows the main form again if it was hidden, and
  // fires OnRestore.
  void Minimize();
  void Restore();
  bool Minimized() const;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;

  // The platform message box (MessageBox flags in, ID* answer out); an empty
  // caption means the title. Its closing does not activate a form.
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
  // The program's own plain message box, captioned with the title. When it
  // closes, the form that gets the focus back is activated (OnActivate).
  int ShowPlainMessage(const std::string& text, unsigned flags = 0);
  // The error box for an uncaught error: its message with a full stop, the
  // error icon, one OK button, the title as caption.
  void HandleException(std::exception_ptr error);

  // The form that has the program's focus (null while a plain box is up).
  TCustomForm* FocusedForm() const { return focusedForm_; }
  TCustomForm* FindForm(platform::WindowHandle window) const;

  // The hidden window of the application's own messages, made at its first
  // use (a menu, a posted command): most runs never need it, and each hidden
  // top-level window costs start-up time.
  platform::WindowHandle UtilityHandle();
  // Commands delivered later from the message queue (menu clicks).
  int RegisterCommand(std::function<void()> action);
  void UnregisterCommand(int id);
  void PostCommand(int id);

  // Hints: a control's Hint shows after the mouse rests on it for
  // HintPause ms and goes after HintHidePause ms, on leaving or on a press.
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show);
  unsigned HintPause() const { return hintPause_; }
  void SetHintPause(unsigned ms) { hintPause_ = ms; }
  unsigned HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(unsigned ms) { hintHidePause_ = ms; }
  void CancelHint();
  // The hint of the control under the mouse (or of its nearest parent that
  // has one). A change is offered to the forms' controls as a THintAction.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);

  // The control under the mouse (for enter and leave), or null.
  TControl* MouseControl() const { return mouseControl_; }

 private:
  friend class TControl;
  friend class TWinControl;
  friend class TCustomForm;
  void FormWindowActivated(TCustomForm* form);
  void FormWindowDeactivated(TCustomForm* form);
  void FormGone(TCustomForm* form);
  void ControlGone(TControl* control);
  void NoteMouseControl(TControl* control);
  bool MouseLeaveMatters() const;
  void MouseLeftWindow(TWinControl* window);
  bool UtilityMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                      std::intptr_t& result);
  platform::WindowHandle BoxOwner() const;
  void HintTick();
  static bool OfferHintAction(TWinControl& parent, const THintAction& action);

  std::string title_;
  class OwnerWindow;
  std::unique_ptr<OwnerWindow> ownerWindow_;
  std::unique_ptr<TPUtilWindow> utilityWindow_;
  TCustomForm* mainForm_ = nullptr;    // owned as a component
  TCustomForm* focusedForm_ = nullptr;  // not owned
  TControl* mouseControl_ = nullptr;    // not owned
  bool showMainForm_ = true;
  bool terminated_ = false;
  bool showHint_ = true;
  unsigned hintPause_ = 500;
  unsigned hintHidePause_ = 2500;
  TControl* hintControl_ = nullptr;  // not owned
  platform::TimerId hintTimer_ = 0;
  bool hintShowing_ = false;
  std::string hint_;
  int boxDepth_ = 0;
  std::map<int, std::function<void()>> commands_;
  int nextCommand_ = 100;
};

}  // namespace tandrel
