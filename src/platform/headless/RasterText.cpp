// Text on the headless surface with the fixed font: each visible character
// is drawn as the outline of a box in its cell (filled when bold), so that
// placement, clipping and colours can be checked pixel by pixel.
#include <algorithm>

#include "platform/headless/FixedFont.h"
#include "platform/headless/RasterSurface.h"
#include "platform/headless/TextLayout.h"

namespace tandrel::platform {
namespace {

bool HasInk(char32_t c) { return c > U' ' && c != 0x3000 && c != 0x7F; }

}  // namespace

void RasterSurface::PlotClipped(int dx, int dy, TColor rgb, const TRect* deviceClip) {
  if (deviceClip != nullptr && !deviceClip->Contains(TPoint{dx, dy})) return;
  PlotDevice(dx, dy, rgb);
}

void RasterSurface::FillBackground(const TRect& device, const TRect* deviceClip) {
  const TRect area = deviceClip != nullptr ? IntersectRects(device, *deviceClip) : device;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) PlotDevice(x, y, state_.backColor);
  }
}

void RasterSurface::InkLine(int dx, int dy, const LaidLine& line, const TRect* deviceClip) {
  const FixedFontMetrics m = MetricsOf(state_.font);
  const TColor color = state_.textColor;
  const int inkTop = dy + m.internalLeading;
  const int inkBottom = dy + m.ascent;  // exclusive
  const int underlineRow = std::min(dy + m.ascent, dy + m.lineHeight - 1);
  for (const LaidGlyph& g : line.glyphs) {
    const int left = dx + g.x;
    if (HasInk(g.c) && g.advance > 1) {
      const int right = left + g.advance - 1;  // exclusive: one free column per cell
      for (int y = inkTop; y < inkBottom; ++y) {
        const bool edgeRow = y == inkTop || y == inkBottom - 1;
        for (int x = left; x < right; ++x) {
          const bool edgeColumn = x == left || x == right - 1;
          if (state_.font.bold || edgeRow || edgeColumn) PlotClipped(x, y, color, deviceClip);
        }
      }
    }
    if (state_.font.underline || g.underline) {
      for (int x = left; x < left + g.advance; ++x) {
        PlotClipped(x, underlineRow, color, deviceClip);
      }
    }
  }
}

TSize RasterSurface::MeasureText(std::string_view text) const {
  const FixedFontMetrics m = MetricsOf(state_.font);
  return TSize{LineWidth(m, DecodeUtf8(text)), m.lineHeight};
}

void RasterSurface::TextOutAt(int x, int y, std::string_view text, const TRect* clip,
                              bool opaqueFill) {
  const FixedFontMetrics m = MetricsOf(state_.font);
  LaidLine line;
  for (char32_t c : DecodeUtf8(text)) {
    const int advance = AdvanceOf(m, c);
    line.glyphs.push_back(LaidGlyph{c, line.width, advance, false});
    line.width += advance;
  }
  const unsigned align = state_.textAlign;
  const bool updateCp = (align & text_align::kUpdateCp) != 0;
  if (updateCp) {
    x = state_.position.x;
    y = state_.position.y;
  }
  int left = x;
  switch (align & 6u) {
    case text_align::kRight: left = x - line.width; break;
    case text_align::kCenter: left = x - line.width / 2; break;
    default: break;
  }
  int top = y;
  switch (align & 24u) {
    case text_align::kBottom: top = y - m.lineHeight; break;
    case text_align::kBaseline: top = y - m.ascent; break;
    default: break;
  }
  if (updateCp) {
    if ((align & 6u) == text_align::kLeft) state_.position.x = x + line.width;
    if ((align & 6u) == text_align::kRight) state_.position.x = x - line.width;
  }

  TRect deviceClip;
  if (clip != nullptr) deviceClip = ToDevice(*clip);
  const TRect* cut = clip != nullptr ? &deviceClip : nullptr;
  if (opaqueFill && clip != nullptr) FillBackground(deviceClip, nullptr);
  const TRect cell = ToDevice(TRect{left, top, left + line.width, top + m.lineHeight});
  if (state_.backOpaque || (opaqueFill && clip == nullptr)) FillBackground(cell, cut);
  InkLine(cell.left, cell.top, line, cut);
}

int RasterSurface::FormatText(std::string_view text, TRect& rect, unsigned format) {
  const FixedFontMetrics m = MetricsOf(state_.font);
  const std::vector<LaidLine> lines = LayOutText(DecodeUtf8(text), m, rect.Width(), format);
  int widest = 0;
  for (const LaidLine& line : lines) widest = std::max(widest, line.width);
  const int height = static_cast<int>(lines.size()) * m.lineHeight;
  if ((format & text_format::kCalcRect) != 0) {
    rect.right = rect.left + widest;
    rect.bottom = rect.top + height;
    return height;
  }
  int top = rect.top;
  const bool singleLine = (format & text_format::kSingleLine) != 0;
  if (singleLine && (format & text_format::kVCenter) != 0) {
    top = rect.top + (rect.Height() - height) / 2;
  } else if (singleLine && (format & text_format::kBottom) != 0) {
    top = rect.bottom - height;
  }
  const TRect deviceClip = ToDevice(rect);
  const TRect* cut = (format & text_format::kNoClip) != 0 ? nullptr : &deviceClip;
  int y = top;
  for (const LaidLine& line : lines) {
    int left = rect.left;
    if ((format & text_format::kCenter) != 0) {
      left = rect.left + (rect.Width() - line.width) / 2;
    } else if ((format & text_format::kRight) != 0) {
      left = rect.right - line.width;
    }
    const TRect cell = ToDevice(TRect{left, y, left + line.width, y + m.lineHeight});
    if (state_.backOpaque) FillBackground(cell, cut);
    InkLine(cell.left, cell.top, line, cut);
    y += m.lineHeight;
  }
  if (singleLine && (format & (text_format::kVCenter | text_format::kBottom)) != 0) {
    return top - rect.top + height;
  }
  return height;
}

}  // namespace tandrel::platform
