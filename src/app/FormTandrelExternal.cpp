// Handlers of the main window that reach outside the program: start at logon
// (the machine-wide Run value and the logon task), the help file, the home
// and update pages, and the display's low-power state.
#include <cstdint>
#include <exception>
#include <string>

#include "app/LogonTask.h"
#include "app/UnitFormTandrel.h"
#include "framework/Application.h"
#include "framework/RegistryAccess.h"
#include "platform/Platform.h"

namespace tandrel {
namespace {

constexpr char kRunKey[] = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValueName[] = "Tandrel";
constexpr char kHelpFile[] = "TandrelHelp.chm";
constexpr std::uintptr_t kScMonitorPower = 0xF170;
// 1 asks for the display's low-power state; 2 would switch it off.
constexpr std::intptr_t kMonitorLowPower = 1;

}  // namespace

std::string TFormTandrel::AutoRunCommand() {
  // Quoted, so that a path with blanks cannot be read as a shorter program
  // (C:\Program.exe) by the logon that starts it with administrator rights.
  return "\"" + platform::Current().process().ExecutablePath() + "\" au";
}

void TFormTandrel::CBAutoRunClick(TObject* sender) {
  if (FLoading) return;
  FAutoRun = CBAutoRun->Checked();
  platform::TaskScheduler& scheduler = platform::Current().taskScheduler();
  {
    TRegistry registry(platform::kKeyAllAccess);
    registry.SetRootKey(platform::RegistryRoot::LocalMachine);
    registry.OpenKey(kRunKey, true);  // a refusal shows as a failed write below
    if (FAutoRun) {
      bool written = true;
      try {
        registry.WriteString(kRunValueName, AutoRunCommand());
      } catch (const std::exception&) {
        written = false;
      }
      // With UAC on, the logon does not start a program that needs elevation
      // from the Run value; the task does. Both or neither.
      written = written && scheduler.RegisterRootTask(
                               kLogonTaskName,
                               LogonTaskXml(platform::Current().process().ExecutablePath()));
      if (!written) {
        // Without the rights the box goes back to unchecked; unchecking runs
        // this handler again, which removes whatever was written and stores
        // AutoRun=0.
        FAutoRun = false;
        CBAutoRun->SetChecked(false);
      }
    } else {
      registry.DeleteValue(kRunValueName);       // a missing value is fine
      scheduler.DeleteRootTask(kLogonTaskName);  // and so is a missing task
    }
  }
  SaveSetting(sender);
}

void TFormTandrel::VmGlyphStatus1Click(TObject* sender) {
  (void)sender;
  platform::Current().shell().Execute(Handle(), "open", FExeDir + kHelpFile, "", "",
                                      platform::kSwShowNormal);
}

void TFormTandrel::VmGlyphStatus2Click(TObject* sender) {
  (void)sender;
  platform::Current().shell().Execute(TApplication::Instance()->Handle(), "", FHomeUrl, "", "",
                                      platform::kSwShowNormal);
}

void TFormTandrel::BTNUpdateClick(TObject* sender) {
  (void)sender;
  platform::Current().shell().Execute(TApplication::Instance()->Handle(), "", FUpdateUrl, "", "",
                                      platform::kSwShowNormal);
}

void TFormTandrel::BTNCloseScreenClick(TObject* sender) {
  (void)sender;
  // Sent to the application's own window, whose default processing hands the
  // command to the system; an armed schedule keeps counting.
  Windows().Send(TApplication::Instance()->Handle(), platform::msg::kSysCommand, kScMonitorPower,
                 kMonitorLowPower);
}

}  // namespace tandrel
