#include "framework/UtilWindow.h"

#include "platform/Platform.h"

namespace tandrel {

TPUtilWindow::TPUtilWindow(MessageProc proc, platform::WindowKind kind, const std::string& text)
    : proc_(std::move(proc)) {
  platform::WindowSpec params;
  params.kind = kind;
  params.text = text;
  handle_ = platform::Current().windows().Create(params, this);
}

TPUtilWindow::~TPUtilWindow() {
  if (handle_) platform::Current().windows().Destroy(handle_);
}

bool TPUtilWindow::WindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                 std::intptr_t& result) {
  return proc_ && proc_(message, wParam, lParam, result);
}

bool TPUtilWindow::WindowQueryEndSession() {
  std::intptr_t result = 1;
  if (proc_ && proc_(platform::msg::kQueryEndSession, 0, 0, result)) return result != 0;
  return true;
}

void TPUtilWindow::WindowEndSession(bool ending) {
  std::intptr_t result = 0;
  if (proc_) proc_(platform::msg::kEndSession, ending ? 1 : 0, 0, result);
}

}  // namespace tandrel
