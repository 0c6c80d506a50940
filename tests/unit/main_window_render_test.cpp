// The program's two windows rendered on the headless platform as a person
// would see their client areas, written as PNG files for a look
// ($TANDREL_RENDER_DIR, else the temporary folder): the main window at its
// stored size with its controls in place, and the warning window counting.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "framework/Color.h"
#include "platform/headless/PngWriter.h"
#include "unit/support/FormTandrelFixture.h"

namespace tandrel {
namespace {

std::filesystem::path RenderDir() {
  if (const char* dir = std::getenv("TANDREL_RENDER_DIR")) return dir;
  return std::filesystem::temp_directory_path();
}

// Pixels in `r` that differ from `background`.
int Drawn(const platform::Surface& s, const TRect& r, TColor background) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) n += s.GetPixelAt(x, y) != background ? 1 : 0;
  }
  return n;
}

class MainWindowRender : public testing::FormTandrelFixture {};

TEST_F(MainWindowRender, MainWindowShowsItsControlsAndIsWrittenAsPng) {
  TFormTandrel& form = CreateAndShow();
  EXPECT_EQ(windows().GetText(form.Handle()), "Velmora V2.9(定时关机)");
  std::unique_ptr<platform::Surface> picture = windows().Render(form.Handle());
  ASSERT_EQ(picture->SurfaceWidth(), 486);
  ASSERT_EQ(picture->SurfaceHeight(), 302);
  const TColor face = ColorToRGB(clBtnFace);
  // Empty margins keep the face colour; the Start button and the status
  // bar draw something of their own at their places.
  EXPECT_EQ(picture->GetPixelAt(5, 135), face);
  EXPECT_GT(Drawn(*picture, form.BTNStart->BoundsRect(), face), 200);
  EXPECT_GT(Drawn(*picture, Bounds(0, 283, 486, 19), face), 50);
  std::filesystem::path file = RenderDir() / "headless_FormTandrel.png";
  ASSERT_TRUE(platform::WritePng(*picture, file.string()));
  EXPECT_GT(std::filesystem::file_size(file), 486u * 302u * 3u);
}

TEST_F(MainWindowRender, WarningWindowIsWrittenAsPng) {
  Create();
  FormWarn->Show();
  std::unique_ptr<platform::Surface> picture = windows().Render(FormWarn->Handle());
  ASSERT_EQ(picture->SurfaceWidth(), 418);
  ASSERT_EQ(picture->SurfaceHeight(), 115);
  EXPECT_GT(Drawn(*picture, FormWarn->BTNCancel->BoundsRect(), ColorToRGB(clBtnFace)), 100);
  std::filesystem::path file = RenderDir() / "headless_FormWarn.png";
  ASSERT_TRUE(platform::WritePng(*picture, file.string()));
}

}  // namespace
}  // namespace tandrel
