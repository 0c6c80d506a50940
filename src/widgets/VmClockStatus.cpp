// The clock pane: the current date and time, formatted on every poll and
// repainted only when the text changes (once a second with the defaults).
#include "framework/DateTimeText.h"
#include "widgets/VmStatus.h"

namespace tandrel {

TVmClockStatus::TVmClockStatus(TComponent* owner) : TVmPollingStatus(owner) { SetWidth(150); }

void TVmClockStatus::SetFormat(const std::string& value) {
  if (format_ == value) return;
  format_ = value;
  UpdateTime();
  Invalidate();
}

void TVmClockStatus::SetOnGetDateTime(TVmGetDateTimeEvent handler) {
  WakePolling();  // before: the ticks missed so far had no handler to call
  onGetDateTime_ = std::move(handler);
}

void TVmClockStatus::UpdateTime() { UpdateTimeAt(Now(), true); }

void TVmClockStatus::UpdateTimeAt(TDateTime moment, bool repaint) {
  onGetDateTime_(this, moment);
  std::string text = FormatDateTime(format_.empty() ? "c" : format_, moment);
  if (text == clockText_) return;
  clockText_ = std::move(text);
  showingTime_ = true;
  SetCaption(clockText_);  // no text-changed notification: done here once
  showingTime_ = false;
  AdjustPaneWidth();
  // Drawn at once rather than invalidated: the paint cycle it would wait
  // for (update region, message, BeginPaint, EndPaint) costs more than the
  // drawing, and this happens every second.
  if (repaint) PaintNow();
}

void TVmClockStatus::TextChanged() {
  if (!showingTime_) TVmPollingStatus::TextChanged();
}

void TVmClockStatus::TimerExpired() {
  UpdateTime();
  TVmPollingStatus::TimerExpired();
}

bool TVmClockStatus::PollMatters() const {
  return TVmPollingStatus::PollMatters() || (Visible() && onGetDateTime_.Assigned());
}

void TVmClockStatus::CatchUp(unsigned long long ago) {
  constexpr double kMillisecondsPerDay = 86400000.0;
  UpdateTimeAt(Now() - static_cast<double>(ago) / kMillisecondsPerDay, !painting_);
}

void TVmClockStatus::Loaded() {
  TVmPollingStatus::Loaded();
  UpdateTime();
  AdjustPaneWidth();
}

TRect TVmClockStatus::GetContentRect() const {
  TRect r = TVmPollingStatus::GetContentRect();
  // The text stays clear of the size grip.
  if (UnderSizeGrip()) r.right -= kGripStripWidth;
  return r;
}

void TVmClockStatus::Paint(TCanvas& canvas) {
  painting_ = true;
  WakePolling();  // may bring the text up to date, drawn here at once
  painting_ = false;
  DrawPaneFrame(canvas);
  DrawPaneCaption(canvas, clockText_);
}

}  // namespace tandrel
