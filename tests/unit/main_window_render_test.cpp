// The program's two windows rendered on the headless platform as a person
// would see their client areas, written as PNG files for a look
// ($TANDREL_RENDER_DIR, else the temporary folder): the main window at its
// stored size with its controls in place (the clock's text in the first
// status pane, the home picture in the last), and the warning window counting.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/Bitmap.h"
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

// The status bar's top-left corner in the window.
constexpr TPoint kBar{0, 283};

// The clock pane's text area holds exactly `text` in the pane's font, placed
// as a pane places its caption.
void ExpectClockText(platform::Surface& shot, TVmClockStatus& clock, const std::string& text) {
  const TRect content{2, 2, clock.Width() - 2, clock.Height() - 2};
  TBitmap expected(clock.Width(), clock.Height());
  TCanvas& c = expected.Canvas();
  c.Brush.SetColor(clBtnFace);
  c.FillRect(TRect{0, 0, clock.Width(), clock.Height()});
  c.Font.Assign(clock.Font());
  c.Brush.SetStyle(bsClear);
  c.TextRect(content, content.left + 3, content.top + (content.Height() - c.TextHeight("Pp")) / 2, text);
  int differing = 0;
  for (int y = content.top; y < content.bottom; ++y) {
    for (int x = content.left; x < content.right; ++x) {
      differing += shot.GetPixelAt(kBar.x + clock.Left() + x, kBar.y + y) != c.Pixels(x, y);
    }
  }
  EXPECT_EQ(differing, 0) << "the clock pane does not show " << text;
  EXPECT_GT(Drawn(*expected.Surface(), content, ColorToRGB(clBtnFace)), 20);
}

// Image 0 of ImageList2 with its top-left corner at (4, 2) of the home pane.
void ExpectHomePicture(platform::Surface& shot, TFormTandrel& form) {
  TBitmap home;
  ASSERT_TRUE(form.ImageList2->GetBitmap(0, home));
  const TPoint at{kBar.x + form.VmGlyphStatus2->Left() + 4, kBar.y + 2};
  int compared = 0;
  int differing = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const TColor pixel = home.Canvas().Pixels(x, y);
      if (pixel == 0) continue;  // transparent (or black, which the picture has none of)
      ++compared;
      differing += shot.GetPixelAt(at.x + x, at.y + y) != pixel;
    }
  }
  EXPECT_GT(compared, 60);
  EXPECT_EQ(differing, 0);
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
  EXPECT_EQ(form.VmClockStatus2->Caption(), "2026/3/10 10:00:00");
  ExpectClockText(*picture, *form.VmClockStatus2, "2026/3/10 10:00:00");
  ExpectHomePicture(*picture, form);
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
