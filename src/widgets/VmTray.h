// TVmTrayIcon: one icon in the notification area with a tooltip, mouse
// gestures that restore the application or open a popup menu, and hiding
// the application to the tray (its taskbar button goes while minimised).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Events.h"
#include "framework/Icon.h"
#include "framework/ImageList.h"
#include "platform/Shell.h"
#include "platform/WindowSystem.h"

namespace tandrel {

class TPopupMenu;
class TPUtilWindow;
class TTimer;

// Click stands for the button-down notification, ClickUp for button-up.
enum class TVmTrayIconClicks {
  ticNone,
  ticLeftClick,
  ticLeftDblClick,
  ticLeftClickUp,
  ticRightClick,
  ticRightDblClick,
  ticRightClickUp,
};

using TVmQueryEndSessionEvent = TEvent<TObject*, bool&>;

// Published for the designer's about box; carries nothing and is never stored.
struct TVmAboutInfo {};

// The message the shell sends to the hidden window about the icon.
inline constexpr unsigned kTrayCallbackMessage = 0x2422;

// Notifications of the shell (lParam of the callback message).
namespace tray_notify {
inline constexpr std::intptr_t kLButtonDown = 0x201;
inline constexpr std::intptr_t kLButtonUp = 0x202;
inline constexpr std::intptr_t kLButtonDblClk = 0x203;
inline constexpr std::intptr_t kRButtonDown = 0x204;
inline constexpr std::intptr_t kRButtonUp = 0x205;
inline constexpr std::intptr_t kRButtonDblClk = 0x206;
inline constexpr std::intptr_t kBalloonHide = 0x403;
inline constexpr std::intptr_t kBalloonTimeout = 0x404;
inline constexpr std::intptr_t kBalloonUserClick = 0x405;
}  // namespace tray_notify

class TVmTrayIcon : public TComponent {
 public:
  explicit TVmTrayIcon(TComponent* owner);
  ~TVmTrayIcon() override;

  TVmAboutInfo About;

  bool Animate() const;
  void SetAnimate(bool animate);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool HideOnMinimize() const { return hideOnMinimize_; }
  void SetHideOnMinimize(bool hide) { hideOnMinimize_ = hide; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);
  TCustomImageList* Icons() const { return icons_; }
  void SetIcons(TCustomImageList* icons);
  int IconIndex() const { return iconIndex_; }
  void SetIconIndex(int index);
  unsigned Interval() const;
  void SetInterval(unsigned interval);
  TVmTrayIconClicks RestoreOn() const { return restoreOn_; }
  void SetRestoreOn(TVmTrayIconClicks gesture) { restoreOn_ = gesture; }
  TVmTrayIconClicks PopupMenuOn() const { return popupMenuOn_; }
  void SetPopupMenuOn(TVmTrayIconClicks gesture) { popupMenuOn_ = gesture; }

  TNotifyEvent OnBalloonHintHide;
  TNotifyEvent OnBalloonHintClose;
  TNotifyEvent OnBalloonHintClick;
  TNotifyEvent OnMinimizeApp;
  TNotifyEvent OnRestoreApp;
  TNotifyEvent OnLButtonDown;
  TNotifyEvent OnLButtonUp;
  TNotifyEvent OnLButtonDblClick;
  TNotifyEvent OnRButtonDown;
  TNotifyEvent OnRButtonUp;
  TNotifyEvent OnRButtonDblClick;
  TNotifyEvent OnEndSession;
  TVmQueryEndSessionEvent OnQueryEndSession;

  // Hides the application to the tray: minimise, then (while the icon is in
  // the tray) hide the taskbar button.
  void MinimizeToTray();
  // Brings the application back from the tray; ignored while the menu shows.
  void RestoreFromTray();

  // The hidden window that receives the shell's notifications.
  platform::WindowHandle Handle() const;
  // The icon's identity with the shell, together with Handle().
  std::uint32_t IconId() const { return iconData_.id; }
  // Whether the shell record in use is the extended one (shell version 5 on).
  bool UsesExtendedData() const { return iconData_.extendedLayout; }

 protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  // Event dispatchers.
  void DoQueryEndSession(bool& allowSessionToEnd);
  void DoEndSession();
  void DoLButtonDown();
  void DoLButtonUp();
  void DoLButtonDblClick();
  void DoRButtonDown();
  void DoRButtonUp();
  void DoRButtonDblClick();
  void DoMinimizeApp();
  void DoRestoreApp();

 private:
  bool TrayWndProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                   std::intptr_t& result);
  void TrayCallback(std::intptr_t notification);
  void Gesture(TVmTrayIconClicks gesture, void (TVmTrayIcon::*dispatch)());
  void TaskbarCreated();

  // Adds the icon (or removes it when not enabled); true when the shell
  // now shows the current record.
  bool UpdateTray();
  void ModifyTrayIcon();
  void RemoveTrayIcon();
  bool SendToShell(unsigned message);
  void ShowTrayMenu();

  void AnimationTick(TObject* sender);
  void ImageListChange(TCustomImageList& list);
  void ImageListDestroyed(TCustomImageList& list);
  void TakeApplicationIcon();
  // The icon at IconIndex from Icons, or the application's icon when the
  // index is outside the list or there is no list.
  void PickIcon();

  void InstallApplicationHooks();
  void AppMinimizeHook();
  void AppRestoreHook();

  bool enabled_ = false;
  bool hideOnMinimize_ = true;
  std::string hint_;
  TPopupMenu* popupMenu_ = nullptr;  // not owned
  TCustomImageList* icons_ = nullptr;  // not owned
  int iconIndex_ = 0;
  TVmTrayIconClicks restoreOn_ = TVmTrayIconClicks::ticLeftDblClick;
  TVmTrayIconClicks popupMenuOn_ = TVmTrayIconClicks::ticRightClickUp;

  platform::NotifyIconData iconData_;
  // An add has been sent: only from then on can the shell know the icon.
  bool addSent_ = false;
  TIcon currentIcon_;
  bool showsApplicationIcon_ = false;  // currentIcon_ is the application's icon
  std::unique_ptr<TTimer> animationTimer_;
  TChangeLink iconsLink_;
  std::unique_ptr<TPUtilWindow> notifyWindow_;
  unsigned taskbarCreatedMessage_ = 0;

  // The application keeps a handler that points here only through this
  // cell, which the destructor empties: no notification reaches a
  // destroyed tray icon.
  std::shared_ptr<TVmTrayIcon*> hookTarget_;

  // Re-entrancy guards.
  bool forceAdd_ = false;
  bool menuShowing_ = false;
  bool restoring_ = false;
};

}  // namespace tandrel
