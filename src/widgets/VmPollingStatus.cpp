// Polling panes: each registers with the shared polling timer while it lives.
#include "platform/Platform.h"
#include "widgets/VmPollingList.h"
#include "widgets/VmStatus.h"

namespace tandrel {

TVmPollingStatus::TVmPollingStatus(TComponent* owner) : TVmCustomStatusPane(owner) {
  TVmPollingList::Acquire().Register(this);
}

TVmPollingStatus::~TVmPollingStatus() { TVmPollingList::Unregister(this); }

bool TVmPollingStatus::Active() const { return TVmPollingList::Acquire().Enabled(); }
void TVmPollingStatus::SetActive(bool value) { TVmPollingList::Acquire().SetEnabled(value); }
unsigned TVmPollingStatus::Interval() const { return TVmPollingList::Acquire().Interval(); }
void TVmPollingStatus::SetInterval(unsigned value) { TVmPollingList::Acquire().SetInterval(value); }

void TVmPollingStatus::SetOnTimerExpired(TNotifyEvent handler) {
  WakePolling();  // before: the ticks missed so far had no handler to call
  onTimerExpired_ = std::move(handler);
}

void TVmPollingStatus::TimerExpired() { onTimerExpired_(this); }

bool TVmPollingStatus::PollMatters() const {
  if (!Visible()) return false;  // a hidden pane is not polled
  if (onTimerExpired_.Assigned()) return true;
  // Seen: visible up to its form, whose window is on the screen (a form in
  // the tray keeps its Visible, but its window is hidden).
  const TWinControl* parent = Parent();
  return Showing() && parent && parent->HandleAllocated() &&
         Windows().IsVisible(const_cast<TWinControl*>(parent)->Handle());
}

void TVmPollingStatus::WakePolling() { TVmPollingList::Acquire().Wake(); }

void TVmPollingStatus::Paint(TCanvas& canvas) {
  WakePolling();
  TVmCustomStatusPane::Paint(canvas);
}

void TVmPollingStatus::VisibleChanged() {
  if (Visible()) {
    // Noted first: the ticks missed while it was hidden would have skipped it.
    visibleSince_ = platform::Current().clock().TickCount();
    WakePolling();
  }
  TVmCustomStatusPane::VisibleChanged();
}

}  // namespace tandrel
