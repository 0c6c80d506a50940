// A headless platform installed for one test, with an application object on
// it. Tests reach the simulated windows, clock and message boxes through
// `windows()` and `clock()`.
#pragma once

#include <memory>

#include "framework/Application.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tandrel::testing {

class HeadlessApp {
 public:
  HeadlessApp() : platform_(std::make_unique<platform::HeadlessPlatform>()) {
    platform::Install(platform_.get());
    app_ = std::make_unique<TApplication>();
    app_->SetTitle("Velmora");
  }
  ~HeadlessApp() {
    app_.reset();
    platform::Install(nullptr);
  }
  HeadlessApp(const HeadlessApp&) = delete;
  HeadlessApp& operator=(const HeadlessApp&) = delete;

  TApplication& app() { return *app_; }
  platform::HeadlessPlatform& platform() { return *platform_; }
  platform::HeadlessWindowSystem& windows() { return platform_->windows(); }
  platform::HeadlessClock& clock() { return platform_->clock(); }

 private:
  std::unique_ptr<platform::HeadlessPlatform> platform_;
  std::unique_ptr<TApplication> app_;
};

}  // namespace tandrel::testing
