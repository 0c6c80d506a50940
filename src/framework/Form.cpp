#include "framework/Form.h"

#include <cctype>
#include <exception>

#include "framework/Application.h"

namespace tandrel {

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetParentFont(false);
  SetColor(clBtnFace);
}

TCustomForm::~TCustomForm() {
  OnDestroy(this);
  if (TApplication* app = TApplication::Instance()) app->FormGone(this);
  // Owned controls go while this form is still whole.
  DestroyComponents();
}

void TCustomForm::AfterConstruction() {
  if (windowAtCreation_) HandleNeeded();
  DoCreate();
}

void TCustomForm::DoCreate() {
  try {
    OnCreate(this);
  } catch (...) {
    // The form is created anyway; the error is only reported.
    if (TApplication* app = TApplication::Instance()) {
      app->HandleException(std::current_exception());
    } else {
      throw;
    }
  }
}

platform::WindowSpec TCustomForm::FrameSpec() const {
  platform::WindowSpec params;
  params.kind = platform::WindowKind::Form;
  switch (borderStyle_) {
    case TFormBorderStyle::bsNone: params.border = platform::FormBorder::None; break;
    case TFormBorderStyle::bsSingle: params.border = platform::FormBorder::Single; break;
    case TFormBorderStyle::bsSizeable: params.border = platform::FormBorder::Sizeable; break;
    case TFormBorderStyle::bsSizeToolWin: params.border = platform::FormBorder::SizeableTool; break;
  }
  bool framed = borderStyle_ != TFormBorderStyle::bsNone;
  params.systemMenu = framed && (borderIcons_ & biSystemMenu) != 0;
  params.minimizeBox = params.systemMenu && (borderIcons_ & biMinimize) != 0;
  params.maximizeBox = params.systemMenu && (borderIcons_ & biMaximize) != 0;
  params.topMost = formStyle_ == TFormStyle::fsStayOnTop;
  return params;
}

void TCustomForm::CreateParams(platform::WindowSpec& params) {
  params = FrameSpec();
  if (TApplication* app = TApplication::Instance()) params.parent = app->Handle();
  params.bounds = BoundsRect();
  params.text = Caption();
  params.visible = false;  // SetVisible shows it, activating it
  params.enabled = Enabled();
}

void TCustomForm::HandleCreated() { Windows().SetAppIcon(Handle()); }

void TCustomForm::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  TRect outer = Windows().FormBoundsForClient(FrameSpec(), Bounds(0, 0, width, height));
  TControl::SetBounds(Left(), Top(), outer.Width(), outer.Height());
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
  TRect frame = Windows().FormBoundsForClient(FrameSpec(), TRect{});
  clientWidth_ = std::max(0, width - frame.Width());
  clientHeight_ = std::max(0, height - frame.Height());
  TControl::SetBounds(left, top, width, height);
}

TRect TCustomForm::ClientRect() const { return Bounds(0, 0, clientWidth_, clientHeight_); }

TPoint TCustomForm::ClientToScreen(TPoint p) const {
  if (HandleAllocated()) return TWinControl::ClientToScreen(p);
  TRect frame = Windows().FormBoundsForClient(FrameSpec(), TRect{});
  return TPoint{Left() - frame.left + p.x, Top() - frame.top + p.y};
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (borderStyle_ == style) return;
  borderStyle_ = style;
  SetClientSize(clientWidth_, clientHeight_);
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) { borderIcons_ = icons; }

void TCustomForm::SetFormStyle(TFormStyle style) {
  if (formStyle_ == style) return;
  formStyle_ = style;
  if (HandleAllocated() && !Loading()) {
    Windows().SetTopMost(Handle(), style == TFormStyle::fsStayOnTop);
  }
}

TWindowState TCustomForm::WindowState() const {
  if (HandleAllocated() && Windows().IsWindowMinimized(const_cast<TCustomForm*>(this)->Handle())) {
    return TWindowState::wsMinimized;
  }
  if (TApplication* app = TApplication::Instance(); app && app->MainForm() == this && app->Minimized()) {
    return TWindowState::wsMinimized;
  }
  if (HandleAllocated() && Windows().IsWindowMaximized(const_cast<TCustomForm*>(this)->Handle())) {
    return TWindowState::wsMaximized;
  }
  return TWindowState::wsNormal;
}

void TCustomForm::SetWindowState(TWindowState state) {
  if (!HandleAllocated() || state == WindowState()) return;
  switch (state) {
    case TWindowState::wsNormal: Windows().Show(Handle(), platform::ShowCommand::Restore); break;
    case TWindowState::wsMinimized: Windows().Show(Handle(), platform::ShowCommand::Minimize); break;
    case TWindowState::wsMaximized: Windows().Show(Handle(), platform::ShowCommand::Maximize); break;
  }
}

void TCustomForm::PlaceByPosition() {
  if (placed_) return;
  placed_ = true;
  if (position_ == TPosition::poDesigned) return;
  TRect screen = Windows().ScreenRect();
  int left = screen.left + (screen.Width() - Width()) / 2;
  int top = screen.top + (screen.Height() - Height()) / 2;
  TControl::SetBounds(left, top, Width(), Height());
}

void TCustomForm::SetVisible(bool visible) {
  if (visible && !Loading()) {
    HandleNeeded();
    PlaceByPosition();
  }
  TControl::SetVisible(visible);
}

void TCustomForm::VisibleChanged() {
  if (!HandleAllocated() || Loading()) return;
  if (Visible()) {
    OnShow(this);
    Windows().Show(Handle(), platform::ShowCommand::Show);
  } else {
    OnHide(this);
    Windows().Show(Handle(), platform::ShowCommand::Hide);
  }
}

void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TCustomForm::BringToFront() {
  if (!HandleAllocated() || !Visible()) return;
  Windows().BringToTop(Handle());
  Windows().SetForeground(Handle());
}

void TCustomForm::TextChanged() {
  if (HandleAllocated() && !Loading()) Windows().SetText(Handle(), Caption());
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  OnClose(this, action);
  if (action == TCloseAction::caNone) return;
  TApplication* app = TApplication::Instance();
  if (app && app->MainForm() == this) {
    app->Terminate();
    return;
  }
  if (action == TCloseAction::caMinimize) {
    Windows().Show(Handle(), platform::ShowCommand::Minimize);
  } else {
    Hide();
  }
}

void TCustomForm::SetActiveControl(TWinControl* control) { activeControl_ = control; }

void TCustomForm::ControlFocused(TWinControl* control) {
  if (enteredControl_ == control) return;
  TWinControl* previous = enteredControl_;
  enteredControl_ = nullptr;
  if (previous) previous->DoExit();
  if (enteredControl_) return;  // the exit handler moved the focus on itself
  enteredControl_ = control;
  if (control) control->DoEnter();
}

void TCustomForm::ControlGone(TWinControl* control) {
  if (enteredControl_ == control) enteredControl_ = nullptr;
}

bool TCustomForm::DialogKey(int key, TShiftState shift) {
  using namespace platform;
  if (key == vk::kTab && !(shift & (shift::kAlt | shift::kCtrl))) {
    SelectNext(activeControl_, !(shift & shift::kShift), true);
    return true;
  }
  if (key == vk::kLeft || key == vk::kUp || key == vk::kRight || key == vk::kDown) {
    if (!activeControl_ || !activeControl_->Parent()) return false;
    // The focused control may keep an arrow for itself (a radio button's Down).
    if (activeControl_->HandleDialogKey(key, shift)) return true;
    activeControl_->Parent()->SelectNext(activeControl_, key == vk::kRight || key == vk::kDown,
                                         false);
    return true;
  }
  if (key == vk::kReturn || key == vk::kEscape) {
    bool handled = false;
    auto offer = [&](auto& self, TWinControl* parent) -> void {
      for (int i = 0; i < parent->ControlCount() && !handled; ++i) {
        TControl* c = parent->Controls(i);
        if (!c->Visible() || !c->Enabled()) continue;
        if (c->HandleDialogKey(key, shift)) {
          handled = true;
          return;
        }
        if (auto* w = As<TWinControl>(c)) self(self, w);
      }
    };
    offer(offer, this);
    return handled;
  }
  return false;
}

bool TCustomForm::DialogChar(char32_t ch) {
  if (ch >= 0x80) return false;
  char32_t wanted = static_cast<char32_t>(std::tolower(static_cast<int>(ch)));
  TControl* found = nullptr;
  auto search = [&](auto& self, TWinControl* parent) -> void {
    for (int i = 0; i < parent->ControlCount() && !found; ++i) {
      TControl* c = parent->Controls(i);
      if (!c->Visible() || !c->Enabled()) continue;
      if (c->AcceleratorChar() == wanted) {
        found = c;
        return;
      }
      if (auto* w = As<TWinControl>(c)) self(self, w);
    }
  };
  search(search, this);
  if (!found) return false;
  found->AcceleratorPressed();
  return true;
}

void TCustomForm::WindowActivated(bool active) {
  TApplication* app = TApplication::Instance();
  if (!active) {
    if (app) app->FormWindowDeactivated(this);
    return;
  }
  if (activeControl_ && activeControl_->CanFocus()) {
    Windows().SetFocus(activeControl_->Handle());
  } else {
    activeControl_ = nullptr;
    SelectNext(nullptr, true, true);
  }
  if (app) app->FormWindowActivated(this);
}

void TCustomForm::WindowCloseRequested() { Close(); }

bool TCustomForm::HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                std::intptr_t& result) {
  using namespace platform::msg;
  if (message == kThemeChanged || message == kSysColorChange || message == kSettingChange) {
    // Colours are resolved at every paint, so telling the controls and
    // repainting them all shows the new scheme.
    std::vector<TWinControl*> all{this};
    GetTabOrderList(all);
    for (TWinControl* c : all) c->DesktopColorsChanged();
    for (TWinControl* c : all) c->Invalidate();
  }
  return TWinControl::HandleMessage(message, wParam, lParam, result);
}

bool TCustomForm::WindowMinimizeRequested() {
  TApplication* app = TApplication::Instance();
  if (!app || app->MainForm() != this) return false;
  app->Minimize();
  return true;
}

bool TCustomForm::WindowQueryEndSession() { return CloseQuery(); }

void TCustomForm::WindowMoved(const TRect& bounds) {
  if (bounds.Width() != Width() || bounds.Height() != Height()) {
    // Sized by the user or the system (maximised, restored): the client
    // area follows, so that the aligned children fill it. A minimised
    // window keeps the size it will come back with.
    if (Windows().IsWindowMinimized(Handle())) return;
    const TSize client = Windows().ClientSize(Handle());
    clientWidth_ = client.cx;
    clientHeight_ = client.cy;
  }
  StoreBounds(bounds);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == activeControl_) activeControl_ = nullptr;
  if (operation == TOperation::opRemove && component == enteredControl_) enteredControl_ = nullptr;
}

}  // namespace tandrel
