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
  form->SetClientSize(200, 100);
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
  EXPECT_GE(grown.cx, 200);
  EXPECT_GE(grown.cy, 100);

  const platform::Surface* first = probe->seen;
  probe->Invalidate();
  probe->Update();
  EXPECT_EQ(probe->seen, first);
  EXPECT_EQ(TPaintBuffer::SharedSize().cx, grown.cx);
  EXPECT_EQ(TPaintBuffer::SharedSize().cy, grown.cy);
}

}  // namespace
}  // namespace tandrel
