// Polling panes: each registers with the shared polling timer while it lives.
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

void TVmPollingStatus::TimerExpired() { OnTimerExpired(this); }

}  // namespace tandrel
