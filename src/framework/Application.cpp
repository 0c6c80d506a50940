#include "framework/Application.h"

#include <cstdio>

#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/HintAction.h"
#include "platform/Platform.h"

namespace tandrel {

namespace {

TApplication* g_instance = nullptr;

// Posted to the utility window with a command id in wParam.
constexpr unsigned kCommandMessage = platform::msg::kApp + 0x100;

platform::WindowSystem& Windows() { return platform::Current().windows(); }

// Counts a message box as open for its lifetime, also when it throws.
class BoxScope {
 public:
  explicit BoxScope(int& depth) : depth_(depth) { ++depth_; }
  ~BoxScope() { --depth_; }
  BoxScope(const BoxScope&) = delete;
  BoxScope& operator=(const BoxScope&) = delete;

 private:
  int& depth_;
};

}  // namespace

// The hidden window that owns the forms and carries the taskbar button; its
// minimise and restore (the taskbar button) are the application's.
class TApplication::OwnerWindow final : private platform::WindowHandler {
 public:
  explicit OwnerWindow(TApplication& app) : app_(app) {
    platform::WindowSpec params;
    params.kind = platform::WindowKind::AppOwner;
    handle_ = Windows().Create(params, this);
  }
  ~OwnerWindow() override {
    if (handle_) Windows().Destroy(handle_);
  }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  platform::WindowHandle Handle() const { return handle_; }

 private:
  bool WindowMinimizeRequested() override {
    app_.Minimize();
    return true;
  }
  bool WindowRestoreRequested() override {
    app_.Restore();
    return true;
  }
  bool WindowMessage(unsigned message, std::uintptr_t, std::intptr_t, std::intptr_t&) override {
    // The user changed the regional settings: dates and numbers follow them.
    if (message == platform::msg::kSettingChange) platform::Current().locale().SettingsChanged();
    return false;
  }
  void WindowDestroyed() override { handle_ = {}; }

  TApplication& app_;
  platform::WindowHandle handle_{};
};

TApplication::TApplication() : TComponent(nullptr) {
  g_instance = this;
  ownerWindow_ = std::make_unique<OwnerWindow>(*this);
  Windows().SetAppIcon(ownerWindow_->Handle());
  Windows().SetErrorHandler([this](std::exception_ptr error) { HandleException(error); });
}

TApplication::~TApplication() {
  // Teardown order: stop reporting errors through this object, free the
  // forms (their windows go with them), then the hidden windows.
  Windows().SetErrorHandler(nullptr);
  CancelHint();
  mouseControl_ = nullptr;
  focusedForm_ = nullptr;
  DestroyComponents();
  mainForm_ = nullptr;
  utilityWindow_.reset();
  ownerWindow_.reset();
  if (g_instance == this) g_instance = nullptr;
}

TApplication* TApplication::Instance() { return g_instance; }

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (ownerWindow_ && ownerWindow_->Handle()) Windows().SetText(ownerWindow_->Handle(), title);
}

platform::WindowHandle TApplication::Handle() const {
  return ownerWindow_ ? ownerWindow_->Handle() : platform::WindowHandle{};
}

platform::WindowHandle TApplication::UtilityHandle() {
  if (!utilityWindow_) {
    utilityWindow_ = std::make_unique<TPUtilWindow>(
        [this](unsigned m, std::uintptr_t w, std::intptr_t l, std::intptr_t& r) {
          return UtilityMessage(m, w, l, r);
        });
  }
  return utilityWindow_->Handle();
}

void TApplication::Run() {
  if (!mainForm_) return;
  // The hidden window shows (with no size) so that it carries the taskbar button.
  Windows().Show(Handle(), platform::ShowCommand::ShowNoActivate);
  if (showMainForm_) mainForm_->Show();
  if (terminated_) return;
  int code = Windows().RunLoop();
  (void)code;
}

void TApplication::Terminate() {
  terminated_ = true;
  Windows().Quit(0);
}

void TApplication::ProcessMessages() { Windows().ProcessPending(); }

bool TApplication::Minimized() const { return Windows().IsWindowMinimized(Handle()); }

void TApplication::Minimize() {
  if (Minimized()) return;
  Windows().Show(Handle(), platform::ShowCommand::Minimize);
  OnMinimize(this);
}

void TApplication::Restore() {
  if (!Minimized()) return;
  Windows().Show(Handle(), platform::ShowCommand::Restore);
  if (mainForm_ && !mainForm_->Visible()) mainForm_->Show();
  OnRestore(this);
}

platform::WindowHandle TApplication::BoxOwner() const {
  if (focusedForm_ && focusedForm_->HandleAllocated() && focusedForm_->Visible()) {
    return focusedForm_->Handle();
  }
  if (mainForm_ && mainForm_->HandleAllocated() && mainForm_->Visible()) return mainForm_->Handle();
  return Handle();
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  platform::MessageBoxRequest request{BoxOwner(), text, caption.empty() ? title_ : caption, flags};
  BoxScope scope(boxDepth_);
  return Windows().ShowMessageBox(request);
}

int TApplication::ShowPlainMessage(const std::string& text, unsigned flags) {
  platform::MessageBoxRequest request{BoxOwner(), text, title_, flags};
  int answer;
  {
    BoxScope scope(boxDepth_);
    // The box is a window of the program itself: while it is up, no form
    // has the program's focus.
    TCustomForm* before = focusedForm_;
    focusedForm_ = nullptr;
    if (before) before->DoDeactivate();
    answer = Windows().ShowMessageBox(request);
  }
  // The focus comes back from the box to whichever form is active now.
  if (TCustomForm* back = FindForm(Windows().GetActiveWindow())) FormWindowActivated(back);
  return answer;
}

void TApplication::HandleException(std::exception_ptr error) {
  if (!error) return;
  std::string text;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    text = ErrorBoxText(e);
  } catch (...) {
    text = ErrorBoxText(std::string("Unknown error"));
  }
  try {
    MessageBox(text, title_, platform::mb::kOk | platform::mb::kIconError);
  } catch (...) {
    // Nothing is left to report a failing error box with.
    std::fputs("tandrel: the error box failed\n", stderr);
  }
}

TCustomForm* TApplication::FindForm(platform::WindowHandle window) const {
  if (!window) return nullptr;
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* form = As<TCustomForm>(Components(i));
    if (form && form->HandleAllocated() && form->Handle() == window) return form;
  }
  return nullptr;
}

void TApplication::FormWindowActivated(TCustomForm* form) {
  // A message box coming and going moves the platform's activation, not
  // the program's focus; the plain box settles that itself once closed.
  if (boxDepth_ > 0 || focusedForm_ == form) return;
  TCustomForm* before = focusedForm_;
  focusedForm_ = form;
  if (before) before->DoDeactivate();
  form->DoActivate();
}

void TApplication::FormWindowDeactivated(TCustomForm* form) {
  (void)form;  // switching to another program keeps the program's focus
}

void TApplication::FormGone(TCustomForm* form) {
  if (focusedForm_ == form) focusedForm_ = nullptr;
  if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::ControlGone(TControl* control) {
  if (mouseControl_ == control) mouseControl_ = nullptr;
  if (hintControl_ == control) CancelHint();
}

void TApplication::SetShowHint(bool show) {
  showHint_ = show;
  if (!show) CancelHint();
}

void TApplication::CancelHint() {
  if (hintTimer_) Windows().StopTimer(hintTimer_);
  hintTimer_ = 0;
  if (hintShowing_) Windows().HideTooltip();
  hintShowing_ = false;
  hintControl_ = nullptr;
}

void TApplication::HintTick() {
  Windows().StopTimer(hintTimer_);
  hintTimer_ = 0;
  if (!hintControl_) return;
  if (hintShowing_) {
    // Shown long enough; it comes back only when the mouse moves to another control.
    Windows().HideTooltip();
    hintShowing_ = false;
    return;
  }
  TPoint at = Windows().CursorPos();
  Windows().ShowTooltip(hintControl_->Hint(), TPoint{at.x, at.y + 20});
  hintShowing_ = true;
  hintTimer_ = Windows().StartTimer(hintHidePause_, [this] { HintTick(); });
}

void TApplication::NoteMouseControl(TControl* control) {
  if (mouseControl_ == control) return;
  TControl* before = mouseControl_;
  mouseControl_ = control;
  CancelHint();
  std::string hint;
  for (TControl* c = control; c && hint.empty(); c = c->Parent()) hint = c->Hint();
  SetHint(hint);
  if (before) before->DispatchMouseLeave();
  if (control && mouseControl_ == control) control->DispatchMouseEnter();
  if (control && mouseControl_ == control && showHint_ && control->ShowHint() &&
      !control->Hint().empty()) {
    hintControl_ = control;
    hintTimer_ = Windows().StartTimer(hintPause_, [this] { HintTick(); });
  }
}

bool TApplication::MouseLeaveMatters() const {
  return mouseControl_ &&
         (mouseControl_->FollowsMouse() || !hint_.empty() || hintControl_ || hintShowing_);
}

void TApplication::SetHint(const std::string& hint) {
  if (hint_ == hint) return;
  hint_ = hint;
  const THintAction action{hint};
  if (focusedForm_ && OfferHintAction(*focusedForm_, action)) return;
  if (mainForm_ && mainForm_ != focusedForm_) OfferHintAction(*mainForm_, action);
}

bool TApplication::OfferHintAction(TWinControl& parent, const THintAction& action) {
  if (parent.ExecuteAction(action)) return true;
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    if (!c->Visible()) continue;
    if (auto* w = As<TWinControl>(c)) {
      if (OfferHintAction(*w, action)) return true;
    } else if (c->ExecuteAction(action)) {
      return true;
    }
  }
  return false;
}

void TApplication::MouseLeftWindow(TWinControl* window) {
  TControl* c = mouseControl_;
  if (!c) return;
  if (c == window || (!c->IsWindowed() && c->Parent() == window)) NoteMouseControl(nullptr);
}

int TApplication::RegisterCommand(std::function<void()> action) {
  int id = nextCommand_++;
  commands_[id] = std::move(action);
  return id;
}

void TApplication::UnregisterCommand(int id) { commands_.erase(id); }

void TApplication::PostCommand(int id) {
  Windows().Post(UtilityHandle(), kCommandMessage, static_cast<std::uintptr_t>(id), 0);
}

bool TApplication::UtilityMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                  std::intptr_t& result) {
  (void)lParam;
  if (message != kCommandMessage) return false;
  result = 0;
  auto it = commands_.find(static_cast<int>(wParam));
  if (it == commands_.end()) return true;  // its item is gone
  std::function<void()> action = it->second;
  action();
  return true;
}

}  // namespace tandrel
