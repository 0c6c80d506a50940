// What one second of the program costs on the headless platform, and its
// start-up. A second is the virtual clock moved on by 1000 ms (the countdown
// timer's tick, the two 500 ms ticks of the status bar's shared timers)
// followed by the paints Windows would then make by itself: each invalidated
// window alone, within the bounds of its invalidated part.
//
// Counters per second: `pixels` repainted (the invalidated bounds, summed
// over the paints, and the areas painted at once), `paints` (windows
// painted, either way), `area_pct` (pixels as a share of the main window's
// client area). Instruction counts: bench/callgrind.sh.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/TandrelProgram.h"
#include "app/UnitFormTandrel.h"
#include "app/UnitFormWarn.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tandrel::bench {

using platform::HeadlessWindowSystem;
using platform::WindowHandle;

// Countdown mode, 60 minutes, shut down; `repeat` arms at the first showing.
std::string CountdownIni(bool repeat) {
  return std::string("[CB]\r\nAutoRun=0\r\nRBFS=0\r\nCBCF=") + (repeat ? "1" : "0") +
         "\r\nWarn=0\r\n[Set]\r\nFZ=60\r\nSD=1\r\n";
}

// The program on a fresh headless platform, its executable (and so its
// settings file) in a temporary folder of its own.
class Program {
 public:
  explicit Program(const std::string& ini) {
    platform::Install(&platform_);
    dir_ = std::filesystem::temp_directory_path() /
           ("tandrel-bench-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    std::filesystem::create_directories(dir_);
    std::ofstream(dir_ / "Tandrel.ini", std::ios::binary) << ini;
    platform_.process().SetExecutablePath((dir_ / "Tandrel.exe").string());
    platform_.clock().Set(platform::LocalTime{2026, 3, 10, 10, 0, 0, 250});
  }
  ~Program() {
    app_.reset();
    FormTandrel = nullptr;
    FormWarn = nullptr;
    platform::Install(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  HeadlessWindowSystem& windows() { return platform_.windows(); }
  WindowHandle MainWindow() { return FormTandrel->Handle(); }

  // As the program starts: the application object, both windows, the main
  // window shown, its first complete paint.
  __attribute__((noinline)) void StartUpToFirstPaint() {
    app_ = std::make_unique<TApplication>();
    start_ = StartTandrel(*app_);
    app_->Run();
    windows().Render(MainWindow());
    long long paints = 0;
    PaintInvalid(paints);  // what the showing left invalid is painted by then
  }

  // Paints what is invalid in every window of the program; returns the
  // pixels painted and adds the windows painted to `paints`.
  long long PaintInvalid(long long& paints) {
    long long pixels = 0;
    for (WindowHandle top : windows().TopLevelWindows()) pixels += Measure(top, paints);
    // And what was painted at once since the last call (the clock pane).
    long long direct = 0, directPaints = 0;
    for (WindowHandle top : windows().TopLevelWindows()) MeasureDirect(top, direct, directPaints);
    pixels += direct - directPixels_;
    paints += directPaints - directPaints_;
    directPixels_ = direct;
    directPaints_ = directPaints;
    for (WindowHandle top : windows().TopLevelWindows()) windows().PaintInvalidParts(top);
    return pixels;
  }

  // One second as the program lives it, with the paints that follow.
  long long OneSecond(long long& paints) {
    windows().AdvanceIdle(1000);
    return PaintInvalid(paints);
  }
  // The same, apart so that callgrind counts only the measured seconds.
  __attribute__((noinline)) long long MeasuredSecond(long long& paints) { return OneSecond(paints); }

 private:
  long long Measure(WindowHandle window, long long& paints) {
    long long pixels = 0;
    if (windows().PendingInvalidations(window) > 0 && windows().IsShowing(window)) {
      const TRect r = windows().InvalidBounds(window);
      pixels += static_cast<long long>(r.Width()) * r.Height();
      ++paints;
    }
    for (WindowHandle child : windows().Children(window)) pixels += Measure(child, paints);
    return pixels;
  }

  void MeasureDirect(WindowHandle window, long long& pixels, long long& paints) {
    pixels += windows().DirectPainted(window).pixels;
    paints += windows().DirectPainted(window).count;
    for (WindowHandle child : windows().Children(window)) MeasureDirect(child, pixels, paints);
  }

  platform::HeadlessPlatform platform_;
  long long directPixels_ = 0;  // painted at once up to the last PaintInvalid
  long long directPaints_ = 0;
  std::filesystem::path dir_;
  std::unique_ptr<TApplication> app_;
  TandrelStart start_;
};

void ReportSeconds(benchmark::State& state, Program& program, long long pixels, long long paints) {
  const double seconds = static_cast<double>(state.iterations());
  const TSize client = program.windows().ClientSize(program.MainWindow());
  state.counters["pixels"] = static_cast<double>(pixels) / seconds;
  state.counters["paints"] = static_cast<double>(paints) / seconds;
  state.counters["area_pct"] =
      100.0 * static_cast<double>(pixels) / seconds / (static_cast<double>(client.cx) * client.cy);
}

// Runs seconds of a started program; `prepare` brings it into the state
// measured, after which the pending paints are made before timing starts.
template <typename Prepare>
void Seconds(benchmark::State& state, const std::string& ini, Prepare prepare) {
  Program program(ini);
  program.StartUpToFirstPaint();
  prepare(program);
  long long ignored = 0;
  program.OneSecond(ignored);  // the first tick after arming writes the label first
  long long pixels = 0;
  long long paints = 0;
  for (auto _ : state) pixels += program.MeasuredSecond(paints);
  ReportSeconds(state, program, pixels, paints);
}

void BM_ArmedSecondVisible(benchmark::State& state) {
  Seconds(state, CountdownIni(false), [](Program&) {
    FormTandrel->BTNStart->Click();  // arms and hides to the tray
    FormTandrel->TrayIcon->RestoreFromTray();
  });
}
BENCHMARK(BM_ArmedSecondVisible);

void BM_ArmedSecondInTray(benchmark::State& state) {
  // Repeat run: armed at the first showing, hidden in the tray.
  Seconds(state, CountdownIni(true), [](Program&) {});
}
BENCHMARK(BM_ArmedSecondInTray);

void BM_IdleSecond(benchmark::State& state) {
  Seconds(state, CountdownIni(false), [](Program&) {});
}
BENCHMARK(BM_IdleSecond);

void BM_StartUp(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto program = std::make_unique<Program>(CountdownIni(false));
    state.ResumeTiming();
    program->StartUpToFirstPaint();
    state.PauseTiming();
    program.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMicrosecond);

}  // namespace tandrel::bench
