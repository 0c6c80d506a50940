#include "platform/headless/HeadlessWindowSystem.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "platform/headless/ClipRegion.h"
#include "platform/headless/HeadlessWindowRecord.h"

namespace tandrel::platform {

struct HeadlessWindowSystem::Timer {
  TimerId id = 0;
  unsigned interval = 0;
  unsigned long long due = 0;
  std::function<void()> tick;
};

namespace {

// Frame thicknesses of the simulated forms: left, top (caption included),
// right, bottom.
TRect FrameInsets(const WindowSpec& params) {
  if (params.kind != WindowKind::Form) return {};
  switch (params.border) {
    case FormBorder::None:
      return {};
    case FormBorder::Single:
      return {3, 22, 3, 3};
    case FormBorder::SizeableTool:
      return {4, 19, 4, 4};
    case FormBorder::Sizeable:
      break;
  }
  return {4, 23, 4, 4};
}

bool IsTopLevelKind(WindowKind kind) {
  return kind == WindowKind::Form || kind == WindowKind::Utility || kind == WindowKind::AppOwner;
}

int FirstButton(unsigned flags) {
  switch (flags & 0xF) {
    case 2: return 3;  // abort
    case 3:
    case 4: return mb::kIdYes;
    case 5: return 4;  // retry
    default: return mb::kIdOk;
  }
}

std::string TwoDigits(int v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

}  // namespace

HeadlessWindowSystem::HeadlessWindowSystem(HeadlessClock& clock, Platform& platform)
    : clock_(clock), platform_(platform) {}

HeadlessWindowSystem::~HeadlessWindowSystem() = default;

HeadlessWindowSystem::Window* HeadlessWindowSystem::Find(WindowHandle window) const {
  auto it = windows_.find(window.value);
  return it == windows_.end() ? nullptr : it->second.get();
}

HeadlessWindowSystem::Window& HeadlessWindowSystem::Get(WindowHandle window) const {
  Window* w = Find(window);
  if (w == nullptr) throw std::logic_error("headless: no such window");
  return *w;
}

std::vector<std::uintptr_t>& HeadlessWindowSystem::SiblingsOf(Window& w) {
  return w.parent != 0 ? Get(WindowHandle{w.parent}).children : topLevel_;
}

void HeadlessWindowSystem::Guard(const std::function<void()>& action) {
  try {
    action();
  } catch (...) {
    if (!errorHandler_) throw;
    errorHandler_(std::current_exception());
  }
}

WindowHandle HeadlessWindowSystem::Create(const WindowSpec& params, WindowHandler* handler) {
  auto w = std::make_unique<Window>();
  w->handle = WindowHandle{nextHandle_++};
  w->params = params;
  w->handler = handler;
  w->bounds = params.bounds;
  w->text = params.text;
  w->enabled = params.enabled;
  w->topMost = params.topMost;
  w->picker = LocalTime{};
  if (IsTopLevelKind(params.kind)) {
    w->owner = params.parent.value;
    topLevel_.push_back(w->handle.value);
  } else {
    if (!Find(params.parent)) throw std::logic_error("headless: a control needs a parent window");
    w->parent = params.parent.value;
    Get(params.parent).children.push_back(w->handle.value);
  }
  WindowHandle handle = w->handle;
  windows_[handle.value] = std::move(w);
  if (params.kind == WindowKind::Edit) edits_.Created(handle, params);
  if (params.visible) Show(handle, ShowCommand::ShowNoActivate);
  return handle;
}

void HeadlessWindowSystem::DestroyTree(Window& w) {
  std::vector<std::uintptr_t> children = w.children;
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if (Window* child = Find(WindowHandle{*it})) DestroyTree(*child);
  }
  // Owned top-level windows go with their owner, as in Windows.
  std::vector<std::uintptr_t> owned;
  for (auto h : topLevel_) {
    if (Get(WindowHandle{h}).owner == w.handle.value) owned.push_back(h);
  }
  for (auto h : owned) {
    if (Window* o = Find(WindowHandle{h})) DestroyTree(*o);
  }
  if (focus_ == w.handle.value) focus_ = 0;
  if (capture_ == w.handle.value) capture_ = 0;
  if (hover_ == w.handle.value) hover_ = 0;
  auto& siblings = SiblingsOf(w);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), w.handle.value), siblings.end());
  if (active_ == w.handle.value) {
    active_ = 0;
    ActivateNextAfterHiding(w);
  }
  std::erase_if(posted_, [&](const Posted& p) { return p.window == w.handle; });
  WindowHandler* handler = w.handler;
  WindowHandle handle = w.handle;
  windows_.erase(handle.value);
  edits_.Destroyed(handle);
  if (handler) Guard([&] { handler->WindowDestroyed(); });
}

void HeadlessWindowSystem::Destroy(WindowHandle window) {
  if (Window* w = Find(window)) DestroyTree(*w);
}

void HeadlessWindowSystem::SetBounds(WindowHandle window, const TRect& bounds) {
  Window& w = Get(window);
  bool moved = w.bounds.left != bounds.left || w.bounds.top != bounds.top;
  bool sized = w.bounds.Width() != bounds.Width() || w.bounds.Height() != bounds.Height();
  w.bounds = bounds;
  if (!w.handler) return;
  if (moved || sized) Guard([&] { w.handler->WindowMoved(bounds); });
  if (sized) {
    TSize client = ClientSize(window);
    if (Window* again = Find(window)) {
      Guard([&] { again->handler->WindowSized(client.cx, client.cy); });
    }
  }
}

TRect HeadlessWindowSystem::GetBounds(WindowHandle window) { return Get(window).bounds; }

TSize HeadlessWindowSystem::ClientSize(WindowHandle window) {
  const Window& w = Get(window);
  TRect in = FrameInsets(w.params);
  int fw = w.params.kind == WindowKind::Control || w.params.kind == WindowKind::Edit
               ? w.params.frameWidth
               : 0;
  return TSize{std::max(0, w.bounds.Width() - in.left - in.right - 2 * fw),
               std::max(0, w.bounds.Height() - in.top - in.bottom - 2 * fw)};
}

TRect HeadlessWindowSystem::FormBoundsForClient(const WindowSpec& params, const TRect& client) {
  TRect in = FrameInsets(params);
  return TRect{client.left - in.left, client.top - in.top, client.right + in.right,
               client.bottom + in.bottom};
}

TPoint HeadlessWindowSystem::ScreenOrigin(const Window& w) const {
  if (w.parent == 0) {
    TRect in = FrameInsets(w.params);
    return TPoint{w.bounds.left + in.left, w.bounds.top + in.top};
  }
  TPoint p = ScreenOrigin(Get(WindowHandle{w.parent}));
  int fw = w.params.frameWidth;
  return TPoint{p.x + w.bounds.left + fw, p.y + w.bounds.top + fw};
}

TPoint HeadlessWindowSystem::ClientToScreen(WindowHandle window, TPoint point) {
  TPoint o = ScreenOrigin(Get(window));
  return TPoint{o.x + point.x, o.y + point.y};
}

TRect HeadlessWindowSystem::ScreenRect() { return TRect{0, 0, 1024, 768}; }
TRect HeadlessWindowSystem::WorkArea() { return TRect{0, 0, 1024, 738}; }

void HeadlessWindowSystem::SetText(WindowHandle window, const std::string& text) {
  Get(window).text = text;
  if (edits_.IsEdit(window)) EditTextReplaced(window);
}

std::string HeadlessWindowSystem::GetText(WindowHandle window) { return Get(window).text; }
std::string& HeadlessWindowSystem::TextOf(WindowHandle window) const { return Get(window).text; }
WindowHandler* HeadlessWindowSystem::HandlerOf(WindowHandle window) const {
  Window* w = Find(window);
  return w ? w->handler : nullptr;
}

HeadlessWindowSystem::Window* HeadlessWindowSystem::TopLevelOf(Window& w) const {
  Window* p = &w;
  while (p->parent != 0) p = &Get(WindowHandle{p->parent});
  return p;
}

bool HeadlessWindowSystem::IsDescendant(const Window& w, const Window& ancestor) const {
  const Window* p = &w;
  while (p) {
    if (p == &ancestor) return true;
    p = p->parent ? Find(WindowHandle{p->parent}) : nullptr;
  }
  return false;
}

bool HeadlessWindowSystem::IsShowing(WindowHandle window) const {
  const Window* w = Find(window);
  while (w) {
    if (!w->visible || w->hiddenByOwner) return false;
    if (w->parent == 0) return true;
    w = Find(WindowHandle{w->parent});
  }
  return false;
}

void HeadlessWindowSystem::ChangeFocus(Window* target) {
  std::uintptr_t newFocus = target ? target->handle.value : 0;
  if (newFocus == focus_) return;
  std::uintptr_t old = focus_;
  focus_ = newFocus;
  if (Window* o = Find(WindowHandle{old}); o && o->handler) {
    Guard([&] { o->handler->WindowFocusChanged(false); });
  }
  if (Window* n = Find(WindowHandle{newFocus}); n && n->handler && focus_ == newFocus) {
    Guard([&] { n->handler->WindowFocusChanged(true); });
  }
}

void HeadlessWindowSystem::Activate(Window* target) {
  std::uintptr_t next = target ? target->handle.value : 0;
  if (next == active_) return;
  std::uintptr_t old = active_;
  active_ = next;
  if (Window* o = Find(WindowHandle{old}); o && o->handler) {
    Guard([&] { o->handler->WindowActivated(false); });
  }
  if (active_ != next) return;  // the handler moved activation elsewhere
  if (target == nullptr) {
    ChangeFocus(nullptr);
    return;
  }
  // As the default processing of an activation does: the focus goes into the
  // activated window unless it is already inside it.
  Window* f = Find(WindowHandle{focus_});
  if (!f || TopLevelOf(*f) != target) ChangeFocus(target);
  if (Window* n = Find(WindowHandle{next}); n && n->handler) {
    Guard([&] { n->handler->WindowActivated(true); });
  }
}

void HeadlessWindowSystem::ActivateNextAfterHiding(Window& hidden) {
  for (auto it = topLevel_.rbegin(); it != topLevel_.rend(); ++it) {
    Window& c = Get(WindowHandle{*it});
    if (&c == &hidden || c.params.kind != WindowKind::Form) continue;
    if (IsShowing(c.handle) && c.enabled && !c.minimized) {
      Activate(&c);
      return;
    }
  }
  Activate(nullptr);
}

void HeadlessWindowSystem::BringToTop(WindowHandle window) {
  Window& w = Get(window);
  auto& siblings = SiblingsOf(w);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), window.value), siblings.end());
  if (w.parent == 0 && !w.topMost) {
    // Below the first always-on-top window.
    auto pos = std::find_if(siblings.begin(), siblings.end(),
                            [&](std::uintptr_t h) { return Get(WindowHandle{h}).topMost; });
    siblings.insert(pos, window.value);
  } else {
    siblings.push_back(window.value);
  }
}

void HeadlessWindowSystem::Show(WindowHandle window, ShowCommand command) {
  Window& w = Get(window);
  bool topLevel = w.parent == 0;
  switch (command) {
    case ShowCommand::Hide: {
      if (!w.visible) return;
      w.visible = false;
      if (!topLevel) {
        Window* f = Find(WindowHandle{focus_});
        if (f && IsDescendant(*f, w)) ChangeFocus(TopLevelOf(w));
        return;
      }
      if (active_ == w.handle.value) ActivateNextAfterHiding(w);
      return;
    }
    case ShowCommand::Show:
    case ShowCommand::ShowNoActivate: {
      w.visible = true;
      w.hiddenByOwner = false;
      if (!topLevel) return;
      BringToTop(window);
      if (command == ShowCommand::Show && w.params.kind == WindowKind::Form && w.enabled) {
        w.minimized = false;
        Activate(&w);
      }
      return;
    }
    case ShowCommand::Minimize: {
      if (!topLevel || w.minimized) return;
      w.minimized = true;
      bool lostActive = active_ == w.handle.value;
      for (auto h : topLevel_) {
        Window& o = Get(WindowHandle{h});
        if (o.owner == w.handle.value && o.visible) {
          o.hiddenByOwner = true;
          if (active_ == h) lostActive = true;
        }
      }
      if (lostActive) Activate(nullptr);
      return;
    }
    case ShowCommand::Maximize:
      if (topLevel) ShowMaximized(w);
      return;
    case ShowCommand::Restore: {
      if (!topLevel) return;
      w.visible = true;
      if (!w.minimized) {
        if (w.maximized) {
          RestoreFromMaximized(w);
          if (!Find(window)) return;
        }
        if (w.params.kind == WindowKind::Form) Activate(&w);
        return;
      }
      w.minimized = false;
      Window* front = nullptr;
      for (auto h : topLevel_) {
        Window& o = Get(WindowHandle{h});
        if (o.owner == w.handle.value && o.hiddenByOwner) {
          o.hiddenByOwner = false;
          if (o.visible && o.params.kind == WindowKind::Form) front = &o;
        }
      }
      if (w.params.kind == WindowKind::Form) front = &w;
      if (front) Activate(front);
      return;
    }
  }
}

bool HeadlessWindowSystem::IsVisible(WindowHandle window) { return IsShowing(window); }
bool HeadlessWindowSystem::IsWindowMinimized(WindowHandle window) { return Get(window).minimized; }

void HeadlessWindowSystem::SetEnabled(WindowHandle window, bool enabled) {
  Window& w = Get(window);
  if (w.enabled == enabled) return;
  w.enabled = enabled;
  if (!enabled) {
    // A disabled window loses the focus (Windows moves it away too).
    Window* f = Find(WindowHandle{focus_});
    if (f && IsDescendant(*f, w)) ChangeFocus(w.parent ? TopLevelOf(w) : nullptr);
  }
}

bool HeadlessWindowSystem::IsEnabled(WindowHandle window) { return Get(window).enabled; }

void HeadlessWindowSystem::SetTopMost(WindowHandle window, bool topMost) {
  Get(window).topMost = topMost;
  BringToTop(window);
}

void HeadlessWindowSystem::SetFont(WindowHandle window, const FontSpec& font) {
  Get(window).font = font;
}

void HeadlessWindowSystem::Invalidate(WindowHandle window, const TRect* rect, bool erase) {
  Window& w = Get(window);
  ++w.invalidations;
  w.erase = w.erase || erase;
  const TSize size = ClientSize(window);
  const TRect client = Bounds(0, 0, size.cx, size.cy);
  const TRect r = rect ? IntersectRects(*rect, client) : client;
  if (r.IsEmpty()) return;
  if (w.invalid.IsEmpty()) {
    w.invalid = r;
  } else {
    w.invalid = TRect{std::min(w.invalid.left, r.left), std::min(w.invalid.top, r.top),
                      std::max(w.invalid.right, r.right), std::max(w.invalid.bottom, r.bottom)};
  }
}

void HeadlessWindowSystem::UpdateNow(WindowHandle window) {
  Window& w = Get(window);
  if (w.invalidations == 0) return;
  if (IsShowing(window)) {
    TSize size = ClientSize(window);
    auto scratch = platform_.painting().CreateBitmapSurface(std::max(1, size.cx), std::max(1, size.cy), false);
    PaintInto(w, *scratch, TPoint{0, 0});
  }
  if (Window* again = Find(window)) {
    again->invalidations = 0;
    again->invalid = TRect{};
    again->erase = false;
  }
}

void HeadlessWindowSystem::RedrawFrame(WindowHandle window, const TRect& rect) {
  Window& w = Get(window);
  if (!IsShowing(window) || rect.IsEmpty()) return;
  ++w.frameRedraws;
  if (w.handler && w.params.frameWidth > 0) {
    auto surface = platform_.painting().CreateBitmapSurface(std::max(1, w.bounds.Width()),
                                                            std::max(1, w.bounds.Height()), false);
    Guard([&] { w.handler->WindowNcPaint(*surface); });
  }
}

void HeadlessWindowSystem::SetFocus(WindowHandle window) {
  Window* w = Find(window);
  if (w) {
    if (!ReceivesInput(*w)) return;
    Window* top = TopLevelOf(*w);
    if (top->handle.value != active_ && top->params.kind == WindowKind::Form) Activate(top);
  }
  ChangeFocus(Find(window));
}

WindowHandle HeadlessWindowSystem::GetFocus() { return WindowHandle{focus_}; }
WindowHandle HeadlessWindowSystem::GetActiveWindow() { return WindowHandle{active_}; }

void HeadlessWindowSystem::SetForeground(WindowHandle window) {
  calls_.push_back({"SetForeground", window, 0});
  Window* w = Find(window);
  if (w && w->params.kind == WindowKind::Form && IsShowing(window)) Activate(w);
}

void HeadlessWindowSystem::SetCapture(WindowHandle window) { capture_ = window.value; }

void HeadlessWindowSystem::ReleaseCapture() {
  std::uintptr_t old = capture_;
  capture_ = 0;
  if (Window* w = Find(WindowHandle{old}); w && w->handler) {
    Guard([&] { w->handler->WindowCaptureLost(); });
  }
}

WindowHandle HeadlessWindowSystem::GetCapture() { return WindowHandle{capture_}; }

TPoint HeadlessWindowSystem::CursorPos() { return cursorPos_; }

void HeadlessWindowSystem::SetCursor(Cursor cursor) { cursor_ = cursor; }

unsigned HeadlessWindowSystem::RegisterMessage(const std::string& name) {
  auto [it, added] = registered_.try_emplace(name, nextRegistered_);
  if (added) ++nextRegistered_;
  return it->second;
}

void HeadlessWindowSystem::Post(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
  // A post to the thread only wakes its loop; it is recorded, not delivered.
  if (!window) {
    calls_.push_back({"PostThread", window, static_cast<int>(message)});
    return;
  }
  posted_.push_back(Posted{window, message, wParam, lParam});
}

std::intptr_t HeadlessWindowSystem::Send(WindowHandle window, unsigned message,
                                         std::uintptr_t wParam, std::intptr_t lParam) {
  sent_.push_back(SentMessage{window, message, wParam, lParam});
  Window* w = Find(window);
  if (!w || !w->handler) return 0;
  std::intptr_t result = 0;
  if (message == msg::kQueryEndSession) {
    bool ok = true;
    Guard([&] { ok = w->handler->WindowQueryEndSession(); });
    return ok ? 1 : 0;
  }
  if (message == msg::kEndSession) {
    Guard([&] { w->handler->WindowEndSession(wParam != 0); });
    return 0;
  }
  bool handled = false;
  Guard([&] { handled = w->handler->WindowMessage(message, wParam, lParam, result); });
  if (!handled && edits_.IsEdit(window) && Find(window)) result = EditMessage(window, message);
  return result;
}

void HeadlessWindowSystem::ProcessPending() {
  // Posted messages first, then timers, as a Windows message queue orders them.
  int guard = 0;
  while (!posted_.empty() && guard++ < 100000) {
    Posted p = posted_.front();
    posted_.pop_front();
    if (p.window) Send(p.window, p.message, p.wParam, p.lParam);
  }
  FireDueTimers(false);
  while (!posted_.empty() && guard++ < 100000) {
    Posted p = posted_.front();
    posted_.pop_front();
    if (p.window) Send(p.window, p.message, p.wParam, p.lParam);
  }
}

int HeadlessWindowSystem::RunLoop() {
  if (!quitCode_) ProcessPending();
  return quitCode_ ? *quitCode_ : -1;
}

void HeadlessWindowSystem::Quit(int exitCode) {
  if (!quitCode_) quitCode_ = exitCode;
}

TimerId HeadlessWindowSystem::StartTimer(unsigned intervalMs, std::function<void()> tick) {
  auto t = std::make_unique<Timer>();
  t->id = nextTimer_++;
  t->interval = std::max(10u, intervalMs);  // Windows' smallest interval
  t->due = clock_.TickCount() + t->interval;
  t->tick = std::move(tick);
  TimerId id = t->id;
  timers_[id] = std::move(t);
  return id;
}

void HeadlessWindowSystem::StopTimer(TimerId timer) { timers_.erase(timer); }

void HeadlessWindowSystem::FireDueTimers(bool allTicks) {
  (void)allTicks;
  unsigned long long now = clock_.TickCount();
  std::vector<std::pair<unsigned long long, TimerId>> due;
  for (auto& [id, t] : timers_) {
    if (t->due <= now) due.emplace_back(t->due, id);
  }
  std::sort(due.begin(), due.end());
  for (auto& [when, id] : due) {
    auto it = timers_.find(id);
    if (it == timers_.end()) continue;  // stopped by an earlier tick
    Timer& t = *it->second;
    // One tick for however many intervals went by; the next one keeps the cadence.
    unsigned long long missed = (now - t.due) / t.interval + 1;
    t.due += missed * t.interval;
    std::function<void()> tick = t.tick;
    Guard(tick);
  }
}

void HeadlessWindowSystem::AdvanceIdle(unsigned long long milliseconds) {
  unsigned long long target = clock_.TickCount() + milliseconds;
  for (;;) {
    ProcessPending();  // anything overdue from before ticks once
    Timer* next = nullptr;
    for (auto& [id, t] : timers_) {
      if (t->due <= target && (!next || t->due < next->due)) next = t.get();
    }
    if (!next) break;
    unsigned long long now = clock_.TickCount();
    if (next->due > now) clock_.Advance(next->due - now);
  }
  unsigned long long now = clock_.TickCount();
  if (target > now) clock_.Advance(target - now);
  ProcessPending();
}

void HeadlessWindowSystem::AdvanceBusy(unsigned long long milliseconds) {
  clock_.Advance(milliseconds);
  ProcessPending();
}

int HeadlessWindowSystem::ShowMessageBox(const MessageBoxRequest& request) {
  MessageBoxCall call{request, FirstButton(request.flags), false};
  std::uintptr_t before = active_;
  ++boxDepth_;
  // The box takes the activation from its owner while it is up.
  Activate(nullptr);
  if (!boxScript_.empty()) {
    MessageBoxScript script = std::move(boxScript_.front());
    boxScript_.pop_front();
    call.scripted = true;
    try {
      call.answer = script(request);
    } catch (...) {
      --boxDepth_;
      throw;
    }
  }
  messageBoxes_.push_back(call);
  --boxDepth_;
  Window* back = Find(WindowHandle{before});
  if (!back || !IsShowing(back->handle)) back = Find(request.owner);
  if (back && back->params.kind == WindowKind::Form && IsShowing(back->handle)) Activate(back);
  return call.answer;
}

void HeadlessWindowSystem::ScriptMessageBox(int answer) {
  boxScript_.push_back([answer](const MessageBoxRequest&) { return answer; });
}

void HeadlessWindowSystem::ScriptMessageBox(MessageBoxScript script) {
  boxScript_.push_back(std::move(script));
}

int HeadlessWindowSystem::TrackPopupMenu(WindowHandle owner, const std::vector<MenuEntry>& entries,
                                         TPoint screen) {
  int chosen = 0;
  if (!menuScript_.empty()) {
    auto script = std::move(menuScript_.front());
    menuScript_.pop_front();
    chosen = script(entries);
  }
  auto it = std::find_if(entries.begin(), entries.end(),
                         [&](const MenuEntry& e) { return e.id == chosen && e.id != 0; });
  if (it == entries.end() || !it->enabled) chosen = 0;
  menus_.push_back(MenuCall{owner, entries, screen, chosen});
  return chosen;
}

void HeadlessWindowSystem::ScriptMenuChoice(int id) {
  menuScript_.push_back([id](const std::vector<MenuEntry>&) { return id; });
}

void HeadlessWindowSystem::ScriptMenuChoiceByIndex(int index) {
  menuScript_.push_back([index](const std::vector<MenuEntry>& entries) {
    int n = 0;
    for (const MenuEntry& e : entries) {
      if (e.caption == "-") continue;
      if (n++ == index) return e.id;
    }
    return 0;
  });
}

void HeadlessWindowSystem::SetProgress(WindowHandle bar, int min, int max, int position) {
  Window& w = Get(bar);
  w.progress = ProgressState{min, max, std::clamp(position, min, std::max(min, max))};
}

void HeadlessWindowSystem::SetPickerValue(WindowHandle picker, const LocalTime& value) {
  Get(picker).picker = value;  // no change notification, as with DTM_SETSYSTEMTIME
}

LocalTime HeadlessWindowSystem::GetPickerValue(WindowHandle picker) { return Get(picker).picker; }

void HeadlessWindowSystem::SetAppIcon(WindowHandle window) {
  calls_.push_back({"SetAppIcon", window, 0});
}

void HeadlessWindowSystem::SetErrorHandler(std::function<void(std::exception_ptr)> handler) {
  errorHandler_ = std::move(handler);
}

// --- Input ---

bool HeadlessWindowSystem::ReceivesInput(const Window& w) const {
  const Window* p = &w;
  while (p) {
    if (!p->enabled) return false;
    p = p->parent ? Find(WindowHandle{p->parent}) : nullptr;
  }
  return IsShowing(w.handle) && boxDepth_ == 0;
}

HeadlessWindowSystem::Window* HeadlessWindowSystem::DeepestAt(Window& w, TPoint p) const {
  for (auto it = w.children.rbegin(); it != w.children.rend(); ++it) {
    Window& c = Get(WindowHandle{*it});
    if (!c.visible || !c.bounds.Contains(p)) continue;
    TPoint inner{p.x - c.bounds.left - c.params.frameWidth, p.y - c.bounds.top - c.params.frameWidth};
    int code = hit::kClient;
    if (c.handler) code = c.handler->WindowHitTest(inner, hit::kClient);
    if (code == hit::kTransparent) continue;
    return DeepestAt(c, inner);
  }
  return &w;
}

HeadlessWindowSystem::Window* HeadlessWindowSystem::WindowAt(TPoint screen) const {
  for (auto it = topLevel_.rbegin(); it != topLevel_.rend(); ++it) {
    Window& w = Get(WindowHandle{*it});
    if (w.params.kind != WindowKind::Form || !IsShowing(w.handle) || w.minimized) continue;
    if (!w.bounds.Contains(screen)) continue;
    TPoint o = ScreenOrigin(w);
    TSize size = const_cast<HeadlessWindowSystem*>(this)->ClientSize(w.handle);
    TPoint client{screen.x - o.x, screen.y - o.y};
    if (!Bounds(0, 0, size.cx, size.cy).Contains(client)) return nullptr;  // the frame
    return DeepestAt(w, client);
  }
  return nullptr;
}

void HeadlessWindowSystem::DeliverMouseMove(Window& w, TPoint screen) {
  TPoint o = ScreenOrigin(w);
  TPoint client{screen.x - o.x, screen.y - o.y};
  int code = hit::kClient;
  WindowHandle h = w.handle;
  Guard([&] { code = w.handler ? w.handler->WindowHitTest(client, hit::kClient) : hit::kClient; });
  if (Window* again = Find(h); again && again->handler) {
    bool set = false;
    Guard([&] { set = again->handler->WindowSetCursor(code); });
    if (!set) cursor_ = Cursor::Arrow;
  }
  if (Window* again = Find(h); again && again->handler) {
    Guard([&] { again->handler->WindowMouseMove(client, 0); });
  }
}

void HeadlessWindowSystem::MouseMove(TPoint screen) {
  cursorPos_ = screen;
  Window* target = capture_ ? Find(WindowHandle{capture_}) : WindowAt(screen);
  std::uintptr_t now = target ? target->handle.value : 0;
  if (hover_ != now) {
    if (Window* old = Find(WindowHandle{hover_}); old && old->trackLeave) {
      old->trackLeave = false;
      if (old->handler) Guard([&] { old->handler->WindowMouseLeave(); });
    }
    hover_ = now;
  }
  target = Find(WindowHandle{now});
  if (target && (capture_ || ReceivesInput(*target))) DeliverMouseMove(*target, screen);
}

void HeadlessWindowSystem::MouseDown(MouseButton button, TPoint screen, bool doubleClick) {
  if (!(cursorPos_ == screen)) MouseMove(screen);
  Window* target = capture_ ? Find(WindowHandle{capture_}) : WindowAt(screen);
  if (!target || !ReceivesInput(*target)) return;
  WindowHandle h = target->handle;
  // A press activates the form it lands on.
  Window* top = TopLevelOf(*target);
  if (top->handle.value != active_) Activate(top);
  Window* w = Find(h);
  if (!w || !w->handler) return;
  TPoint o = ScreenOrigin(*w);
  Guard([&] {
    w->handler->WindowMouseDown(button, TPoint{screen.x - o.x, screen.y - o.y}, 0, doubleClick);
  });
}

void HeadlessWindowSystem::MouseUp(MouseButton button, TPoint screen) {
  if (!(cursorPos_ == screen)) MouseMove(screen);
  Window* target = capture_ ? Find(WindowHandle{capture_}) : WindowAt(screen);
  if (!target || !(capture_ || ReceivesInput(*target)) || !target->handler) return;
  TPoint o = ScreenOrigin(*target);
  Guard([&] { target->handler->WindowMouseUp(button, TPoint{screen.x - o.x, screen.y - o.y}, 0); });
}

void HeadlessWindowSystem::ClickWindow(WindowHandle window) {
  TSize size = ClientSize(window);
  TPoint at = ClientToScreen(window, TPoint{size.cx / 2, size.cy / 2});
  MouseMove(at);
  MouseDown(MouseButton::Left, at);
  MouseUp(MouseButton::Left, at);
}

void HeadlessWindowSystem::KeyDown(int key, unsigned shiftState) {
  Window* f = Find(WindowHandle{focus_});
  if (!f || !f->handler || boxDepth_ > 0) return;
  WindowHandle h = f->handle;
  bool handled = false;
  Guard([&] { handled = f->handler->WindowKeyDown(key, shiftState); });
  if (!handled && edits_.IsEdit(h) && Find(h)) EditKey(h, key, shiftState);
}

void HeadlessWindowSystem::KeyUp(int key, unsigned shiftState) {
  Window* f = Find(WindowHandle{focus_});
  if (!f || !f->handler || boxDepth_ > 0) return;
  Guard([&] { f->handler->WindowKeyUp(key, shiftState); });
}

void HeadlessWindowSystem::KeyPress(int key, unsigned shiftState) {
  KeyDown(key, shiftState);
  KeyUp(key, shiftState);
}

void HeadlessWindowSystem::TypeChar(char32_t ch, unsigned shiftState) {
  Window* f = Find(WindowHandle{focus_});
  if (!f || !f->handler || boxDepth_ > 0) return;
  WindowHandle h = f->handle;
  char32_t left = 0;
  Guard([&] { left = f->handler->WindowChar(ch, shiftState); });
  if (left != 0 && edits_.IsEdit(h) && Find(h)) EditTypedChar(h, left);
}

void HeadlessWindowSystem::UserSetPicker(WindowHandle picker, const LocalTime& value) {
  Window& w = Get(picker);
  if (!ReceivesInput(w)) return;
  w.picker = value;
  if (w.handler) Guard([&] { w.handler->WindowDateTimeChanged(); });
}

void HeadlessWindowSystem::UserClose(WindowHandle window) {
  Window& w = Get(window);
  if (w.handler && boxDepth_ == 0) Guard([&] { w.handler->WindowCloseRequested(); });
}

void HeadlessWindowSystem::UserMinimize(WindowHandle window) {
  Window& w = Get(window);
  bool taken = false;
  if (w.handler) Guard([&] { taken = w.handler->WindowMinimizeRequested(); });
  if (!taken && Find(window)) Show(window, ShowCommand::Minimize);
}

void HeadlessWindowSystem::UserRestore(WindowHandle window) {
  Window& w = Get(window);
  if (!w.minimized) return;
  bool taken = false;
  if (w.handler) Guard([&] { taken = w.handler->WindowRestoreRequested(); });
  if (!taken && Find(window)) Show(window, ShowCommand::Restore);
}

bool HeadlessWindowSystem::EndSession() {
  std::vector<std::uintptr_t> order = topLevel_;
  bool ends = true;
  for (auto h : order) {
    if (!Find(WindowHandle{h})) continue;
    if (Send(WindowHandle{h}, msg::kQueryEndSession, 0, 0) == 0) {
      ends = false;
      break;
    }
  }
  for (auto h : order) {
    if (Find(WindowHandle{h})) Send(WindowHandle{h}, msg::kEndSession, ends ? 1 : 0, 0);
  }
  return ends;
}

void HeadlessWindowSystem::ActivateOtherProgram() {
  activeBeforeOtherProgram_ = active_;
  Activate(nullptr);
}

void HeadlessWindowSystem::ReturnToProgram() {
  Window* w = Find(WindowHandle{activeBeforeOtherProgram_});
  if (w && IsShowing(w->handle)) Activate(w);
}

// --- Inspection ---

WindowHandle HeadlessWindowSystem::FindWindow(const std::string& text,
                                              std::optional<WindowKind> kind) const {
  for (auto& [h, w] : windows_) {
    if (w->text == text && (!kind || w->params.kind == *kind)) return w->handle;
  }
  return {};
}

std::vector<WindowHandle> HeadlessWindowSystem::TopLevelWindows() const {
  std::vector<WindowHandle> out;
  for (auto h : topLevel_) out.push_back(WindowHandle{h});
  return out;
}

std::vector<WindowHandle> HeadlessWindowSystem::Children(WindowHandle window) const {
  std::vector<WindowHandle> out;
  for (auto h : Get(window).children) out.push_back(WindowHandle{h});
  return out;
}

WindowHandle HeadlessWindowSystem::Parent(WindowHandle window) const {
  return WindowHandle{Get(window).parent};
}

WindowKind HeadlessWindowSystem::Kind(WindowHandle window) const { return Get(window).params.kind; }
bool HeadlessWindowSystem::Exists(WindowHandle window) const { return Find(window) != nullptr; }

HeadlessWindowSystem::ProgressState HeadlessWindowSystem::Progress(WindowHandle bar) const {
  return Get(bar).progress;
}

FontSpec HeadlessWindowSystem::Font(WindowHandle window) const { return Get(window).font; }
int HeadlessWindowSystem::PendingInvalidations(WindowHandle window) const {
  return Get(window).invalidations;
}
bool HeadlessWindowSystem::PendingErase(WindowHandle window) const { return Get(window).erase; }
TRect HeadlessWindowSystem::InvalidBounds(WindowHandle window) const { return Get(window).invalid; }
int HeadlessWindowSystem::PaintCount(WindowHandle window) const { return Get(window).paints; }
int HeadlessWindowSystem::FrameRedraws(WindowHandle window) const {
  return Get(window).frameRedraws;
}

// --- Painting ---

void HeadlessWindowSystem::PaintInto(Window& w, Surface& surface, TPoint origin) {
  TSize size = ClientSize(w.handle);
  WindowHandle h = w.handle;
  int saved = surface.SaveState();
  surface.SetViewportOrigin(origin);
  surface.IntersectClip(Bounds(0, 0, size.cx, size.cy));
  if (w.params.kind == WindowKind::DateTimePicker || w.params.kind == WindowKind::ProgressBar) {
    // Stand-in looks of the native controls, so a rendered window shows them.
    surface.SetPenSpec(PenSpec{RGB(122, 122, 122), 1, PenStyle::Solid});
    surface.SetBrushSpec(BrushSpec{BrushStyle::Solid, clWhite, {}});
    surface.DrawRectangle(Bounds(0, 0, size.cx, size.cy));
    if (w.params.kind == WindowKind::ProgressBar) {
      const ProgressState& p = w.progress;
      int span = std::max(1, p.max - p.min);
      int filled = (size.cx - 2) * (p.position - p.min) / span;
      surface.SetBrushSpec(BrushSpec{BrushStyle::Solid, RGB(6, 176, 37), {}});
      surface.FillRectangle(TRect{1, 1, 1 + filled, size.cy - 1});
    } else {
      const LocalTime& t = w.picker;
      std::string text = w.params.timeKind
                             ? std::to_string(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second)
                             : std::to_string(t.year) + "/" + std::to_string(t.month) + "/" + std::to_string(t.day);
      surface.SetFontSpec(w.font);
      surface.SetTextColorRgb(clBlack);
      surface.SetBackgroundOpaque(false);
      TRect r{4, 0, size.cx - 4, size.cy};
      surface.FormatText(text, r, text_format::kSingleLine | text_format::kVCenter);
    }
  } else if (edits_.IsEdit(h)) {
    PaintEdit(surface, size, w.text, edits_.Model(h), w.params, w.font, edits_.Colors(h),
              focus_ == h.value);
  } else if (w.handler) {
    bool erased = false;
    Guard([&] { erased = w.handler->WindowEraseBackground(surface); });
    if (Find(h)) Guard([&] { w.handler->WindowPaint(surface, Bounds(0, 0, size.cx, size.cy)); });
    (void)erased;
  }
  surface.RestoreState(saved);
  Window* again = Find(h);
  if (!again) return;
  again->invalidations = 0;
  again->invalid = TRect{};
  again->erase = false;
  ++again->paints;
  std::vector<std::uintptr_t> children = again->children;
  for (auto c : children) {
    Window* child = Find(WindowHandle{c});
    if (!child || !child->visible) continue;
    TPoint at{origin.x + child->bounds.left, origin.y + child->bounds.top};
    if (child->params.frameWidth > 0 && child->handler) {
      int s = surface.SaveState();
      surface.SetViewportOrigin(at);
      surface.IntersectClip(Bounds(0, 0, child->bounds.Width(), child->bounds.Height()));
      Guard([&] { child->handler->WindowNcPaint(surface); });
      surface.RestoreState(s);
      child = Find(WindowHandle{c});
      if (!child) continue;
    }
    int fw = child->params.frameWidth;
    PaintInto(*child, surface, TPoint{at.x + fw, at.y + fw});
  }
}

std::unique_ptr<Surface> HeadlessWindowSystem::Render(WindowHandle window) {
  Window& w = Get(window);
  TSize size = ClientSize(window);
  auto surface = platform_.painting().CreateBitmapSurface(std::max(1, size.cx), std::max(1, size.cy), false);
  PaintInto(w, *surface, TPoint{0, 0});
  return surface;
}

}  // namespace tandrel::platform
