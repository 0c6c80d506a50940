// Set-up of the main window when it is created, its fixed texts, and what
// its activation does (go to the tray once, re-arm with repeat run).
#include <exception>
#include <string>

#include "app/StartArguments.h"
#include "app/UPub_Version.h"
#include "app/UnitFormTandrel.h"
#include "framework/Application.h"
#include "platform/Platform.h"

namespace tandrel {

TFormTandrel* FormTandrel = nullptr;
TFormWarn* FormWarn = nullptr;

namespace {

// Sets a flag for as long as it lives and then gives it back its value,
// also when a handler in between raises.
class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = before_; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
  bool before_;
};

std::string DirectoryWithDelimiter(const std::string& path) {
  std::size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

}  // namespace

void TFormTandrel::AssignTexts() {
  // Addresses under the reserved .example domain until the maker's pages exist.
  FUpdateUrl = "https://tandrel.velmora.example/update.html";
  FTextIdle = "无定时任务";
  FMsgConfirmExit = "您确认要退出定时关机软件";
  FMsgCountdownTooShort = "您的设置可能导致系统在启动后马上关闭,请把递减时间设为大于5分钟!";
  FMsgTimeExpired = "设置的时间已经过期!";
  FActionNames = {"", "关机", "注销", "重启", "强行关机", "挂起", "休眠"};
  FTextRunning = "定时任务执行中...";
  FTextUntil = "距离";
  FTextRemain = "还有";
  FTextHours = "小时";
  FTextMinutes = "分";
  FTextSeconds = "秒";
  FTrayTitle = "Velmora (定时关机)";
  FHomeUrl = "https://tandrel.velmora.example/";
}

void TFormTandrel::FormCreate(TObject* sender) {
  (void)sender;
  FLoading = true;
  FActionFired = false;
  FStartHidden = false;
  platform::Platform& system = platform::Current();
  FStartHidden = HasTrayArgument(system.process().Arguments());
  FExeDir = DirectoryWithDelimiter(system.process().ExecutablePath());
  pendingLoadError_ = nullptr;
  autoStartHeld_ = false;
  LoadSettings();
  AssignTexts();
  VmStatusPane1->SetCaption(FTextIdle);
  FLoading = false;
  SetCaption(StampVersion(Caption(), kVersionText));
  // A stored date or time that did not convert, or a repair that could not
  // be written, is reported once the window is complete, so that it is not
  // left half set up.
  if (pendingLoadError_) {
    std::exception_ptr error = pendingLoadError_;
    pendingLoadError_ = nullptr;
    std::rethrow_exception(error);
  }
}

void TFormTandrel::FormActivate(TObject* sender) {
  (void)sender;
  if (FStartHidden) {
    TrayIcon->MinimizeToTray();
    FStartHidden = false;
  }
  // The activation that follows the closing of Start's own box would meet
  // the same condition again and show the same box without end.
  if (FRepeatRun && !startBoxOpen_ && !autoStartHeld_) {
    const ScopedFlag pressing(activationPress_);
    BTNStart->Click();
  }
}

void TFormTandrel::ShowStartMessage(const std::string& text) {
  const ScopedFlag open(startBoxOpen_);
  TApplication::Instance()->ShowPlainMessage(text);
}

}  // namespace tandrel
