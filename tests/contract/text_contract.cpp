// Text on a surface keeps the same relations on both platforms, whatever the
// glyphs look like: extents add up, DrawText measures lines in multiples of
// the line height, wraps at spaces, drops prefix ampersands, expands tabs,
// places aligned lines inside the rectangle, and clipped or opaque text
// stays inside its rectangle.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "contract/CanvasDump.h"
#include "platform/Platform.h"

namespace tandrel::contract {
namespace {

using platform::BrushSpec;
using platform::FontSpec;
using platform::Surface;
namespace tf = platform::text_format;

constexpr TColor kPaper = RGB(255, 255, 255);
constexpr TColor kInk = RGB(0, 0, 160);
constexpr TColor kBack = RGB(255, 220, 0);

class TextContract : public testing::Test {
 protected:
  void SetUp() override {
    platform_ = platform::CreatePlatform();
    surface_ = platform_->painting().CreateBitmapSurface(200, 80, false);
    BrushSpec paper;
    paper.color = kPaper;
    surface_->SetBrushSpec(paper);
    surface_->FillRectangle(TRect{0, 0, 200, 80});
    FontSpec font;
    font.name = "Tahoma";
    font.height = -12;
    surface_->SetFontSpec(font);
    surface_->SetTextColorRgb(kInk);
    surface_->SetBackgroundRgb(kBack);
  }

  // Bounding box of the pixels that are not paper.
  TRect Marked() {
    TRect box{1000, 1000, -1, -1};
    for (int y = 0; y < surface_->SurfaceHeight(); ++y) {
      for (int x = 0; x < surface_->SurfaceWidth(); ++x) {
        if (DevicePixel(*surface_, x, y) == kPaper) continue;
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
      }
    }
    return box;
  }

  int Measure(const std::string& text, unsigned format, int width = 1000) {
    TRect r{0, 0, width, 0};
    surface_->FormatText(text, r, format | tf::kCalcRect);
    return r.Width();
  }

  std::unique_ptr<platform::Platform> platform_;
  std::unique_ptr<Surface> surface_;
};

TEST_F(TextContract, ExtentsAddUpAndDrawTextMeasuresLikeThem) {
  const TSize ab = surface_->MeasureText("ab");
  const TSize a = surface_->MeasureText("a");
  const TSize b = surface_->MeasureText("b");
  EXPECT_GT(a.cx, 0);
  EXPECT_EQ(ab.cx, a.cx + b.cx);
  EXPECT_EQ(ab.cy, a.cy);
  EXPECT_EQ(Measure("ab", 0), ab.cx);
  EXPECT_GT(surface_->MeasureText("开始").cx, 0);
  TRect r{0, 0, 1000, 0};
  EXPECT_EQ(surface_->FormatText("one\ntwo", r, tf::kCalcRect), 2 * ab.cy);
  EXPECT_EQ(r.Height(), 2 * ab.cy);
  EXPECT_EQ(r.Width(), std::max(surface_->MeasureText("one").cx, surface_->MeasureText("two").cx));
  // Measuring keeps the left and top edges whatever the alignment.
  for (unsigned align : {tf::kLeft, tf::kCenter, tf::kRight}) {
    TRect aligned{10, 20, 300, 90};
    surface_->FormatText("abc", aligned, tf::kCalcRect | align);
    EXPECT_EQ(aligned, (TRect{10, 20, 10 + surface_->MeasureText("abc").cx, 20 + ab.cy}));
  }
  // Even empty text measures one line, and a final line break adds none.
  TRect empty{5, 5, 100, 5};
  EXPECT_EQ(surface_->FormatText("", empty, tf::kCalcRect), ab.cy);
  EXPECT_EQ(empty, (TRect{5, 5, 5, 5 + ab.cy}));
  TRect blankLine{0, 0, 1000, 0};
  EXPECT_EQ(surface_->FormatText("a\n\nb", blankLine, tf::kCalcRect), 3 * ab.cy);
  TRect trailing{0, 0, 1000, 0};
  EXPECT_EQ(surface_->FormatText("a\n", trailing, tf::kCalcRect), ab.cy);
}

TEST_F(TextContract, WordBreakPrefixesAndTabs) {
  const int lineHeight = surface_->MeasureText("Pp").cy;
  const int word = surface_->MeasureText("word").cx;
  TRect narrow{0, 0, word + word / 2, 0};
  EXPECT_EQ(surface_->FormatText("word word word", narrow, tf::kCalcRect | tf::kWordBreak),
            3 * lineHeight);
  EXPECT_LE(narrow.Width(), word + word / 2);
  TRect single{0, 0, word + word / 2, 0};
  EXPECT_EQ(surface_->FormatText("word word word", single,
                                 tf::kCalcRect | tf::kWordBreak | tf::kSingleLine),
            lineHeight);

  // A word wider than the rectangle stays whole on its own line.
  const int longWord = surface_->MeasureText("abcdefghij").cx;
  TRect tooNarrow{0, 0, longWord / 2, 0};
  EXPECT_EQ(surface_->FormatText("xy abcdefghij", tooNarrow, tf::kCalcRect | tf::kWordBreak),
            2 * lineHeight);
  EXPECT_EQ(tooNarrow.Width(), longWord);
  // Ideographs may break between any two.
  const int two = surface_->MeasureText("开始").cx;
  TRect cjk{0, 0, two + two / 4, 0};
  EXPECT_EQ(surface_->FormatText("开始开始", cjk, tf::kCalcRect | tf::kWordBreak),
            2 * lineHeight);
  EXPECT_EQ(cjk.Width(), two);
  // Spaces before a break stay on the line, and count, when they fit. (How
  // spaces that do not fit are spread over lines is left open: GDI's rule
  // there is not one this program relies on.)
  TRect spaced{0, 0, surface_->MeasureText("aa  b").cx, 0};
  EXPECT_EQ(surface_->FormatText("aa   bb", spaced, tf::kCalcRect | tf::kWordBreak),
            2 * lineHeight);
  EXPECT_EQ(spaced.Width(), surface_->MeasureText("aa   ").cx);

  EXPECT_EQ(Measure("a&bc", 0), surface_->MeasureText("abc").cx);
  EXPECT_EQ(Measure("a&&b", 0), surface_->MeasureText("a&b").cx);
  EXPECT_EQ(Measure("a&bc", tf::kNoPrefix), surface_->MeasureText("a&bc").cx);
  EXPECT_GT(Measure("a\tb", tf::kExpandTabs), surface_->MeasureText("ab").cx + 3 * surface_->MeasureText("a").cx);
}

TEST_F(TextContract, AlignedAndCentredTextStaysInsideItsRectangle) {
  surface_->SetBackgroundOpaque(false);
  const TSize size = surface_->MeasureText("Hi");
  TRect r{20, 10, 180, 70};
  surface_->FormatText("Hi", r, tf::kRight | tf::kSingleLine | tf::kVCenter);
  const TRect ink = Marked();
  EXPECT_GE(ink.left, 180 - size.cx);
  EXPECT_LE(ink.right, 180);
  const int top = 10 + (60 - size.cy) / 2;
  EXPECT_GE(ink.top, top);
  EXPECT_LE(ink.bottom, top + size.cy);
}

TEST_F(TextContract, OpaqueTextFillsItsCellAndClippedTextStaysInside) {
  const TSize size = surface_->MeasureText("Wg");
  surface_->SetBackgroundOpaque(true);
  surface_->TextOutAt(10, 5, "Wg", nullptr, false);
  EXPECT_EQ(Marked(), (TRect{10, 5, 10 + size.cx, 5 + size.cy}));
  EXPECT_EQ(DevicePixel(*surface_, 10, 5 + size.cy - 1) == kBack ||
                DevicePixel(*surface_, 10, 5 + size.cy - 1) == kInk,
            true);

  BrushSpec paper;
  paper.color = kPaper;
  surface_->SetBrushSpec(paper);
  surface_->FillRectangle(TRect{0, 0, 200, 80});
  surface_->SetBackgroundOpaque(false);
  const TRect clip{30, 20, 40, 26};
  surface_->TextOutAt(28, 18, "WWWWWW", &clip, true);
  EXPECT_EQ(Marked(), clip);
  EXPECT_EQ(DevicePixel(*surface_, 39, 25) == kBack || DevicePixel(*surface_, 39, 25) == kInk,
            true);
}

TEST_F(TextContract, TextAlignPlacesTheReferencePoint) {
  surface_->SetBackgroundOpaque(true);
  const TSize size = surface_->MeasureText("abc");
  surface_->SetTextAlignFlags(platform::text_align::kRight);
  EXPECT_EQ(surface_->TextAlignFlags(), platform::text_align::kRight);
  surface_->TextOutAt(100, 10, "abc", nullptr, false);
  EXPECT_EQ(Marked(), (TRect{100 - size.cx, 10, 100, 10 + size.cy}));
  BrushSpec paper;
  paper.color = kPaper;
  surface_->SetBrushSpec(paper);
  surface_->FillRectangle(TRect{0, 0, 200, 80});
  surface_->SetTextAlignFlags(platform::text_align::kCenter | platform::text_align::kBottom);
  surface_->TextOutAt(100, 60, "abc", nullptr, false);
  const TRect cell = Marked();
  EXPECT_EQ(cell.bottom, 60);
  EXPECT_EQ(cell.Height(), size.cy);
  EXPECT_LE(std::abs((cell.left + cell.right) - 200), 1);
}

}  // namespace
}  // namespace tandrel::contract
