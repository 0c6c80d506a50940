// Timers on the virtual clock: ticks in due order while the program idles,
// one tick (not a burst) after the program was busy, nothing while disabled
// or without a handler, and a restart when the interval changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Timer.h"
#include "support/HeadlessApp.h"

namespace tandrel {
namespace {

class Timers : public ::testing::Test {
 protected:
  TTimer* MakeTimer(const std::string& name, unsigned interval) {
    auto* t = new TTimer(&env_.app());
    t->SetInterval(interval);
    t->SetOnTimer(TNotifyEvent([this, name](TObject*) {
      ticks_.push_back(name + "@" + std::to_string(env_.clock().TickCount()));
    }));
    return t;
  }

  testing::HeadlessApp env_;
  std::vector<std::string> ticks_;
};

TEST_F(Timers, TicksArriveInDueOrderWhileIdle) {
  MakeTimer("a", 1000);
  MakeTimer("b", 500);
  env_.windows().AdvanceIdle(2000);
  EXPECT_EQ(ticks_, (std::vector<std::string>{"b@500", "a@1000", "b@1000", "b@1500", "a@2000",
                                              "b@2000"}));
}

TEST_F(Timers, TicksMissedWhileBusyAreNotMadeUp) {
  MakeTimer("a", 1000);
  env_.windows().AdvanceBusy(5300);
  EXPECT_EQ(ticks_, (std::vector<std::string>{"a@5300"}));
  // The cadence goes on from where it was, without the missed ticks.
  env_.windows().AdvanceIdle(1000);
  EXPECT_EQ(ticks_, (std::vector<std::string>{"a@5300", "a@6000"}));
}

TEST_F(Timers, DisabledOrUnhandledTimersStayQuiet) {
  TTimer* t = MakeTimer("a", 1000);
  t->SetEnabled(false);
  auto* bare = new TTimer(&env_.app());  // enabled, but nobody listens
  (void)bare;
  env_.windows().AdvanceIdle(3000);
  EXPECT_TRUE(ticks_.empty());
  t->SetEnabled(true);
  env_.windows().AdvanceIdle(1000);
  EXPECT_EQ(ticks_, (std::vector<std::string>{"a@4000"}));
}

TEST_F(Timers, ChangingTheIntervalRestartsTheCount) {
  TTimer* t = MakeTimer("a", 1000);
  env_.windows().AdvanceIdle(700);
  t->SetInterval(500);
  env_.windows().AdvanceIdle(600);
  EXPECT_EQ(ticks_, (std::vector<std::string>{"a@1200"}));
}

TEST_F(Timers, ATickCanStopAnotherTimerThatIsAlsoDue) {
  TTimer* b = MakeTimer("b", 1000);
  auto* a = new TTimer(&env_.app());
  a->SetInterval(1000);
  a->SetOnTimer(TNotifyEvent([&](TObject*) {
    ticks_.push_back("a");
    b->SetEnabled(false);
  }));
  // Both fall due at 1000; b was started first and ticks first, then a stops it.
  env_.windows().AdvanceIdle(3000);
  EXPECT_EQ(ticks_, (std::vector<std::string>{"b@1000", "a", "a", "a"}));
}

TEST_F(Timers, DefaultsAreEnabledAndOneSecond) {
  TTimer t(nullptr);
  EXPECT_TRUE(t.Enabled());
  EXPECT_EQ(t.Interval(), 1000u);
}

}  // namespace
}  // namespace tandrel
