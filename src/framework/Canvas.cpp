// TCanvas: tools, lines, areas, pixels, text, clipping and device state.
// Bitmap drawing and block copies are in CanvasCopy.cpp.
#include "framework/Canvas.h"

#include "framework/Color.h"

namespace tandrel {

TCanvas::TCanvas() { HookTools(); }

TCanvas::TCanvas(platform::Surface* surface) : surface_(surface) { HookTools(); }

TCanvas::~TCanvas() = default;

void TCanvas::HookTools() {
  Pen.OnChange = [this](TObject*) { penDirty_ = true; };
  Brush.OnChange = [this](TObject*) { brushDirty_ = true; };
  Font.OnChange = [this](TObject*) { fontDirty_ = true; };
}

void TCanvas::SetSurface(platform::Surface* surface) {
  surface_ = surface;
  MarkAllDirty();
}

void TCanvas::MarkAllDirty() const {
  penDirty_ = true;
  brushDirty_ = true;
  fontDirty_ = true;
}

platform::Surface* TCanvas::Prepare(bool pen, bool brush, bool font) const {
  if (surface_ == nullptr) return nullptr;
  if (pen && penDirty_) {
    platform::PenSpec params;
    params.color = ColorToRGB(Pen.Color());
    params.width = Pen.Width();
    params.style = Pen.Style() == psClear ? platform::PenStyle::Clear : platform::PenStyle::Solid;
    surface_->SetPenSpec(params);
    penDirty_ = false;
  }
  if (brush && brushDirty_) {
    platform::BrushSpec params;
    params.color = ColorToRGB(Brush.Color());
    if (Brush.HasPattern()) {
      params.style = platform::BrushStyle::Pattern;
      for (std::size_t i = 0; i < params.pattern.size(); ++i) {
        params.pattern[i] = ColorToRGB(Brush.PatternPixels()[i]);
      }
    } else {
      params.style = Brush.Style() == bsClear ? platform::BrushStyle::Clear
                                            : platform::BrushStyle::Solid;
    }
    surface_->SetBrushSpec(params);
    // Text backgrounds and monochrome conversions follow the brush.
    surface_->SetBackgroundRgb(params.color);
    surface_->SetBackgroundOpaque(Brush.Style() != bsClear);
    brushDirty_ = false;
  }
  if (font && fontDirty_) {
    surface_->SetFontSpec(Font.PlatformFont());
    surface_->SetTextColorRgb(ColorToRGB(Font.Color()));
    fontDirty_ = false;
  }
  return surface_;
}

void TCanvas::Changed() { OnChange(this); }

TPoint TCanvas::PenPos() const {
  return surface_ != nullptr ? surface_->CurrentPosition() : TPoint{};
}

void TCanvas::SetPenPos(TPoint p) { MoveTo(p.x, p.y); }

void TCanvas::MoveTo(int x, int y) {
  if (surface_ != nullptr) surface_->MoveToPoint(x, y);
}

void TCanvas::LineTo(int x, int y) {
  if (auto* s = Prepare(true, false, false)) {
    s->LineToPoint(x, y);
    Changed();
  }
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  auto* s = Prepare(true, false, false);
  if (s == nullptr || points.empty()) return;
  // Polyline neither uses nor moves the current position.
  const TPoint saved = s->CurrentPosition();
  s->MoveToPoint(points.front().x, points.front().y);
  for (std::size_t i = 1; i < points.size(); ++i) s->LineToPoint(points[i].x, points[i].y);
  s->MoveToPoint(saved.x, saved.y);
  Changed();
}

void TCanvas::FillRect(const TRect& r) {
  if (auto* s = Prepare(false, true, false)) {
    s->FillRectangle(r);
    Changed();
  }
}

void TCanvas::FrameRect(const TRect& r) {
  auto* s = Prepare(false, true, false);
  if (s == nullptr || r.IsEmpty()) return;
  s->FillRectangle(TRect{r.left, r.top, r.right, r.top + 1});
  s->FillRectangle(TRect{r.left, r.bottom - 1, r.right, r.bottom});
  s->FillRectangle(TRect{r.left, r.top, r.left + 1, r.bottom});
  s->FillRectangle(TRect{r.right - 1, r.top, r.right, r.bottom});
  Changed();
}

void TCanvas::Rectangle(const TRect& r) {
  if (auto* s = Prepare(true, true, false)) {
    s->DrawRectangle(r);
    Changed();
  }
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  Rectangle(TRect{left, top, right, bottom});
}

void TCanvas::Polygon(std::span<const TPoint> points) {
  if (auto* s = Prepare(true, true, false)) {
    s->DrawPolygon(points);
    Changed();
  }
}

TColor TCanvas::Pixels(int x, int y) const {
  if (surface_ == nullptr) return clNone;
  const TColor c = surface_->GetPixelAt(x, y);
  return c == platform::kInvalidColor ? clNone : c;
}

void TCanvas::SetPixels(int x, int y, TColor color) {
  if (surface_ == nullptr) return;
  surface_->SetPixelAt(x, y, ColorToRGB(color));
  Changed();
}

void TCanvas::WritePixels(const TRect& area, std::span<const TColor> rgb) {
  if (surface_ == nullptr) return;
  surface_->WritePixels(area.left, area.top, area.Width(), area.Height(), rgb);
  Changed();
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  auto* s = Prepare(false, true, true);
  if (s == nullptr) return;
  s->TextOutAt(x, y, text, nullptr, false);
  s->MoveToPoint(x + s->MeasureText(text).cx, y);
  Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, std::string_view text) {
  auto* s = Prepare(false, true, true);
  if (s == nullptr) return;
  s->TextOutAt(x, y, text, &r, Brush.Style() != bsClear);
  Changed();
}

TSize TCanvas::TextExtent(std::string_view text) const {
  auto* s = Prepare(false, false, true);
  return s != nullptr ? s->MeasureText(text) : TSize{};
}

int TCanvas::TextWidth(std::string_view text) const { return TextExtent(text).cx; }

int TCanvas::TextHeight(std::string_view text) const { return TextExtent(text).cy; }

int TCanvas::DrawText(std::string_view text, TRect& r, unsigned format) {
  auto* s = Prepare(false, true, true);
  if (s == nullptr) return 0;
  const int height = s->FormatText(text, r, format);
  if ((format & DT_CALCRECT) == 0) Changed();
  return height;
}

unsigned TCanvas::TextAlign() const {
  return surface_ != nullptr ? surface_->TextAlignFlags() : 0;
}

void TCanvas::SetTextAlign(unsigned flags) {
  if (surface_ != nullptr) surface_->SetTextAlignFlags(flags);
}

void TCanvas::ExcludeClipRect(const TRect& r) {
  if (surface_ != nullptr) surface_->ExcludeClip(r);
}

void TCanvas::IntersectClipRect(const TRect& r) {
  if (surface_ != nullptr) surface_->IntersectClip(r);
}

void TCanvas::RemoveClipRegion() {
  if (surface_ != nullptr) surface_->RemoveClip();
}

TRect TCanvas::ClipRect() const {
  return surface_ != nullptr ? surface_->ClipBounds() : TRect{};
}

TPoint TCanvas::ViewportOrigin() const {
  return surface_ != nullptr ? surface_->ViewportOrigin() : TPoint{};
}

void TCanvas::SetViewportOrigin(TPoint origin) {
  if (surface_ != nullptr) surface_->SetViewportOrigin(origin);
}

void TCanvas::OffsetViewportOrigin(int dx, int dy) {
  const TPoint o = ViewportOrigin();
  SetViewportOrigin(TPoint{o.x + dx, o.y + dy});
}

int TCanvas::SaveState() { return surface_ != nullptr ? surface_->SaveState() : 0; }

void TCanvas::RestoreState(int id) {
  if (surface_ == nullptr) return;
  surface_->RestoreState(id);
  // The restored tools may not be the canvas's current ones.
  MarkAllDirty();
}

}  // namespace tandrel
