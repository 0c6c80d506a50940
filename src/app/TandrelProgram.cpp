#include "app/TandrelProgram.h"

#include "app/StartArguments.h"
#include "app/UnitFormTandrel.h"
#include "app/UnitFormWarn.h"
#include "platform/Platform.h"

namespace tandrel {

TandrelStart StartTandrel(TApplication& app) {
  TandrelStart start;
  app.SetTitle(kApplicationTitle);
  start.instanceMarker = platform::Current().mutexes().Create(kInstanceMutexName);
  if (start.instanceMarker && start.instanceMarker->AlreadyExisted()) {
    // At logon both the Run value and the task may start the program: the
    // second start ends without a word.
    if (!HasTrayArgument(platform::Current().process().Arguments())) {
      app.ShowPlainMessage(kAlreadyRunningText);
    }
    // This copy does not own the marker; the release only mirrors the probe.
    start.instanceMarker->Release();
    return start;
  }
  app.CreateForm(FormTandrel);
  app.CreateForm(FormWarn);
  start.windowsCreated = true;
  return start;
}

int RunTandrel() {
  TandrelStart start;
  {
    TApplication app;
    start = StartTandrel(app);
    app.Run();
    // The forms go with the application object.
    FormTandrel = nullptr;
    FormWarn = nullptr;
  }
  return 0;
}

}  // namespace tandrel
