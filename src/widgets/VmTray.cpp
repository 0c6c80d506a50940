#include "widgets/VmTray.h"

#include "framework/Application.h"
#include "framework/FlagScope.h"
#include "framework/Form.h"
#include "framework/PopupMenu.h"
#include "framework/Timer.h"
#include "framework/UtilWindow.h"
#include "platform/Platform.h"
#include "widgets/VmTrayTip.h"

namespace tandrel {

namespace {

platform::WindowSystem& Windows() { return platform::Current().windows(); }

// The shell tells icons apart by window and id; a counter keeps the id unique
// per instance where a 64-bit address would not fit the 32-bit field.
std::uint32_t NextIconId() {
  static std::uint32_t next = 0;
  return ++next;
}

constexpr unsigned kDefaultInterval = 1000;

}  // namespace

TVmTrayIcon::TVmTrayIcon(TComponent* owner)
    // Not make_shared: its control block brings the runtime's shared-pointer
    // module (some 4 KB) into the executable.
    : TComponent(owner), hookTarget_(new TVmTrayIcon*(this)) {
  animationTimer_ = std::make_unique<TTimer>(nullptr);
  animationTimer_->SetEnabled(false);
  iconIndex_ = 0;
  TakeApplicationIcon();

  iconsLink_.OnChange = [this](TCustomImageList& list) { ImageListChange(list); };
  iconsLink_.OnDestroy = [this](TCustomImageList& list) { ImageListDestroyed(list); };

  restoreOn_ = TVmTrayIconClicks::ticLeftDblClick;
  popupMenuOn_ = TVmTrayIconClicks::ticRightClickUp;
  hideOnMinimize_ = true;

  taskbarCreatedMessage_ = Windows().RegisterMessage("TaskbarCreated");
  notifyWindow_ = std::make_unique<TPUtilWindow>(
      [this](unsigned m, std::uintptr_t w, std::intptr_t l, std::intptr_t& r) {
        return TrayWndProc(m, w, l, r);
      });

  animationTimer_->SetOnTimer(TNotifyEvent(this, &TVmTrayIcon::AnimationTick));
  animationTimer_->SetInterval(kDefaultInterval);

  iconData_ = platform::NotifyIconData{};
  iconData_.extendedLayout = platform::Current().shell().MajorVersion() >= 5;
  iconData_.window = notifyWindow_->Handle();
  iconData_.id = NextIconId();
  iconData_.flags = platform::nif::kMessage | platform::nif::kIcon;
  iconData_.callbackMessage = kTrayCallbackMessage;
  iconData_.icon = currentIcon_.Handle();

  InstallApplicationHooks();
  ModifyTrayIcon();  // not in the tray yet: nothing to modify
  enabled_ = true;
}

TVmTrayIcon::~TVmTrayIcon() {
  // Teardown order: stop the application's notifications from reaching
  // this object, take the icon out of the tray, then close the window and
  // stop the timer.
  *hookTarget_ = nullptr;
  RemoveTrayIcon();
  if (icons_) icons_->UnRegisterChanges(iconsLink_);
  icons_ = nullptr;
  notifyWindow_.reset();
  animationTimer_.reset();
}

platform::WindowHandle TVmTrayIcon::Handle() const {
  return notifyWindow_ ? notifyWindow_->Handle() : platform::WindowHandle{};
}

// --- Properties ---

bool TVmTrayIcon::Animate() const { return animationTimer_->Enabled(); }

void TVmTrayIcon::SetAnimate(bool animate) { animationTimer_->SetEnabled(animate); }

unsigned TVmTrayIcon::Interval() const { return animationTimer_->Interval(); }

void TVmTrayIcon::SetInterval(unsigned interval) { animationTimer_->SetInterval(interval); }

void TVmTrayIcon::SetEnabled(bool enabled) {
  if (enabled == enabled_ && !forceAdd_) return;
  enabled_ = enabled;
  if (!Loading()) UpdateTray();
}

void TVmTrayIcon::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  iconData_.tip =
      CutTrayTip(hint_, iconData_.extendedLayout ? kExtendedTipLength : kShortTipLength);
  if (hint_.empty()) {
    iconData_.flags &= ~platform::nif::kTip;
  } else {
    iconData_.flags |= platform::nif::kTip;
  }
  ModifyTrayIcon();
}

void TVmTrayIcon::SetPopupMenu(TPopupMenu* menu) {
  if (menu == popupMenu_) return;
  if (popupMenu_) RemoveFreeNotification(popupMenu_);
  popupMenu_ = menu;
  if (popupMenu_) FreeNotification(popupMenu_);
}

void TVmTrayIcon::SetIcons(TCustomImageList* icons) {
  if (icons_) icons_->UnRegisterChanges(iconsLink_);
  icons_ = icons;
  if (icons_) icons_->RegisterChanges(iconsLink_);
  if (!Loading()) SetIconIndex(iconIndex_);
}

void TVmTrayIcon::SetIconIndex(int index) {
  iconIndex_ = index;  // kept as given, also outside the list
  PickIcon();
  ModifyTrayIcon();
}

void TVmTrayIcon::PickIcon() {
  if (icons_ && iconIndex_ >= 0 && iconIndex_ < icons_->Count()) {
    showsApplicationIcon_ = false;  // the list's picture replaces it, also when that fails
    if (icons_->GetIcon(iconIndex_, currentIcon_)) return;
  }
  TakeApplicationIcon();
}

void TVmTrayIcon::TakeApplicationIcon() {
  // Loaded again, the same picture would only be a new copy: without a list
  // that happened three times before the icon's first add.
  if (showsApplicationIcon_ && currentIcon_.Handle()) return;
  currentIcon_.SetHandle(platform::Current().painting().LoadApplicationIcon());
  showsApplicationIcon_ = true;
}

void TVmTrayIcon::ImageListChange(TCustomImageList& list) {
  if (&list == icons_) SetIconIndex(iconIndex_);
}

void TVmTrayIcon::ImageListDestroyed(TCustomImageList& list) {
  // The list is still whole during this call, so it may be let go of as usual.
  if (&list == icons_) SetIcons(nullptr);
}

void TVmTrayIcon::AnimationTick(TObject* sender) {
  (void)sender;
  if (!icons_) return;
  SetIconIndex(iconIndex_ < icons_->Count() - 1 ? iconIndex_ + 1 : 0);
}

// --- Life cycle ---

void TVmTrayIcon::Loaded() {
  TComponent::Loaded();
  PickIcon();
  // Right after an add that the shell took, it holds this very record.
  const bool shown = enabled_ && UpdateTray();
  if (!shown) ModifyTrayIcon();
}

void TVmTrayIcon::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

// --- The shell ---

bool TVmTrayIcon::SendToShell(unsigned message) {
  // Always the icon shown now: the previous one may already be destroyed.
  iconData_.icon = currentIcon_.Handle();
  // The shell knows an icon by its window and id, both new with this object:
  // until the first add it cannot have it, so a modify or delete would only
  // fail, after a round trip to the shell's process (three of them while the
  // main window loads).
  if (message == platform::nim::kAdd) {
    addSent_ = true;
  } else if (!addSent_) {
    return false;
  }
  return platform::Current().shell().NotifyIcon(message, iconData_);
}

bool TVmTrayIcon::UpdateTray() {
  if (!enabled_) {
    RemoveTrayIcon();
    return false;
  }
  // A shell that refuses the add because the icon is still there (a
  // "TaskbarCreated" without a restart) shows it all the same; only an icon
  // that is really missing turns the tray off.
  if (!SendToShell(platform::nim::kAdd) && !SendToShell(platform::nim::kModify)) {
    enabled_ = false;
  }
  InstallApplicationHooks();
  return enabled_;
}

void TVmTrayIcon::ModifyTrayIcon() { (void)SendToShell(platform::nim::kModify); }

void TVmTrayIcon::RemoveTrayIcon() { (void)SendToShell(platform::nim::kDelete); }

// --- The hidden window ---

bool TVmTrayIcon::TrayWndProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                              std::intptr_t& result) {
  // While the window is being created or destroyed its messages take the
  // default course (answering 0 to creation would make it fail).
  if (!notifyWindow_) return false;
  result = 0;
  switch (message) {
    case platform::msg::kQueryEndSession: {
      bool allowSessionToEnd = true;
      DoQueryEndSession(allowSessionToEnd);
      result = allowSessionToEnd ? 1 : 0;
      break;
    }
    case platform::msg::kEndSession:
      DoEndSession();
      if (wParam == 1) RemoveTrayIcon();
      break;
    case kTrayCallbackMessage:
      TrayCallback(lParam);
      break;
    default:
      break;
  }
  if (message == taskbarCreatedMessage_) TaskbarCreated();
  return true;  // nothing goes to the default window procedure
}

void TVmTrayIcon::TaskbarCreated() {
  if (!enabled_) return;
  FlagScope force(forceAdd_);
  try {
    SetEnabled(true);
  } catch (...) {
    // The taskbar will ask again when it next starts.
  }
}

void TVmTrayIcon::TrayCallback(std::intptr_t notification) {
  using C = TVmTrayIconClicks;
  switch (notification) {
    case tray_notify::kLButtonDown: Gesture(C::ticLeftClick, &TVmTrayIcon::DoLButtonDown); break;
    case tray_notify::kLButtonUp: Gesture(C::ticLeftClickUp, &TVmTrayIcon::DoLButtonUp); break;
    case tray_notify::kLButtonDblClk:
      Gesture(C::ticLeftDblClick, &TVmTrayIcon::DoLButtonDblClick);
      break;
    case tray_notify::kRButtonDown: Gesture(C::ticRightClick, &TVmTrayIcon::DoRButtonDown); break;
    case tray_notify::kRButtonUp: Gesture(C::ticRightClickUp, &TVmTrayIcon::DoRButtonUp); break;
    case tray_notify::kRButtonDblClk:
      Gesture(C::ticRightDblClick, &TVmTrayIcon::DoRButtonDblClick);
      break;
    case tray_notify::kBalloonHide: OnBalloonHintHide(this); break;
    case tray_notify::kBalloonTimeout: OnBalloonHintClose(this); break;
    case tray_notify::kBalloonUserClick: OnBalloonHintClick(this); break;
    default: break;
  }
}

void TVmTrayIcon::Gesture(TVmTrayIconClicks gesture, void (TVmTrayIcon::*dispatch)()) {
  // Fixed order: restore, then the menu, then the event.
  if (restoreOn_ == gesture) RestoreFromTray();
  if (popupMenuOn_ == gesture) ShowTrayMenu();
  (this->*dispatch)();
}

void TVmTrayIcon::ShowTrayMenu() {
  if (!popupMenu_) return;
  platform::WindowSystem& windows = Windows();
  const TPoint at = windows.CursorPos();
  // Without the foreground the menu would not close on a click elsewhere.
  if (auto* form = As<TCustomForm>(Owner())) windows.SetForeground(form->Handle());
  FlagScope showing(menuShowing_);
  popupMenu_->Popup(at.x, at.y);
  // Lets the menu's own loop see that it is over before the next click.
  windows.Post(platform::WindowHandle{}, platform::msg::kNull, 0, 0);
}

// --- Minimise and restore ---

void TVmTrayIcon::MinimizeToTray() {
  TApplication* app = TApplication::Instance();
  if (!app) return;
  // Fires the application's minimise notification, which comes back here
  // (nested) unless the application was already minimised.
  app->Minimize();
  // Without the icon the taskbar button is the only way back: keep it.
  if (enabled_ && hideOnMinimize_) Windows().Show(app->Handle(), platform::ShowCommand::Hide);
  DoMinimizeApp();
}

void TVmTrayIcon::RestoreFromTray() {
  if (menuShowing_) return;
  TApplication* app = TApplication::Instance();
  if (!app) return;
  FlagScope restoring(restoring_);
  app->Restore();
  if (enabled_) {
    Windows().Show(app->Handle(), platform::ShowCommand::Restore);
    Windows().SetForeground(app->Handle());
  }
  DoRestoreApp();
}

void TVmTrayIcon::InstallApplicationHooks() {
  TApplication* app = TApplication::Instance();
  if (!app) return;
  std::shared_ptr<TVmTrayIcon*> target = hookTarget_;
  app->OnMinimize = TNotifyEvent([target](TObject*) {
    if (*target) (*target)->AppMinimizeHook();
  });
  app->OnRestore = TNotifyEvent([target](TObject*) {
    if (*target) (*target)->AppRestoreHook();
  });
}

void TVmTrayIcon::AppMinimizeHook() { MinimizeToTray(); }

void TVmTrayIcon::AppRestoreHook() {
  if (!restoring_) RestoreFromTray();
}

// --- Event dispatchers ---

void TVmTrayIcon::DoQueryEndSession(bool& allowSessionToEnd) {
  OnQueryEndSession(this, allowSessionToEnd);
}
void TVmTrayIcon::DoEndSession() { OnEndSession(this); }
void TVmTrayIcon::DoLButtonDown() { OnLButtonDown(this); }
void TVmTrayIcon::DoLButtonUp() { OnLButtonUp(this); }
void TVmTrayIcon::DoLButtonDblClick() { OnLButtonDblClick(this); }
void TVmTrayIcon::DoRButtonDown() { OnRButtonDown(this); }
void TVmTrayIcon::DoRButtonUp() { OnRButtonUp(this); }
void TVmTrayIcon::DoRButtonDblClick() { OnRButtonDblClick(this); }
void TVmTrayIcon::DoMinimizeApp() { OnMinimizeApp(this); }
void TVmTrayIcon::DoRestoreApp() { OnRestoreApp(this); }

}  // namespace tandrel
