// In-memory windows for scripted tests: visibility, z-order, focus and
// activation as Windows keeps them; timers on the virtual clock; mouse and
// keyboard input injected by the test; message boxes and popup menus
// answered from a script, every call recorded; painting on demand.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "platform/headless/HeadlessClock.h"
#include "platform/headless/HeadlessEdit.h"

namespace tandrel::platform {

class HeadlessWindowSystem final : public WindowSystem {
 public:
  // The platform's painting service makes the raster surfaces that windows
  // paint into; it is asked for only when something is painted.
  HeadlessWindowSystem(HeadlessClock& clock, Platform& platform);
  ~HeadlessWindowSystem() override;

  // --- WindowSystem ---
  WindowHandle Create(const WindowSpec& params, WindowHandler* handler) override;
  void Destroy(WindowHandle window) override;
  void SetBounds(WindowHandle window, const TRect& bounds) override;
  TRect GetBounds(WindowHandle window) override;
  TSize ClientSize(WindowHandle window) override;
  TRect FormBoundsForClient(const WindowSpec& params, const TRect& client) override;
  TPoint ClientToScreen(WindowHandle window, TPoint point) override;
  TRect ScreenRect() override;
  TRect WorkArea() override;
  void SetText(WindowHandle window, const std::string& text) override;
  std::string GetText(WindowHandle window) override;
  void Show(WindowHandle window, ShowCommand command) override;
  bool IsVisible(WindowHandle window) override;
  bool IsWindowMinimized(WindowHandle window) override;
  bool IsWindowMaximized(WindowHandle window) override;
  void SetEnabled(WindowHandle window, bool enabled) override;
  bool IsEnabled(WindowHandle window) override;
  void SetTopMost(WindowHandle window, bool topMost) override;
  void BringToTop(WindowHandle window) override;
  void SetFont(WindowHandle window, const FontSpec& font) override;
  void Invalidate(WindowHandle window, const TRect* rect, bool erase) override;
  void UpdateNow(WindowHandle window) override;
  bool PaintNow(WindowHandle window, const TRect& rect) override;
  void RedrawFrame(WindowHandle window, const TRect& rect) override;
  void Beep() override { ++beeps_; }
  void ShowTooltip(const std::string& text, TPoint screen) override {
    tooltip_ = text;
    tooltipAt_ = screen;
  }
  void HideTooltip() override { tooltip_.reset(); }
  void SetFocus(WindowHandle window) override;
  WindowHandle GetFocus() override;
  WindowHandle GetActiveWindow() override;
  void SetForeground(WindowHandle window) override;
  void SetCapture(WindowHandle window) override;
  void ReleaseCapture() override;
  WindowHandle GetCapture() override;
  void TrackMouseLeave(WindowHandle window) override;
  TPoint CursorPos() override;
  void SetCursor(Cursor cursor) override;
  unsigned RegisterMessage(const std::string& name) override;
  void Post(WindowHandle window, unsigned message, std::uintptr_t wParam,
            std::intptr_t lParam) override;
  std::intptr_t Send(WindowHandle window, unsigned message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
  // Handles what is waiting and returns: the quit code once Quit was called,
  // otherwise -1 (the test goes on driving the program).
  int RunLoop() override;
  void Quit(int exitCode) override;
  void ProcessPending() override;
  TimerId StartTimer(unsigned intervalMs, std::function<void()> tick) override;
  void StopTimer(TimerId timer) override;
  int ShowMessageBox(const MessageBoxRequest& request) override;
  int TrackPopupMenu(WindowHandle owner, const std::vector<MenuEntry>& entries,
                     TPoint screen) override;
  void SetProgress(WindowHandle bar, int min, int max, int position) override;
  void SetPickerValue(WindowHandle picker, const LocalTime& value) override;
  LocalTime GetPickerValue(WindowHandle picker) override;
  EditSelection GetEditSelection(WindowHandle edit) override;
  void SetEditSelection(WindowHandle edit, std::size_t start, std::size_t end) override;
  void ReplaceEditSelection(WindowHandle edit, const std::string& text) override;
  void SetEditReadOnly(WindowHandle edit, bool readOnly) override;
  void SetEditColors(WindowHandle edit, TColor background, TColor text) override;
  std::string ClipboardText() override { return edits_.clipboard; }
  void SetClipboardText(const std::string& text) override { edits_.clipboard = text; }
  void SetAppIcon(WindowHandle window) override;
  void SetErrorHandler(std::function<void(std::exception_ptr)> handler) override;

  // --- Time ---
  // Lets `milliseconds` pass with the thread idle: every timer tick that
  // falls due is delivered at its moment, in due order.
  void AdvanceIdle(unsigned long long milliseconds);
  // Lets time pass with the thread busy, then returns to the loop: each
  // overdue timer ticks once; missed ticks are not made up.
  void AdvanceBusy(unsigned long long milliseconds);

  // --- Input, in screen coordinates ---
  void MouseMove(TPoint screen);
  void MouseDown(MouseButton button, TPoint screen, bool doubleClick = false);
  void MouseUp(MouseButton button, TPoint screen);
  // Move, press and release the left button at the centre of a window.
  void ClickWindow(WindowHandle window);
  void KeyDown(int key, unsigned shiftState = 0);
  void KeyUp(int key, unsigned shiftState = 0);
  void KeyPress(int key, unsigned shiftState = 0);  // down, up
  void TypeChar(char32_t ch, unsigned shiftState = 0);
  // The user picks a value in a date-time picker.
  void UserSetPicker(WindowHandle picker, const LocalTime& value);
  // The user presses a form's close button or minimise button.
  void UserClose(WindowHandle window);
  void UserMinimize(WindowHandle window);
  // The user restores a minimised window (its taskbar button).
  void UserRestore(WindowHandle window);
  // The system asks every top-level window whether the session may end and
  // then tells them the outcome. Returns whether it ended.
  bool EndSession();
  // The user switches to another program and back.
  void ActivateOtherProgram();
  void ReturnToProgram();

  // --- Scripts and records ---
  struct MessageBoxCall {
    MessageBoxRequest request;
    int answer = 0;
    bool scripted = false;
  };
  using MessageBoxScript = std::function<int(const MessageBoxRequest&)>;
  // Answers for the next boxes, in order. An unscripted box is answered with
  // its first button (OK or Yes) and recorded as unscripted.
  void ScriptMessageBox(int answer);
  void ScriptMessageBox(MessageBoxScript script);
  const std::vector<MessageBoxCall>& MessageBoxes() const { return messageBoxes_; }
  bool MessageBoxShowing() const { return boxDepth_ > 0; }

  struct MenuCall {
    WindowHandle owner;
    std::vector<MenuEntry> entries;
    TPoint at;
    int chosen = 0;
  };
  // The entry the next popup menu returns (0: the menu is dismissed).
  void ScriptMenuChoice(int id);
  // The next popup menu chooses its entry number `index`, separators not counted.
  void ScriptMenuChoiceByIndex(int index);
  const std::vector<MenuCall>& Menus() const { return menus_; }

  struct CallRecord {
    std::string what;  // "SetForeground", "SetAppIcon", "PostThread" (value: the message)
    WindowHandle window;
    int value = 0;
  };
  const std::vector<CallRecord>& Calls() const { return calls_; }

  // Every Send, in order, whether or not a window took it.
  struct SentMessage {
    WindowHandle window;
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
  };
  const std::vector<SentMessage>& SentMessages() const { return sent_; }

  // --- Inspection ---
  WindowHandle FindWindow(const std::string& text, std::optional<WindowKind> kind = {}) const;
  std::vector<WindowHandle> TopLevelWindows() const;  // back to front
  std::vector<WindowHandle> Children(WindowHandle window) const;  // back to front
  WindowHandle Parent(WindowHandle window) const;
  WindowKind Kind(WindowHandle window) const;
  bool Exists(WindowHandle window) const;
  // Visible here and in every ancestor, and not hidden with a minimised owner.
  bool IsShowing(WindowHandle window) const;
  struct ProgressState {
    int min = 0, max = 100, position = 0;
  };
  ProgressState Progress(WindowHandle bar) const;
  FontSpec Font(WindowHandle window) const;
  // Invalidations since the window was last painted, and whether any asked to erase.
  int PendingInvalidations(WindowHandle window) const;
  bool PendingErase(WindowHandle window) const;
  // Bounds of what was invalidated since the last paint (empty when nothing).
  TRect InvalidBounds(WindowHandle window) const;
  int PaintCount(WindowHandle window) const;
  // The paints made at once by PaintNow (not counted by PaintCount): how
  // many, the pixels they covered, and the last one's area with what it
  // drew there, in client coordinates (for comparing with a fresh Render).
  struct DirectPaints {
    int count = 0;
    long long pixels = 0;
    TRect lastArea{};
    std::shared_ptr<const Surface> last;
  };
  const DirectPaints& DirectPainted(WindowHandle window) const;
  // Whether the window asked to be told when the mouse leaves it (and was not yet).
  bool TracksMouseLeave(WindowHandle window) const;
  int FrameRedraws(WindowHandle window) const;
  int BeepCount() const { return beeps_; }
  // The hint text shown now, if any, and where.
  std::optional<std::string> Tooltip() const { return tooltip_; }
  TPoint TooltipPosition() const { return tooltipAt_; }
  Cursor CurrentCursor() const { return cursor_; }
  std::optional<int> QuitCode() const { return quitCode_; }
  std::size_t LiveWindowCount() const { return windows_.size(); }
  std::size_t LiveTimerCount() const { return timers_.size(); }
  // Forgets the recorded calls, messages, boxes and menus (a long run's
  // records would otherwise grow without end).
  void ClearRecords() {
    calls_.clear();
    sent_.clear();
    messageBoxes_.clear();
    menus_.clear();
  }

  // Paints a window and its children (as the screen would show its client
  // area) into a new raster surface. Needs the painting service.
  std::unique_ptr<Surface> Render(WindowHandle window);
  // Paints what Windows would on its own: this window and each descendant
  // alone, within the bounds of its invalidated part, each once.
  void PaintInvalidParts(WindowHandle window);

 private:
  struct Window;
  struct Timer;
  struct Posted {
    WindowHandle window;
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
  };

  Window* Find(WindowHandle window) const;
  Window& Get(WindowHandle window) const;
  std::vector<std::uintptr_t>& SiblingsOf(Window& w);
  void Activate(Window* target);
  void ActivateNextAfterHiding(Window& hidden);
  void ChangeFocus(Window* target);
  bool IsDescendant(const Window& w, const Window& ancestor) const;
  bool ReceivesInput(const Window& w) const;
  Window* TopLevelOf(Window& w) const;
  TPoint ScreenOrigin(const Window& w) const;  // screen position of the client origin
  Window* WindowAt(TPoint screen) const;
  Window* DeepestAt(Window& w, TPoint clientPoint) const;
  void DeliverMouseMove(Window& w, TPoint screen);
  void FireDueTimers(bool allTicks);
  void Guard(const std::function<void()>& action);
  void PaintInto(Window& w, Surface& surface, TPoint origin);
  void DestroyTree(Window& w);
  // Maximising fills the work area; restoring puts the window back.
  void ShowMaximized(Window& w);
  void RestoreFromMaximized(Window& w);
  // The simulated edit's own processing (HeadlessEditWindows.cpp).
  std::string& TextOf(WindowHandle window) const;
  WindowHandler* HandlerOf(WindowHandle window) const;
  void EditTextReplaced(WindowHandle edit);
  void EditKey(WindowHandle edit, int key, unsigned shiftState);
  void EditTypedChar(WindowHandle edit, char32_t ch);
  std::intptr_t EditMessage(WindowHandle edit, unsigned message);
  void EditChanged(WindowHandle edit);
  void RunEditCommand(WindowHandle edit, EditCommand command);

  HeadlessClock& clock_;
  Platform& platform_;  // not owned; owns this object
  std::map<std::uintptr_t, std::unique_ptr<Window>> windows_;
  std::vector<std::uintptr_t> topLevel_;  // back to front
  std::uintptr_t nextHandle_ = 0x100;
  std::uintptr_t active_ = 0;
  std::uintptr_t focus_ = 0;
  std::uintptr_t capture_ = 0;
  std::uintptr_t hover_ = 0;
  std::uintptr_t activeBeforeOtherProgram_ = 0;
  TPoint cursorPos_{};
  Cursor cursor_ = Cursor::Arrow;
  std::map<TimerId, std::unique_ptr<Timer>> timers_;
  TimerId nextTimer_ = 1;
  std::deque<Posted> posted_;
  std::map<std::string, unsigned> registered_;
  unsigned nextRegistered_ = 0xC000;
  std::optional<int> quitCode_;
  std::function<void(std::exception_ptr)> errorHandler_;
  std::deque<MessageBoxScript> boxScript_;
  std::vector<MessageBoxCall> messageBoxes_;
  int boxDepth_ = 0;
  std::deque<std::function<int(const std::vector<MenuEntry>&)>> menuScript_;
  std::vector<MenuCall> menus_;
  std::vector<CallRecord> calls_;
  std::vector<SentMessage> sent_;
  int beeps_ = 0;
  std::optional<std::string> tooltip_;
  TPoint tooltipAt_{};
  HeadlessEdits edits_;
};

}  // namespace tandrel::platform
