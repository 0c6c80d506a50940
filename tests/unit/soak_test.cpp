// Weeks in the tray: a month of daily schedules re-armed by repeat run,
// thousands of Start/Stop cycles, hand-overs to the warning window and tray
// round trips. After the first cycle and at the end the program holds the
// same windows, timers, tray icons and drawing objects, and no more heap.
//
// CI runs reduced counts; TANDREL_SOAK_FULL=1 runs the full campaign
// (30 days, 10,000 Start/Stop, 1,000 warnings, 1,000 tray round trips).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "platform/headless/HeadlessCensus.h"
#include "unit/support/FormTandrelFixture.h"

#if defined(__SANITIZE_ADDRESS__)
#define TANDREL_ASAN_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TANDREL_ASAN_HEAP 1
#endif
#endif
#ifdef TANDREL_ASAN_HEAP
// AddressSanitizer's own count of the bytes allocated and not yet freed.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace tandrel::testing {
namespace {

std::size_t HeapInUse() {
#ifdef TANDREL_ASAN_HEAP
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

int Count(int full, int reduced) {
  const char* mode = std::getenv("TANDREL_SOAK_FULL");
  return mode != nullptr && std::string(mode) == "1" ? full : reduced;
}

class Soak : public FormTandrelFixture {
 protected:
  // Runs `cycle` once, takes stock, runs it `cycles` - 1 more times and
  // compares. Records the headless platform keeps for assertions are
  // dropped before each stock-taking: they are the test's, not the program's.
  void Run(const char* name, int cycles, const std::function<void(int)>& cycle) {
    ASSERT_GE(cycles, 2);
    cycle(0);
    Forget();
    const platform::ObjectCensus first = platform::TakeCensus(env_.platform());
    const std::size_t firstHeap = HeapInUse();
    for (int i = 1; i < cycles && !HasFatalFailure(); ++i) {
      cycle(i);
      Forget();
    }
    Forget();
    const platform::ObjectCensus last = platform::TakeCensus(env_.platform());
    const std::size_t lastHeap = HeapInUse();
    std::printf("%s, %d cycles\n  after the first: %s, heap %zu bytes\n  at the end:      %s, heap %zu bytes\n",
                name, cycles, platform::Describe(first).c_str(), firstHeap,
                platform::Describe(last).c_str(), lastHeap);
    EXPECT_EQ(platform::Describe(last), platform::Describe(first));
    // Strings that happen to be a little longer at the end may keep a
    // larger buffer; anything that grows with the cycles is far above this.
    EXPECT_LE(lastHeap, firstHeap + 2048);
  }
  void Forget() {
    windows().ClearRecords();
    env_.platform().shell().notifyCalls.clear();
    env_.platform().shell().executeCalls.clear();
    env_.platform().power().calls.clear();
    env_.platform().executionState().calls.clear();
  }
  std::size_t PowerCalls() { return env_.platform().power().calls.size(); }
  std::size_t Suspends() {
    std::size_t n = 0;
    for (const std::string& call : env_.platform().power().calls) {
      n += call.rfind("SetSystemPowerState", 0) == 0 ? 1 : 0;
    }
    return n;
  }
  void TaskbarRestarts() {
    env_.platform().shell().DropAllIcons();
    windows().Send(FormTandrel->TrayIcon->Handle(), windows().RegisterMessage("TaskbarCreated"),
                   0, 0);
  }
};

TEST_F(Soak, ThirtyDaysOfADailySuspendReArmedByRepeatRun) {
  // Each evening the warning window counts the last seconds and suspends;
  // back at the computer the user cancels it, and repeat run arms the next
  // day as the main window comes back.
  SetClock(2026, 3, 10, 23, 0, 30, 250);
  WriteIni("[CB]\r\nRBFS=1\r\nCBCF=1\r\nWarn=1\r\n[Set]\r\nSJ=23:00:00\r\nSD=5\r\n");
  TFormTandrel& form = CreateAndShow();
  Run("30 days", Count(30, 2), [&](int day) {
    ASSERT_EQ(form.FTarget, At(2026, 3, 11, 23) + day) << "day " << day;
    windows().AdvanceIdle(86'400'000);  // to 23:00:30.250 of the next day
    ASSERT_EQ(Suspends(), 1u) << "day " << day;
    ASSERT_TRUE(FormWarn->Visible()) << "day " << day;
    FormWarn->BTNCancel->Click();
    ASSERT_TRUE(form.Timer1->Enabled()) << "day " << day;
  });
}

TEST_F(Soak, StartAndStopThousandsOfTimes) {
  WriteIni("[CB]\r\nRBFS=0\r\n[Set]\r\nFZ=30\r\n");
  TFormTandrel& form = CreateAndShow();
  Run("Start/Stop", Count(10'000, 300), [&](int i) {
    form.BTNStart->Click();
    ASSERT_FALSE(windows().IsVisible(app().Handle())) << i;
    windows().AdvanceIdle(1000);
    form.TrayIcon->RestoreFromTray();
    form.BTNStop->Click();
    ASSERT_FALSE(form.Timer1->Enabled()) << i;
  });
}

TEST_F(Soak, HandOverToTheWarningAndCancelAThousandTimes) {
  WriteIni("[CB]\r\nRBFS=0\r\nWarn=1\r\n[Set]\r\nFZ=1\r\n");
  TFormTandrel& form = CreateAndShow();
  Run("warning hand-overs", Count(1000, 40), [&](int i) {
    form.BTNStart->Click();
    windows().AdvanceIdle(31'000);
    ASSERT_TRUE(FormWarn->Visible()) << i;
    FormWarn->BTNCancel->Click();
    ASSERT_FALSE(FormWarn->Visible()) << i;
    ASSERT_TRUE(form.Visible()) << i;
    ASSERT_EQ(PowerCalls(), 0u) << i;
  });
}

TEST_F(Soak, TrayRoundTripsAndTaskbarRestartsWhileArmed) {
  WriteIni("[CB]\r\nRBFS=0\r\n[Set]\r\nFZ=50000\r\n");
  TFormTandrel& form = CreateAndShow();
  form.BTNStart->Click();
  Run("tray round trips", Count(1000, 60), [&](int i) {
    form.TrayIcon->RestoreFromTray();
    windows().AdvanceIdle(1000);
    form.TrayIcon->MinimizeToTray();
    TaskbarRestarts();
    ASSERT_EQ(env_.platform().shell().tray.size(), 1u) << i;
    windows().AdvanceIdle(1000);
  });
}

}  // namespace
}  // namespace tandrel::testing
