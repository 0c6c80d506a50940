#include "framework/WinControl.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/PaintBuffer.h"

namespace tandrel {

namespace {

TMouseButton ToButton(platform::MouseButton b) {
  switch (b) {
    case platform::MouseButton::Right: return TMouseButton::mbRight;
    case platform::MouseButton::Middle: return TMouseButton::mbMiddle;
    case platform::MouseButton::Left: break;
  }
  return TMouseButton::mbLeft;
}

// The visible controls of one alignment, nearest to its side first: by their
// position along it, ties in the controls' order.
std::vector<TControl*> Aligned(const std::vector<TControl*>& controls, TAlign align) {
  const auto distance = [align](const TControl* c) -> long long {
    switch (align) {
      case TAlign::alTop: return c->Top();
      case TAlign::alBottom: return -static_cast<long long>(c->Top());
      case TAlign::alLeft: return c->Left();
      case TAlign::alRight: return -static_cast<long long>(c->Left());
      default: return 0;
    }
  };
  std::vector<TControl*> list;
  for (TControl* c : controls) {
    if (c->Align() != align || !c->Visible()) continue;
    const auto after = std::upper_bound(list.begin(), list.end(), distance(c),
                                        [&](long long d, const TControl* other) {
                                          return d < distance(other);
                                        });
    list.insert(after, c);
  }
  return list;
}

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  if (TCustomForm* form = GetParentForm(); form && form != this) form->ControlGone(this);
  // Children that outlive this control (owned elsewhere) lose their parent.
  for (TControl* c : std::vector<TControl*>(controls_)) c->SetParent(nullptr);
  DestroyHandle();
}

platform::WindowHandle TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TWinControl::CreateParams(platform::WindowSpec& params) {
  params.kind = platform::WindowKind::Control;
  params.parent = Parent() ? Parent()->Handle() : platform::WindowHandle{};
  params.bounds = BoundsRect();
  params.text = Caption();
  params.visible = Visible();
  params.enabled = Enabled();
  params.tabStop = tabStop_;
  params.frameWidth = FrameWidth();
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  platform::WindowSpec params;
  CreateParams(params);
  handle_ = Windows().Create(params, &events_);
  lastClientSize_ = Windows().ClientSize(handle_);
  HandleCreated();
  // Windowed children get their windows in z-order, so the stacking matches.
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (auto* w = As<TWinControl>(c)) w->CreateHandle();
  }
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  platform::WindowHandle h = handle_;
  // Children's windows go with this one; forget their handles first.
  for (TControl* c : controls_) {
    if (auto* w = As<TWinControl>(c)) w->DestroyHandle();
  }
  handle_ = {};
  Windows().Destroy(h);
}

void TWinControl::WindowDestroyed() { handle_ = {}; }

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  if (auto* w = As<TWinControl>(control)) {
    tabList_.push_back(w);
    if (handle_ && !Loading() && !control->Loading()) w->CreateHandle();
  } else {
    control->Invalidate();
  }
  if (control->Align() != TAlign::alNone && !Loading()) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
  if (TApplication* app = TApplication::Instance()) app->ControlGone(control);
  if (captureControl_ == control) captureControl_ = nullptr;
  if (auto* w = As<TWinControl>(control)) {
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
    w->DestroyHandle();
  } else if (HandleAllocated()) {
    InvalidateRect(control->BoundsRect(), true);
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() || !c->Visible()) continue;
    if (!allowDisabled && !c->Enabled()) continue;
    if (c->BoundsRect().Contains(p) && c->HitTestAt(TPoint{p.x - c->Left(), p.y - c->Top()})) {
      return c;
    }
  }
  return nullptr;
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

bool TWinControl::ShowingAndEnabled() const {
  for (const TControl* c = this; c; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return GetParentForm() != nullptr;
}

bool TWinControl::CanFocus() const { return AcceptsFocus() && ShowingAndEnabled(); }

bool TWinControl::Focused() { return handle_ && Windows().GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (!AcceptsFocus()) return;
  if (TCustomForm* form = GetParentForm(); form && form != this) form->SetActiveControl(this);
  if (!CanFocus()) return;
  Windows().SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  std::vector<TWinControl*> list;
  if (checkTabStop) GetTabOrderList(list);
  else list = tabList_;
  int n = static_cast<int>(list.size());
  if (n == 0) return;
  int index = -1;
  for (int i = 0; i < n; ++i) {
    if (list[static_cast<size_t>(i)] == current) index = i;
  }
  for (int step = 1; step <= n; ++step) {
    int j;
    if (index < 0) j = forward ? step - 1 : n - step;
    else j = ((index + (forward ? step : -step)) % n + n) % n;
    TWinControl* c = list[static_cast<size_t>(j)];
    if (c == current) continue;
    if (c->CanFocus() && (!checkTabStop || c->TabStop())) {
      c->SetFocus();
      return;
    }
  }
}

TWinControl* TWinControl::FirstFocusableTabStop() const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  for (TWinControl* c : list) {
    if (c->TabStop() && c->CanFocus()) return c;
  }
  return nullptr;
}

void TWinControl::PaintBackgroundInto(TCanvas& canvas) {
  int saved = canvas.SaveState();
  EraseBackground(canvas);
  canvas.RestoreState(saved);
  saved = canvas.SaveState();
  PaintWindow(canvas);
  canvas.RestoreState(saved);
  PaintControls(canvas);
  saved = canvas.SaveState();
  PaintOverControls(canvas);
  canvas.RestoreState(saved);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
}

void TWinControl::BoundsChanged(bool resized) {
  if (handle_ && !Loading()) Windows().SetBounds(handle_, BoundsRect());
  if (resized && !Loading()) Realign();
}

TRect TWinControl::ClientRect() const {
  int fw = FrameWidth();
  return Bounds(0, 0, std::max(0, Width() - 2 * fw), std::max(0, Height() - 2 * fw));
}

TPoint TWinControl::ClientToScreen(TPoint p) const {
  if (handle_) return Windows().ClientToScreen(handle_, p);
  int fw = FrameWidth();
  return TControl::ClientToScreen(TPoint{p.x + fw, p.y + fw});
}

void TWinControl::Realign() {
  if (Loading() || realigning_) return;
  realigning_ = true;
  TRect r = ClientRect();
  AdjustClientRect(r);
  AlignControls(r);
  realigning_ = false;
}

void TWinControl::AlignControls(TRect r) {
  // Top and bottom first (full width), then left and right in what is left,
  // then the client.
  for (TControl* c : Aligned(controls_, TAlign::alTop)) {
    c->SetBounds(r.left, r.top, r.Width(), c->Height());
    r.top += c->Height();
  }
  for (TControl* c : Aligned(controls_, TAlign::alBottom)) {
    c->SetBounds(r.left, r.bottom - c->Height(), r.Width(), c->Height());
    r.bottom -= c->Height();
  }
  for (TControl* c : Aligned(controls_, TAlign::alLeft)) {
    c->SetBounds(r.left, r.top, c->Width(), r.Height());
    r.left += c->Width();
  }
  for (TControl* c : Aligned(controls_, TAlign::alRight)) {
    c->SetBounds(r.right - c->Width(), r.top, c->Width(), r.Height());
    r.right -= c->Width();
  }
  for (TControl* c : Aligned(controls_, TAlign::alClient)) {
    c->SetBounds(r.left, r.top, r.Width(), r.Height());
  }
}

void TWinControl::Invalidate() {
  if (handle_) Windows().Invalidate(handle_, nullptr, !IsOpaque());
}

void TWinControl::InvalidateRect(const TRect& r, bool erase) {
  if (handle_) Windows().Invalidate(handle_, &r, erase);
}

bool TWinControl::PaintClientNow(const TRect& r) {
  return handle_ && Windows().PaintNow(handle_, r);
}

void TWinControl::Update() {
  if (handle_) Windows().UpdateNow(handle_);
}

void TWinControl::TextChanged() {
  if (handle_ && !Loading()) Windows().SetText(handle_, Caption());
  Invalidate();
}

void TWinControl::EnabledChanged() {
  if (handle_ && !Loading()) Windows().SetEnabled(handle_, Enabled());
  Invalidate();
}

void TWinControl::VisibleChanged() {
  if (handle_ && !Loading()) {
    Windows().Show(handle_, Visible() ? platform::ShowCommand::ShowNoActivate
                                      : platform::ShowCommand::Hide);
  }
}

void TWinControl::ColorChanged() {
  Invalidate();
  for (TControl* c : controls_) c->ParentColorChanged();
}

void TWinControl::FontChanged() {
  Invalidate();
  for (TControl* c : controls_) c->ParentFontChanged();
}

void TWinControl::ParentColorChanged() { TControl::ParentColorChanged(); }
void TWinControl::ParentFontChanged() { TControl::ParentFontChanged(); }

void TWinControl::Loaded() {
  TControl::Loaded();
  // The window is made now, with everything the layout stored.
  if (Parent() && Parent()->HandleAllocated()) CreateHandle();
  if (handle_) {
    Windows().SetBounds(handle_, BoundsRect());
    Windows().SetText(handle_, Caption());
    Windows().SetEnabled(handle_, Enabled());
    Windows().Show(handle_, Visible() ? platform::ShowCommand::ShowNoActivate
                                      : platform::ShowCommand::Hide);
  }
  Realign();
}

bool TWinControl::EraseBackground(TCanvas& canvas) {
  canvas.Brush.SetColor(Color());
  canvas.Brush.SetStyle(bsSolid);
  canvas.FillRect(ClientRect());
  return true;
}

bool TWinControl::SetCursorHook(int hitTest) {
  if (hitTest != platform::hit::kClient) return false;
  TControl* c = captureControl_;
  if (!c) {
    TPoint cursor = Windows().CursorPos();
    TPoint origin = ClientToScreen(TPoint{0, 0});
    c = ControlAtPos(TPoint{cursor.x - origin.x, cursor.y - origin.y});
  }
  if (!c) c = this;
  if (c->Cursor() == TCursor::Arrow) return false;
  Windows().SetCursor(c->Cursor());
  return true;
}

void TWinControl::KeyDown(int& key, TShiftState shift) { OnKeyDown(this, key, shift); }
void TWinControl::KeyUp(int& key, TShiftState shift) { OnKeyUp(this, key, shift); }
void TWinControl::KeyPress(char32_t& ch) { OnKeyPress(this, ch); }
void TWinControl::DoEnter() { OnEnter(this); }
void TWinControl::DoExit() { OnExit(this); }

void TWinControl::PaintControls(TCanvas& canvas) {
  // A child outside what is being painted is left alone: all its drawing
  // would be clipped away (a clock second repaints one status pane).
  const TRect clip = canvas.ClipRect();
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (c->IsWindowed() || !c->Visible()) continue;
    TRect b = c->BoundsRect();
    if (b.IsEmpty() || b.right <= clip.left || clip.right <= b.left || b.bottom <= clip.top ||
        clip.bottom <= b.top) {
      continue;
    }
    int saved = canvas.SaveState();
    canvas.IntersectClipRect(b);
    canvas.OffsetViewportOrigin(b.left, b.top);
    c->PaintOn(canvas);
    canvas.RestoreState(saved);
  }
}

// --- The standard dispatch of platform events ---

void TWinControl::WindowPaint(platform::Surface& surface, const TRect& dirty) {
  // Background, face and windowless children go to the off-screen buffer,
  // the update area's size, and reach the window in one copy.
  TRect area = dirty;
  area.left = std::max(area.left, 0);
  area.top = std::max(area.top, 0);
  area.right = std::min(area.right, surface.SurfaceWidth());
  area.bottom = std::min(area.bottom, surface.SurfaceHeight());
  if (area.IsEmpty()) return;
  TPaintBuffer::Lease buffer(TSize{area.Width(), area.Height()});
  platform::Surface& offscreen = buffer.Surface();
  offscreen.SetViewportOrigin(TPoint{-area.left, -area.top});
  offscreen.IntersectClip(area);
  paintCanvas_.SetSurface(&offscreen);
  try {
    int saved = paintCanvas_.SaveState();
    EraseBackground(paintCanvas_);
    paintCanvas_.RestoreState(saved);
    PaintWindow(paintCanvas_);
    PaintControls(paintCanvas_);
    PaintOverControls(paintCanvas_);
  } catch (...) {
    paintCanvas_.SetSurface(nullptr);
    throw;
  }
  paintCanvas_.SetSurface(nullptr);
  // The buffer's own pixels from its top-left corner, whatever its origin.
  offscreen.SetViewportOrigin(TPoint{0, 0});
  surface.CopyFrom(area, offscreen, Bounds(0, 0, area.Width(), area.Height()));
}

bool TWinControl::WindowEraseBackground(platform::Surface& surface) {
  // The paint draws the background into its buffer; erasing the window
  // first would only show for a moment.
  (void)surface;
  EraseRequested();
  return true;
}

void TWinControl::WindowNcPaint(platform::Surface& surface) {
  TCanvas canvas(&surface);
  PaintNonClient(canvas);
}

int TWinControl::WindowHitTest(TPoint client, int defaultResult) {
  return HitTest(client, defaultResult);
}

bool TWinControl::WindowSetCursor(int hitTest) { return SetCursorHook(hitTest); }

void TWinControl::WindowMoved(const TRect& bounds) {
  (void)bounds;
}

void TWinControl::WindowSized(int clientWidth, int clientHeight) {
  int dx = clientWidth - lastClientSize_.cx;
  int dy = clientHeight - lastClientSize_.cy;
  lastClientSize_ = TSize{clientWidth, clientHeight};
  if (dx == 0 && dy == 0) return;
  for (TControl* c : std::vector<TControl*>(controls_)) c->ApplyAnchors(dx, dy);
  Realign();
}

TControl* TWinControl::MouseTarget(TPoint at) const {
  if (captureControl_) return captureControl_;
  TControl* c = ControlAtPos(at);
  return c ? c : const_cast<TWinControl*>(this);
}

void TWinControl::WindowMouseMove(TPoint at, unsigned shiftState) {
  TControl* target = MouseTarget(at);
  // The hovered control is the one under the cursor, also while another
  // one holds the mouse captured (it sees the cursor leave and come back).
  TApplication* app = TApplication::Instance();
  if (app) {
    TControl* hovered = nullptr;
    if (ClientRect().Contains(at)) {
      hovered = ControlAtPos(at);
      if (!hovered) hovered = this;
    }
    app->NoteMouseControl(hovered);
  }
  // Only where leaving changes something: the notice is not free (Wine
  // polls the pointer for as long as it rests on a window that asked).
  if (!app || app->MouseLeaveMatters()) Windows().TrackMouseLeave(handle_);
  TPoint local = target == this ? at : TPoint{at.x - target->Left(), at.y - target->Top()};
  target->DispatchMouseMove(shiftState, local);
}

void TWinControl::WindowMouseDown(platform::MouseButton button, TPoint at, unsigned shiftState,
                                  bool doubleClick) {
  TControl* target = MouseTarget(at);
  TPoint local = target == this ? at : TPoint{at.x - target->Left(), at.y - target->Top()};
  if (TApplication* app = TApplication::Instance()) app->CancelHint();
  if (button == platform::MouseButton::Left) {
    captureControl_ = target;
    Windows().SetCapture(handle_);
  }
  target->DispatchMouseDown(ToButton(button), shiftState, local, doubleClick);
}

void TWinControl::WindowMouseUp(platform::MouseButton button, TPoint at, unsigned shiftState) {
  TControl* target = MouseTarget(at);
  TPoint local = target == this ? at : TPoint{at.x - target->Left(), at.y - target->Top()};
  if (button == platform::MouseButton::Left) {
    captureControl_ = nullptr;
    if (handle_ && Windows().GetCapture() == handle_) Windows().ReleaseCapture();
  }
  target->DispatchMouseUp(ToButton(button), shiftState, local);
}

void TWinControl::WindowMouseLeave() {
  if (TApplication* app = TApplication::Instance()) app->MouseLeftWindow(this);
}

void TWinControl::WindowCaptureLost() { captureControl_ = nullptr; }

bool TWinControl::WindowKeyDown(int key, unsigned shiftState) {
  if (!WantsKey(key)) {
    if (TCustomForm* form = GetParentForm(); form && form->DialogKey(key, shiftState)) return true;
  }
  int k = key;
  KeyDown(k, shiftState);
  // A key the control consumed (set to 0) is kept from a native control.
  return k == 0;
}

bool TWinControl::WindowKeyUp(int key, unsigned shiftState) {
  int k = key;
  KeyUp(k, shiftState);
  return true;
}

char32_t TWinControl::WindowChar(char32_t ch, unsigned shiftState) {
  TCustomForm* form = GetParentForm();
  if (shiftState & platform::shift::kAlt) {
    if (form) form->DialogChar(ch);
    return 0;
  }
  char32_t c = ch;
  KeyPress(c);
  if (c != 0 && !WantsChars() && form && form->DialogChar(c)) return 0;
  return c;
}

void TWinControl::WindowFocusChanged(bool focused) {
  // Entering and leaving are changes of the control within its form: the
  // focus leaving the program and coming back to the same control is neither.
  if (focused) {
    if (TCustomForm* form = GetParentForm(); form && form != this) {
      form->SetActiveControl(this);
      form->ControlFocused(this);
    }
  }
  Invalidate();
}

bool TWinControl::WindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                std::intptr_t& result) {
  return HandleMessage(message, wParam, lParam, result);
}

void TWinControl::Events::WindowPaint(platform::Surface& surface, const TRect& dirty) {
  control_.WindowPaint(surface, dirty);
}
bool TWinControl::Events::WindowEraseBackground(platform::Surface& surface) {
  return control_.WindowEraseBackground(surface);
}
void TWinControl::Events::WindowNcPaint(platform::Surface& surface) {
  control_.WindowNcPaint(surface);
}
int TWinControl::Events::WindowHitTest(TPoint client, int defaultResult) {
  return control_.WindowHitTest(client, defaultResult);
}
bool TWinControl::Events::WindowSetCursor(int hitTest) { return control_.WindowSetCursor(hitTest); }
void TWinControl::Events::WindowMoved(const TRect& bounds) { control_.WindowMoved(bounds); }
void TWinControl::Events::WindowSized(int clientWidth, int clientHeight) {
  control_.WindowSized(clientWidth, clientHeight);
}
void TWinControl::Events::WindowMouseMove(TPoint at, unsigned shiftState) {
  control_.WindowMouseMove(at, shiftState);
}
void TWinControl::Events::WindowMouseDown(platform::MouseButton button, TPoint at,
                                          unsigned shiftState, bool doubleClick) {
  control_.WindowMouseDown(button, at, shiftState, doubleClick);
}
void TWinControl::Events::WindowMouseUp(platform::MouseButton button, TPoint at,
                                        unsigned shiftState) {
  control_.WindowMouseUp(button, at, shiftState);
}
void TWinControl::Events::WindowMouseLeave() { control_.WindowMouseLeave(); }
void TWinControl::Events::WindowCaptureLost() { control_.WindowCaptureLost(); }
bool TWinControl::Events::WindowKeyDown(int key, unsigned shiftState) {
  return control_.WindowKeyDown(key, shiftState);
}
bool TWinControl::Events::WindowKeyUp(int key, unsigned shiftState) {
  return control_.WindowKeyUp(key, shiftState);
}
char32_t TWinControl::Events::WindowChar(char32_t ch, unsigned shiftState) {
  return control_.WindowChar(ch, shiftState);
}
void TWinControl::Events::WindowFocusChanged(bool focused) { control_.WindowFocusChanged(focused); }
void TWinControl::Events::WindowActivated(bool active) { control_.WindowActivated(active); }
void TWinControl::Events::WindowCloseRequested() { control_.WindowCloseRequested(); }
bool TWinControl::Events::WindowMinimizeRequested() { return control_.WindowMinimizeRequested(); }
bool TWinControl::Events::WindowQueryEndSession() { return control_.WindowQueryEndSession(); }
void TWinControl::Events::WindowEndSession(bool ending) { control_.WindowEndSession(ending); }
void TWinControl::Events::WindowDateTimeChanged() { control_.WindowDateTimeChanged(); }
void TWinControl::Events::WindowEditChanged() { control_.WindowEditChanged(); }
bool TWinControl::Events::WindowMessage(unsigned message, std::uintptr_t wParam,
                                        std::intptr_t lParam, std::intptr_t& result) {
  return control_.WindowMessage(message, wParam, lParam, result);
}
void TWinControl::Events::WindowDestroyed() { control_.WindowDestroyed(); }

}  // namespace tandrel
