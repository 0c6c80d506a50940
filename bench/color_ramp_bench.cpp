// PaintColorRamp over the sizes the windows use: a 120 x 35 button face and
// a 461 x 19 bar (gdHorizontalEnd, as every caller draws), plus the other
// directions on the button size. Each run reports the brushes the fill
// selected (counted on the surfaces the painting service hands out) next to
// the distinct colours it drew; the two are equal when runs of one colour
// share a brush.
#include <benchmark/benchmark.h>

#include <memory>
#include <set>

#include "framework/Bitmap.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "widgets/VmGradients.h"

namespace tandrel {
namespace {

using platform::Surface;

// Forwards everything to a raster surface and counts brush selections.
class CountingSurface final : public Surface {
 public:
  CountingSurface(std::unique_ptr<Surface> inner, long& brushes)
      : inner_(std::move(inner)), brushes_(brushes) {}

  static const Surface& Unwrap(const Surface& s) {
    const auto* counting = dynamic_cast<const CountingSurface*>(&s);
    return counting != nullptr ? *counting->inner_ : s;
  }

  int SurfaceWidth() const override { return inner_->SurfaceWidth(); }
  int SurfaceHeight() const override { return inner_->SurfaceHeight(); }
  bool IsMonochrome() const override { return inner_->IsMonochrome(); }
  void SetPenSpec(const platform::PenSpec& pen) override { inner_->SetPenSpec(pen); }
  void SetBrushSpec(const platform::BrushSpec& brush) override {
    if (brush.style == platform::BrushStyle::Solid) ++brushes_;
    inner_->SetBrushSpec(brush);
  }
  void SetFontSpec(const platform::FontSpec& font) override { inner_->SetFontSpec(font); }
  void SetTextColorRgb(TColor rgb) override { inner_->SetTextColorRgb(rgb); }
  void SetBackgroundRgb(TColor rgb) override { inner_->SetBackgroundRgb(rgb); }
  void SetBackgroundOpaque(bool opaque) override { inner_->SetBackgroundOpaque(opaque); }
  void SetTextAlignFlags(unsigned flags) override { inner_->SetTextAlignFlags(flags); }
  unsigned TextAlignFlags() const override { return inner_->TextAlignFlags(); }
  TColor GetPixelAt(int x, int y) const override { return inner_->GetPixelAt(x, y); }
  void SetPixelAt(int x, int y, TColor rgb) override { inner_->SetPixelAt(x, y, rgb); }
  void WritePixels(int x, int y, int width, int height, std::span<const TColor> rgb) override {
    inner_->WritePixels(x, y, width, height, rgb);
  }
  void MoveToPoint(int x, int y) override { inner_->MoveToPoint(x, y); }
  void LineToPoint(int x, int y) override { inner_->LineToPoint(x, y); }
  TPoint CurrentPosition() const override { return inner_->CurrentPosition(); }
  void FillRectangle(const TRect& r) override { inner_->FillRectangle(r); }
  void DrawRectangle(const TRect& r) override { inner_->DrawRectangle(r); }
  void DrawPolygon(std::span<const TPoint> points) override { inner_->DrawPolygon(points); }
  void TextOutAt(int x, int y, std::string_view text, const TRect* clip,
                 bool opaqueFill) override {
    inner_->TextOutAt(x, y, text, clip, opaqueFill);
  }
  TSize MeasureText(std::string_view text) const override { return inner_->MeasureText(text); }
  int FormatText(std::string_view text, TRect& rect, unsigned format) override {
    return inner_->FormatText(text, rect, format);
  }
  void ExcludeClip(const TRect& r) override { inner_->ExcludeClip(r); }
  void IntersectClip(const TRect& r) override { inner_->IntersectClip(r); }
  void RemoveClip() override { inner_->RemoveClip(); }
  TRect ClipBounds() const override { return inner_->ClipBounds(); }
  void SetViewportOrigin(TPoint origin) override { inner_->SetViewportOrigin(origin); }
  TPoint ViewportOrigin() const override { return inner_->ViewportOrigin(); }
  int SaveState() override { return inner_->SaveState(); }
  bool RestoreState(int id) override { return inner_->RestoreState(id); }
  void CopyFrom(const TRect& destRect, const Surface& source, const TRect& srcRect,
                platform::RasterOp op, platform::Mirror mirror) override {
    inner_->CopyFrom(destRect, Unwrap(source), srcRect, op, mirror);
  }
  void CopyTransparent(const TRect& destRect, const Surface& source, const TRect& srcRect,
                       TColor transparentRgb) override {
    inner_->CopyTransparent(destRect, Unwrap(source), srcRect, transparentRgb);
  }
  void CopyMasked(const TRect& destRect, const Surface& source, const TRect& srcRect,
                  const Surface& mask) override {
    inner_->CopyMasked(destRect, Unwrap(source), srcRect, Unwrap(mask));
  }

 private:
  std::unique_ptr<Surface> inner_;
  long& brushes_;
};

class CountingPainting final : public platform::Painting {
 public:
  explicit CountingPainting(platform::Painting& inner) : inner_(inner) {}
  std::unique_ptr<Surface> CreateBitmapSurface(int width, int height, bool monochrome) override {
    return std::make_unique<CountingSurface>(
        inner_.CreateBitmapSurface(width, height, monochrome), brushes);
  }
  TColor ResolveSystemColor(int index) override { return inner_.ResolveSystemColor(index); }
  int ScreenNumColors() override { return inner_.ScreenNumColors(); }
  std::unique_ptr<platform::IconHandle> CreateIcon(const Surface& color,
                                                   const Surface& mask) override {
    return inner_.CreateIcon(CountingSurface::Unwrap(color), CountingSurface::Unwrap(mask));
  }
  std::unique_ptr<platform::IconHandle> LoadApplicationIcon() override {
    return inner_.LoadApplicationIcon();
  }
  long brushes = 0;

 private:
  platform::Painting& inner_;
};

// The headless platform with its painting service counted.
class CountingPlatform final : public platform::Platform {
 public:
  platform::Clock& clock() override { return headless_.clock(); }
  platform::ProfileFiles& profileFiles() override { return headless_.profileFiles(); }
  platform::Registry& registry() override { return headless_.registry(); }
  platform::Locale& locale() override { return headless_.locale(); }
  platform::Mutexes& mutexes() override { return headless_.mutexes(); }
  platform::Process& process() override { return headless_.process(); }
  CountingPainting& painting() override { return painting_; }
  platform::Power& power() override { return headless_.power(); }
  platform::Shell& shell() override { return headless_.shell(); }
  platform::WindowSystem& windows() override { return headless_.windows(); }

 private:
  platform::HeadlessPlatform headless_;
  CountingPainting painting_{headless_.painting()};
};

constexpr TColor kStop = 0xC0A080;   // a darker shade of a button face
constexpr TColor kStart = 0xFFF4EC;  // a lighter one

void PaintRamp(benchmark::State& state, int width, int height, TGradientDirection direction) {
  CountingPlatform counted;
  platform::Install(&counted);
  TBitmap target(width, height);
  TCanvas& canvas = target.Canvas();
  const TRect area{0, 0, width, height};

  // Brushes are counted on the second fill, once the target canvas has its
  // tools selected; what a new off-screen bitmap costs by itself (TBitmap
  // clears it) is measured apart and reported apart.
  PaintColorRamp(canvas, area, direction, 1, kStop, kStart);
  long before = counted.painting().brushes;
  PaintColorRamp(canvas, area, direction, 1, kStop, kStart);
  const long brushes = counted.painting().brushes - before;
  before = counted.painting().brushes;
  { TBitmap scratch(width, height); }
  const long bitmapBrushes = counted.painting().brushes - before;
  std::set<TColor> colors;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) colors.insert(canvas.Pixels(x, y));
  }

  for (auto _ : state) {
    PaintColorRamp(canvas, area, direction, 1, kStop, kStart);
    benchmark::ClobberMemory();
  }
  state.counters["brushes_per_fill"] = static_cast<double>(brushes);
  state.counters["band_brushes"] = static_cast<double>(brushes - bitmapBrushes);
  state.counters["distinct_colours"] = static_cast<double>(colors.size());
  state.counters["pixels"] = static_cast<double>(width) * height;
  state.SetItemsProcessed(state.iterations() * width * height);
  platform::Install(nullptr);
}

void BM_ButtonFace(benchmark::State& state) { PaintRamp(state, 120, 35, gdHorizontalEnd); }
void BM_StatusBar(benchmark::State& state) { PaintRamp(state, 461, 19, gdHorizontalEnd); }
void BM_ButtonFaceDirection(benchmark::State& state) {
  PaintRamp(state, 120, 35, static_cast<TGradientDirection>(state.range(0)));
}

BENCHMARK(BM_ButtonFace);
BENCHMARK(BM_StatusBar);
BENCHMARK(BM_ButtonFaceDirection)->DenseRange(gdDiagonalUp, gdBigSquareBox);

}  // namespace
}  // namespace tandrel
