// Masked bitmap drawing: the transparent colour leaves the canvas alone,
// every other colour is copied, stretched to the destination.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Bitmap.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/PixelPicture.h"
#include "widgets/VmMaskedBitmap.h"

namespace tandrel {
namespace {

using test::Picture;
using test::Rows;

constexpr TColor kBack = RGB(10, 20, 30);
constexpr TColor kKey = RGB(255, 0, 255);
constexpr TColor kA = RGB(200, 0, 0);
constexpr TColor kB = RGB(0, 0, 200);
constexpr TColor kFace = RGB(190, 190, 190);

const test::Legend kLegend{{'.', kBack}, {'k', kKey}, {'A', kA}, {'B', kB}, {'F', kFace}};

class MaskedBitmap : public ::testing::Test {
 protected:
  MaskedBitmap() { platform::Install(&platform_); }
  ~MaskedBitmap() override {
    source_.reset();
    target_.reset();
    platform::Install(nullptr);
  }

  // A source bitmap from rows of letters.
  TBitmap& Source(std::initializer_list<const char*> rows) {
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(std::string(*rows.begin()).size());
    source_ = std::make_unique<TBitmap>(width, height);
    int y = 0;
    for (const char* row : rows) {
      for (int x = 0; x < width; ++x) {
        const char c = row[x];
        source_->Canvas().SetPixels(x, y, c == 'A' ? kA : c == 'B' ? kB : c == 'F' ? kFace : kKey);
      }
      ++y;
    }
    return *source_;
  }
  TCanvas& Target(int width, int height) {
    target_ = std::make_unique<TBitmap>(width, height);
    target_->Canvas().Brush.SetColor(kBack);
    target_->Canvas().FillRect(TRect{0, 0, width, height});
    return target_->Canvas();
  }
  std::string TargetPicture() const {
    return Picture(target_->Canvas(), TRect{0, 0, target_->Width(), target_->Height()}, kLegend);
  }

  platform::HeadlessPlatform platform_;
  std::unique_ptr<TBitmap> source_;
  std::unique_ptr<TBitmap> target_;
};

TEST_F(MaskedBitmap, TransparentPixelsKeepTheCanvas) {
  TBitmap& source = Source({"AkB", "kAk"});
  TCanvas& canvas = Target(5, 4);
  PaintMaskedBitmap(canvas, source, TRect{1, 1, 4, 3}, TRect{0, 0, 3, 2}, kKey);
  EXPECT_EQ(TargetPicture(), Rows({".....", ".A.B.", "..A..", "....."}));
}

TEST_F(MaskedBitmap, PartOfTheSourceStretchedToTheDestination) {
  TBitmap& source = Source({"BBAk", "BBkA"});
  TCanvas& canvas = Target(5, 4);
  PaintMaskedBitmap(canvas, source, TRect{0, 0, 4, 4}, TRect{2, 0, 4, 2}, kKey);
  EXPECT_EQ(TargetPicture(), Rows({"AA...", "AA...", "..AA.", "..AA."}));
}

TEST_F(MaskedBitmap, ASystemColourKeyIsResolvedFirst) {
  platform_.painting().SetSystemColor(15, kFace);
  TBitmap& source = Source({"FA", "BF"});
  TCanvas& canvas = Target(2, 2);
  PaintMaskedBitmap(canvas, source, TRect{0, 0, 2, 2}, TRect{0, 0, 2, 2}, clBtnFace);
  EXPECT_EQ(TargetPicture(), Rows({".A", "B."}));
}

TEST_F(MaskedBitmap, EmptyDestinationDrawsNothing) {
  TBitmap& source = Source({"AB"});
  TCanvas& canvas = Target(2, 2);
  PaintMaskedBitmap(canvas, source, TRect{1, 1, 1, 2}, TRect{0, 0, 2, 1}, kKey);
  PaintMaskedBitmap(canvas, source, TRect{2, 2, 0, 0}, TRect{0, 0, 2, 1}, kKey);
  EXPECT_EQ(TargetPicture(), Rows({"..", ".."}));
}

}  // namespace
}  // namespace tandrel
