#include "framework/PopupMenu.h"

#include <algorithm>

#include "framework/Application.h"
#include "platform/Platform.h"

namespace tandrel {

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {
  if (TApplication* app = TApplication::Instance()) {
    command_ = app->RegisterCommand([this] { Click(); });
  }
}

TMenuItem::~TMenuItem() {
  if (TApplication* app = TApplication::Instance(); app && command_) app->UnregisterCommand(command_);
}

void TMenuItem::Click() { OnClick(this); }

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {}

void TPopupMenu::Add(TMenuItem* item) {
  items_.push_back(item);
  FreeNotification(item);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove) {
    items_.erase(std::remove(items_.begin(), items_.end(), component), items_.end());
  }
}

void TPopupMenu::Popup(int x, int y) {
  OnPopup(this);
  TApplication* app = TApplication::Instance();
  if (!app) return;
  std::vector<platform::MenuEntry> entries;
  for (TMenuItem* item : items_) {
    if (!item->Visible()) continue;
    entries.push_back(platform::MenuEntry{item->IsSeparator() ? 0 : item->Command(), item->Caption(),
                                          item->Enabled(), item->Checked()});
  }
  int chosen = platform::Current().windows().TrackPopupMenu(app->UtilityHandle(), entries,
                                                             TPoint{x, y});
  // The click comes later, from the queue, as the menu's command message does.
  if (chosen != 0) app->PostCommand(chosen);
}

}  // namespace tandrel
