// Rendering a whole headless window: the form's background, windowless
// labels painted on it, windowed children at their places with their own
// backgrounds, native stand-ins, and a PNG file a person can open. The PNG
// goes to $TANDREL_RENDER_DIR when set (else the temporary folder).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "framework/Color.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/ProgressBar.h"
#include "platform/headless/PngWriter.h"
#include "support/HeadlessApp.h"

namespace tandrel {
namespace {

std::filesystem::path RenderDir() {
  if (const char* dir = std::getenv("TANDREL_RENDER_DIR")) return dir;
  return std::filesystem::temp_directory_path();
}

int CountColor(const platform::Surface& s, const TRect& r, TColor rgb) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) n += s.GetPixelAt(x, y) == rgb ? 1 : 0;
  }
  return n;
}

TEST(WindowRender, FormWithLabelPanelAndBarRendersToPng) {
  testing::HeadlessApp env;
  TForm* form = nullptr;
  env.app().CreateForm(form);
  form->BeginLoading();
  form->SetCaption("Velmora V2.9(定时关机)");
  form->SetClientSize(486, 302);
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetAutoSize(false);
  label->SetBounds(20, 169, 461, 18);
  label->SetAlignment(TAlignment::taCenter);
  label->Font().SetColor(clRed);
  label->Font().SetBold(true);
  label->SetCaption("无定时任务");
  auto* panel = new TCustomControl(form);
  panel->SetParent(form);
  panel->SetBounds(16, 40, 100, 50);
  panel->SetColor(RGB(0, 0, 128));
  auto* inner = new TLabel(form);
  inner->SetParent(panel);
  inner->SetTransparent(true);
  inner->SetBounds(5, 5, 80, 20);
  inner->Font().SetColor(clWhite);
  inner->SetCaption("Inner");
  auto* bar = new TProgressBar(form);
  bar->SetParent(form);
  bar->SetBounds(10, 250, 397, 28);
  bar->SetMax(29);
  bar->SetPosition(29);
  form->EndLoading();
  form->Show();

  std::unique_ptr<platform::Surface> picture = env.windows().Render(form->Handle());
  ASSERT_EQ(picture->SurfaceWidth(), 486);
  ASSERT_EQ(picture->SurfaceHeight(), 302);
  const TColor face = ColorToRGB(clBtnFace);
  EXPECT_EQ(picture->GetPixelAt(2, 2), face);
  EXPECT_EQ(picture->GetPixelAt(485, 301), face);
  // The label's text is red and centred: ink in the middle third only.
  TRect labelRect = label->BoundsRect();
  EXPECT_GT(CountColor(*picture, Bounds(170, 169, 146, 18), clRed), 20);
  EXPECT_EQ(CountColor(*picture, Bounds(labelRect.left, 169, 100, 18), clRed), 0);
  // The windowed panel fills its own place, and its child label draws on it.
  EXPECT_EQ(picture->GetPixelAt(16 + 99, 40 + 49), RGB(0, 0, 128));
  EXPECT_EQ(picture->GetPixelAt(15, 39), face);
  EXPECT_GT(CountColor(*picture, Bounds(21, 45, 80, 20), clWhite), 10);
  // A full bar is filled to its right end.
  EXPECT_NE(picture->GetPixelAt(10 + 395, 250 + 14), face);
  EXPECT_NE(picture->GetPixelAt(10 + 395, 250 + 14), clWhite);

  std::filesystem::path file = RenderDir() / "headless_main_window.png";
  ASSERT_TRUE(platform::WritePng(*picture, file.string()));
  std::ifstream in(file, std::ios::binary);
  char signature[8] = {};
  in.read(signature, 8);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");
  EXPECT_GT(std::filesystem::file_size(file), 486u * 302u * 3u);
}

}  // namespace
}  // namespace tandrel
