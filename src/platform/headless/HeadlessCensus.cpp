#include "platform/headless/HeadlessCensus.h"

#include "platform/LiveObjects.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tandrel::platform {

ObjectCensus TakeCensus(HeadlessPlatform& system) {
  ObjectCensus census;
  census.windows = system.windows().LiveWindowCount();
  census.timers = system.windows().LiveTimerCount();
  census.trayIcons = system.shell().tray.size();
  census.deviceContexts = LiveCount(LiveKind::DeviceContext);
  census.bitmaps = LiveCount(LiveKind::Bitmap);
  census.pens = LiveCount(LiveKind::Pen);
  census.brushes = LiveCount(LiveKind::Brush);
  census.fonts = LiveCount(LiveKind::Font);
  census.regions = LiveCount(LiveKind::Region);
  census.icons = LiveCount(LiveKind::Icon);
  return census;
}

std::string Describe(const ObjectCensus& c) {
  auto item = [](const char* name, std::size_t n) {
    return std::string(name) + " " + std::to_string(n);
  };
  return item("windows", c.windows) + ", " + item("timers", c.timers) + ", " +
         item("tray icons", c.trayIcons) + ", " + item("DCs", c.deviceContexts) + ", " +
         item("bitmaps", c.bitmaps) + ", " + item("pens", c.pens) + ", " +
         item("brushes", c.brushes) + ", " + item("fonts", c.fonts) + ", " +
         item("regions", c.regions) + ", " + item("icons", c.icons);
}

}  // namespace tandrel::platform
