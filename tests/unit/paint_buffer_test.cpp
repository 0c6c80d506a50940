// Custom-drawn windows paint through one shared off-screen buffer: never
// on the window's own surface, the buffer reused from paint to paint, and
// the picture landing whole.
#include <gtest/gtest.h>

#include "framework/Form.h"
#include "framework/PaintBuffer.h"
#include "support/HeadlessApp.h"

namespace tandrel {
namespace {

class SurfaceProbe : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  const platform::Surface* seen = nullptr;

 protected:
  void Paint(TCanvas& canvas) override {
    seen = canvas.Surface();
    canvas.Brush.SetColor(clRed);
    canvas.FillRect(TRect{5, 5, 20, 20});
  }
};

TEST(PaintBuffer, WindowsPaintOffScreenIntoOneReusedBuffer) {
  testing::HeadlessApp env;
  TForm* form = nullptr;
  env.app().CreateForm(form);
  form->SetClientSize(160, 80);
  auto* probe = new SurfaceProbe(form);
  probe->SetBounds(10, 10, 50, 30);
  probe->SetColor(clBlue);
  probe->SetParent(form);
  form->Show();

  auto shot = env.windows().Render(form->Handle());
  ASSERT_NE(probe->seen, nullptr);
  EXPECT_NE(probe->seen, shot.get());
  EXPECT_EQ(shot->GetPixelAt(10 + 2, 10 + 2), clBlue);  // the background came with it
  EXPECT_EQ(shot->GetPixelAt(10 + 6, 10 + 6), clRed);
  const TSize grown = TPaintBuffer::SharedSize();
  EXPECT_GE(grown.cx, 160);
  EXPECT_GE(grown.cy, 80);

  const platform::Surface* first = probe->seen;
  probe->Invalidate();
  probe->Update();
  EXPECT_EQ(probe->seen, first);
  EXPECT_EQ(TPaintBuffer::SharedSize().cx, grown.cx);
  EXPECT_EQ(TPaintBuffer::SharedSize().cy, grown.cy);
}

// A window-sized paint must not leave a window-sized bitmap behind (the
// program sits in the tray for weeks), nor may a wide strip followed by a
// tall one grow the shared buffer past its limit; the pictures still land.
TEST(PaintBuffer, LargeAreasPaintThroughABufferOfTheirOwn) {
  testing::HeadlessApp env;
  TForm* form = nullptr;
  env.app().CreateForm(form);
  form->SetClientSize(486, 302);
  auto* wide = new SurfaceProbe(form);
  wide->SetBounds(0, 0, 480, 40);
  wide->SetColor(clBlue);
  wide->SetParent(form);
  auto* tall = new SurfaceProbe(form);
  tall->SetBounds(0, 50, 60, 250);
  tall->SetColor(clNavy);
  tall->SetParent(form);
  form->Show();

  auto shot = env.windows().Render(form->Handle());
  EXPECT_EQ(shot->GetPixelAt(470, 30), clBlue);
  EXPECT_EQ(shot->GetPixelAt(6, 56), clRed);
  EXPECT_EQ(shot->GetPixelAt(50, 290), clNavy);
  auto withinLimit = [] {
    const TSize size = TPaintBuffer::SharedSize();
    return static_cast<long long>(size.cx) * size.cy <= TPaintBuffer::SharedPixelLimit();
  };
  EXPECT_TRUE(withinLimit());

  for (SurfaceProbe* probe : {wide, tall}) {
    probe->Invalidate();
    probe->Update();
    EXPECT_TRUE(withinLimit());
  }
  shot = env.windows().Render(form->Handle());
  EXPECT_EQ(shot->GetPixelAt(6, 6), clRed);
  EXPECT_EQ(shot->GetPixelAt(50, 290), clNavy);
}

}  // namespace
}  // namespace tandrel
