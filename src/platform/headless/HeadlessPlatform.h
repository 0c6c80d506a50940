// The simulated platform for tests: one member per service. The accessors
// return the headless types, so a test holding a HeadlessPlatform reaches
// the test controls (clock().Advance, registry().Protect, ...) directly.
#pragma once

#include "platform/Platform.h"
#include "platform/headless/HeadlessClock.h"
#include "platform/headless/HeadlessExecutionState.h"
#include "platform/headless/HeadlessLocale.h"
#include "platform/headless/HeadlessMutexes.h"
#include "platform/headless/HeadlessPainting.h"
#include "platform/headless/HeadlessPower.h"
#include "platform/headless/HeadlessShell.h"
#include "platform/headless/HeadlessProcess.h"
#include "platform/headless/HeadlessProfileFiles.h"
#include "platform/headless/HeadlessRegistry.h"
#include "platform/headless/HeadlessTaskScheduler.h"
#include "platform/headless/HeadlessWindowSystem.h"

namespace tandrel::platform {

class HeadlessPlatform final : public Platform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform() override;
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  HeadlessClock& clock() override { return clock_; }
  HeadlessProfileFiles& profileFiles() override { return profileFiles_; }
  HeadlessRegistry& registry() override { return registry_; }
  HeadlessLocale& locale() override { return locale_; }
  HeadlessMutexes& mutexes() override { return mutexes_; }
  HeadlessProcess& process() override { return process_; }
  HeadlessPainting& painting() override { return painting_; }
  HeadlessPower& power() override { return power_; }
  HeadlessShell& shell() override { return shell_; }
  HeadlessTaskScheduler& taskScheduler() override { return taskScheduler_; }
  HeadlessExecutionState& executionState() override { return executionState_; }
  HeadlessWindowSystem& windows() override { return windows_; }

 private:
  HeadlessClock clock_;
  HeadlessProfileFiles profileFiles_;
  HeadlessRegistry registry_;
  HeadlessLocale locale_;
  HeadlessMutexes mutexes_;
  HeadlessProcess process_;
  HeadlessPainting painting_;
  HeadlessPower power_;
  HeadlessShell shell_;
  HeadlessTaskScheduler taskScheduler_;
  HeadlessExecutionState executionState_;
  // Last: it reaches the other services (clock, painting) through this object.
  HeadlessWindowSystem windows_{clock_, *this};
};

}  // namespace tandrel::platform
