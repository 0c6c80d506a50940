// Painting part of a window at once: the handler paints on a surface that
// reaches the window, clipped to the area asked for; nothing is painted,
// and the caller is told so, while the window cannot be seen.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "contract/WindowScript.h"
#include "platform/Platform.h"

namespace tandrel::contract {
namespace {

using platform::WindowHandle;
using platform::WindowKind;

// Fills round what it is asked to paint, in a colour of its own for each
// paint, and reads back through the same surface what it drew and the clip.
class Painter final : public platform::WindowHandler {
 public:
  void WindowPaint(platform::Surface& surface, const TRect& dirty) override {
    colour = 0x102030 + static_cast<TColor>(areas.size());
    surface.SetPenSpec(platform::PenSpec{colour, 1, platform::PenStyle::Clear});
    surface.SetBrushSpec(platform::BrushSpec{platform::BrushStyle::Solid, colour, {}});
    surface.FillRectangle(TRect{dirty.left - 10, dirty.top - 10, dirty.right + 10, dirty.bottom + 10});
    areas.push_back(dirty);
    inside = surface.GetPixelAt(dirty.left + 1, dirty.top + 1);
    clip = surface.ClipBounds();
  }
  std::vector<TRect> areas;
  TColor colour = 0;
  TColor inside = 0;
  TRect clip{};
};

class PaintNowContract : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_ = platform::CreatePlatform();
    platform::WindowSpec form;
    form.kind = WindowKind::Form;
    form.border = platform::FormBorder::Single;
    form.bounds = Bounds(100, 100, 320, 200);
    form.text = "paint now";
    form_ = windows().Create(form, &formHandler_);
    platform::WindowSpec control;
    control.kind = WindowKind::Control;
    control.parent = form_;
    control.bounds = Bounds(10, 10, 200, 40);
    control.visible = true;
    control_ = windows().Create(control, &painter_);
    windows().Show(form_, platform::ShowCommand::Show);
    RunIdle(*platform_, 300);  // the paints that showing brings
    painter_.areas.clear();
  }
  void TearDown() override {
    windows().Destroy(form_);
    platform_.reset();
  }
  platform::WindowSystem& windows() { return platform_->windows(); }

  std::unique_ptr<platform::Platform> platform_;
  platform::WindowHandler formHandler_;
  Painter painter_;
  WindowHandle form_;
  WindowHandle control_;
};

TEST_F(PaintNowContract, AVisibleWindowIsPaintedAtOnceWithinTheAreaOnly) {
  const TRect area{20, 5, 60, 30};
  ASSERT_TRUE(windows().PaintNow(control_, area));
  ASSERT_EQ(painter_.areas.size(), 1u);
  EXPECT_EQ(painter_.areas[0], area);
  EXPECT_EQ(painter_.inside, painter_.colour);
  EXPECT_EQ(painter_.clip, area);
  // An area reaching past the client edge is cut to it.
  ASSERT_TRUE(windows().PaintNow(control_, TRect{150, 20, 400, 90}));
  ASSERT_EQ(painter_.areas.size(), 2u);
  EXPECT_EQ(painter_.areas[1], (TRect{150, 20, 200, 40}));
}

TEST_F(PaintNowContract, NothingIsPaintedWhileTheWindowCannotBeSeen) {
  windows().Show(form_, platform::ShowCommand::Minimize);
  RunIdle(*platform_, 100);
  EXPECT_FALSE(windows().PaintNow(control_, TRect{0, 0, 50, 20}));
  windows().Show(form_, platform::ShowCommand::Hide);
  RunIdle(*platform_, 100);
  EXPECT_FALSE(windows().PaintNow(control_, TRect{0, 0, 50, 20}));
  windows().Show(control_, platform::ShowCommand::Hide);
  windows().Show(form_, platform::ShowCommand::Show);
  RunIdle(*platform_, 100);
  EXPECT_FALSE(windows().PaintNow(control_, TRect{0, 0, 50, 20}));
  EXPECT_TRUE(painter_.areas.empty());
}

}  // namespace
}  // namespace tandrel::contract
