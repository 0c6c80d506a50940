// TPopupMenu and TMenuItem: a menu of captions (with & accelerators and "-"
// separators) shown at a screen point. Popup returns when the menu has
// closed; the chosen item's click arrives afterwards from the message queue.
#pragma once

#include <string>
#include <vector>

#include "framework/Component.h"

namespace tandrel {

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  bool IsSeparator() const { return caption_ == "-"; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked) { checked_ = checked; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index) { imageIndex_ = index; }

  // Runs the click handler (also when the program calls it).
  virtual void Click();
  // The id under which the menu reports this item.
  int Command() const { return command_; }

  TNotifyEvent OnClick;

 private:
  std::string caption_;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  int imageIndex_ = -1;
  int command_ = 0;
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);

  // Items are owned by their owner (usually the form); the menu lists them.
  void Add(TMenuItem* item);
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }

  // Shows the menu at a screen point and returns once it has closed.
  void Popup(int x, int y);

  TNotifyEvent OnPopup;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  std::vector<TMenuItem*> items_;  // not owned
};

}  // namespace tandrel
