// Entry point of Tandrel.exe: installs the platform, names the application
// and shows the main window until it closes. A plain main() serves the GUI
// subsystem too, so no Windows header is needed here.
#include <memory>

#include "app/UPub_Version.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "platform/Platform.h"

namespace tandrel {
namespace {

// The main window's frame, until its controls join it.
class TFormMainWindow : public TForm {
 public:
  explicit TFormMainWindow(TComponent* owner) : TForm(owner) {
    BeginLoading();
    SetCaption("Velmora V$V$(定时关机)");
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetFormStyle(TFormStyle::fsStayOnTop);
    SetPosition(TPosition::poDesktopCenter);
    SetShowHint(true);
    Font().SetName("Arial");
    Font().SetHeight(-11);
    SetClientSize(486, 302);
    EndLoading();
    OnCreate = TNotifyEvent([this](TObject*) { SetCaption(StampVersion(Caption(), "2.9")); });
  }
};

int RunProgram() {
  TApplication app;
  app.SetTitle("Velmora");
  TFormMainWindow* mainWindow = nullptr;
  app.CreateForm(mainWindow);
  app.Run();
  return 0;
}

}  // namespace
}  // namespace tandrel

int main() {
  std::unique_ptr<tandrel::platform::Platform> platform = tandrel::platform::CreatePlatform();
  tandrel::platform::Install(platform.get());
  int code = tandrel::RunProgram();
  tandrel::platform::Install(nullptr);
  return code;
}
