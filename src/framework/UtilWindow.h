// TPUtilWindow: a hidden top-level window whose messages go to one handler of
// a component (timers, the tray icon's notifications, menu commands).
#pragma once

#include <cstdint>
#include <functional>

#include "platform/WindowSystem.h"

namespace tandrel {

class TPUtilWindow : private platform::WindowHandler {
 public:
  // Returns true and sets `result` when it handled the message. The end of
  // the session arrives as the raw messages 0x11 (query) and 0x16 (end).
  using MessageProc = std::function<bool(unsigned message, std::uintptr_t wParam,
                                         std::intptr_t lParam, std::intptr_t& result)>;

  explicit TPUtilWindow(MessageProc proc,
                        platform::WindowKind kind = platform::WindowKind::Utility,
                        const std::string& text = {});
  ~TPUtilWindow() override;
  TPUtilWindow(const TPUtilWindow&) = delete;
  TPUtilWindow& operator=(const TPUtilWindow&) = delete;

  platform::WindowHandle Handle() const { return handle_; }

 private:
  bool WindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                     std::intptr_t& result) override;
  bool WindowQueryEndSession() override;
  void WindowEndSession(bool ending) override;
  void WindowDestroyed() override { handle_ = {}; }

  MessageProc proc_;
  platform::WindowHandle handle_{};
};

}  // namespace tandrel
