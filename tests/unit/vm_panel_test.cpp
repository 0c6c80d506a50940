// Group boxes and framed panels on the headless platform: the children's
// enabled states kept across a disabled period (also nested), the client
// area below the caption line, borders that inset the children, painting.
#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/Color.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "support/HeadlessApp.h"
#include "widgets/VmColors.h"
#include "widgets/VmDrawGlobals.h"
#include "widgets/VmEdit.h"
#include "widgets/VmPanel.h"
#include "widgets/VmRadChk.h"

namespace tandrel {
namespace {

// The main window's settings group: an inner group box with two radio
// buttons and a check box, a label and the minutes field.
class SettingsGroup : public ::testing::Test {
 protected:
  SettingsGroup() {
    env_.app().CreateForm(form_);
    form_->SetClientSize(486, 302);
    set_ = Add<TVmGroupBox>(form_, 16, 40, 462, 89);
    inner_ = Add<TVmGroupBox>(set_, 0, 1, 462, 51);
    inner_->SetCaption("设置关机时间");
    dateTime_ = Add<TVmRadioButton>(inner_, 86, 24, 105, 17);
    countdown_ = Add<TVmRadioButton>(inner_, 208, 24, 113, 17);
    repeat_ = Add<TVmCheckBox>(inner_, 350, 24, 99, 17);
    label_ = Add<TLabel>(set_, 10, 62, 51, 14);
    minutes_ = Add<TVmNumericEdit>(set_, 10, 57, 65, 23);
    form_->Show();
  }

  template <typename T>
  T* Add(TWinControl* parent, int left, int top, int width, int height) {
    auto* c = new T(form_);
    c->SetBounds(left, top, width, height);
    c->SetParent(parent);
    return c;
  }

  testing::HeadlessApp env_;
  TForm* form_ = nullptr;
  TVmGroupBox* set_;
  TVmGroupBox* inner_;
  TVmRadioButton* dateTime_;
  TVmRadioButton* countdown_;
  TVmCheckBox* repeat_;
  TLabel* label_;
  TVmNumericEdit* minutes_;
};

TEST_F(SettingsGroup, DisablingGreysEverythingAndEnablingRestoresTheEarlierStates) {
  repeat_->SetEnabled(false);
  set_->SetEnabled(false);
  for (TControl* c : std::initializer_list<TControl*>{inner_, label_, minutes_, dateTime_, countdown_, repeat_}) {
    EXPECT_FALSE(c->Enabled()) << c;
  }
  EXPECT_FALSE(env_.windows().IsEnabled(minutes_->Handle()));
  EXPECT_FALSE(env_.windows().IsEnabled(dateTime_->Handle()));
  EXPECT_FALSE(inner_->RememberedEnabled(repeat_));
  EXPECT_TRUE(inner_->RememberedEnabled(countdown_));

  set_->SetEnabled(true);
  for (TControl* c : std::initializer_list<TControl*>{inner_, label_, minutes_, dateTime_, countdown_}) {
    EXPECT_TRUE(c->Enabled()) << c;
  }
  EXPECT_FALSE(repeat_->Enabled());
  EXPECT_TRUE(env_.windows().IsEnabled(minutes_->Handle()));
  EXPECT_FALSE(env_.windows().IsEnabled(repeat_->Handle()));
}

TEST_F(SettingsGroup, AnInnerGroupThatWasDisabledStaysDisabledWithItsOwnMemory) {
  countdown_->SetEnabled(false);
  inner_->SetEnabled(false);
  set_->SetEnabled(false);
  set_->SetEnabled(true);
  EXPECT_FALSE(inner_->Enabled());
  EXPECT_FALSE(dateTime_->Enabled());
  inner_->SetEnabled(true);
  EXPECT_TRUE(dateTime_->Enabled());
  EXPECT_TRUE(repeat_->Enabled());
  EXPECT_FALSE(countdown_->Enabled());
}

TEST_F(SettingsGroup, EachDisablingTakesAFreshRecord) {
  label_->SetEnabled(false);
  set_->SetEnabled(false);
  set_->SetEnabled(true);
  EXPECT_FALSE(label_->Enabled());
  label_->SetEnabled(true);
  set_->SetEnabled(false);
  set_->SetEnabled(true);
  EXPECT_TRUE(label_->Enabled());
}

TEST_F(SettingsGroup, AFocusedChildGivesUpTheFocusWhenTheGroupIsDisabled) {
  repeat_->SetFocus();
  ASSERT_EQ(env_.windows().GetFocus(), repeat_->Handle());
  set_->SetEnabled(false);
  EXPECT_NE(env_.windows().GetFocus(), repeat_->Handle());
}

TEST_F(SettingsGroup, ChildrenAlignBelowTheCaptionLine) {
  TBitmap measure(1, 1);
  measure.Canvas().Font.Assign(inner_->Font());
  const int h = measure.Canvas().TextHeight("Yy");
  auto* filler = Add<TLabel>(inner_, 0, 0, 10, 10);
  filler->SetAutoSize(false);
  filler->SetAlign(TAlign::alClient);
  EXPECT_EQ(filler->BoundsRect(), (TRect{1, h + 1, inner_->Width() - 1, inner_->Height() - 1}));
  inner_->SetGroupStyle(gsUnderline);
  EXPECT_EQ(filler->BoundsRect(), (TRect{0, h + 4, inner_->Width(), inner_->Height()}));
}

TEST_F(SettingsGroup, TheFlatFrameHasCutCornersAndTheCaptionInterruptsIt) {
  set_->SetFlatColor(0xA4A0A0);
  auto shot = env_.windows().Render(set_->Handle());
  const TColor flat = ColorToRGB(ShadeBy(0xA4A0A0, 30));
  const TColor face = ColorToRGB(clBtnFace);
  // The inner group box covers the top; the bottom corners show the cut.
  const int bottom = set_->Height() - 1;
  EXPECT_EQ(shot->GetPixelAt(0, 60), flat);                      // left side
  EXPECT_EQ(shot->GetPixelAt(set_->Width() - 1, 60), flat);      // right side
  EXPECT_EQ(shot->GetPixelAt(200, bottom), flat);                // bottom side
  EXPECT_EQ(shot->GetPixelAt(0, bottom), face);                  // cut corner
  EXPECT_EQ(shot->GetPixelAt(1, bottom), face);
  EXPECT_EQ(shot->GetPixelAt(1, bottom - 1), flat);              // corner diagonal
  auto inner = env_.windows().Render(inner_->Handle());
  TBitmap m2(1, 1);
  m2.Canvas().Font.Assign(inner_->Font());
  const int gapWidth = m2.Canvas().TextWidth("设置关机时间");
  const int innerTop = m2.Canvas().TextHeight("Pp") / 2 - 1;
  EXPECT_NE(inner->GetPixelAt(8 + gapWidth / 2, innerTop), ColorToRGB(ShadeBy(clBtnShadow, 30)));
  EXPECT_EQ(inner->GetPixelAt(8 + gapWidth + 3, innerTop), ColorToRGB(ShadeBy(clBtnShadow, 30)));
}

TEST_F(SettingsGroup, ADisabledCaptionIsEmbossedAndTheGapIgnoresTheAmpersand) {
  inner_->SetCaption("&Time");
  inner_->Font().SetColor(RGB(0, 0, 200));
  TBitmap m(1, 1);
  m.Canvas().Font.Assign(inner_->Font());
  const int gap = m.Canvas().TextWidth("Time");
  const int lineY = m.Canvas().TextHeight("Pp") / 2 - 1;
  const TColor flat = ColorToRGB(ShadeBy(clBtnShadow, 30));
  auto shot = env_.windows().Render(inner_->Handle());
  EXPECT_EQ(shot->GetPixelAt(8 + gap, lineY), flat);  // the line resumes right after "Time"
  EXPECT_NE(shot->GetPixelAt(8 + gap - 1, lineY), flat);
  auto count = [&](const platform::Surface& s, TColor c) {
    int n = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 8; x < 8 + gap + 2; ++x) n += s.GetPixelAt(x, y) == c ? 1 : 0;
    return n;
  };
  EXPECT_GT(count(*shot, RGB(0, 0, 200)), 0);
  EXPECT_EQ(count(*shot, ColorToRGB(clBtnHighlight)), 0);
  set_->SetEnabled(false);
  shot = env_.windows().Render(inner_->Handle());
  EXPECT_EQ(count(*shot, RGB(0, 0, 200)), 0);
  const int highlights = count(*shot, ColorToRGB(clBtnHighlight));
  EXPECT_GT(highlights, 0);
  EXPECT_GT(count(*shot, ColorToRGB(clBtnShadow)), 0);
  // Embossed: some highlight pixel has the shadow copy one pixel up and left.
  bool offset = false;
  for (int y = 1; y < 16 && !offset; ++y)
    for (int x = 9; x < 8 + gap + 2 && !offset; ++x)
      offset = shot->GetPixelAt(x, y) == ColorToRGB(clBtnHighlight) &&
               shot->GetPixelAt(x - 1, y - 1) == ColorToRGB(clBtnShadow);
  EXPECT_TRUE(offset);
}

TEST_F(SettingsGroup, GroupBoxesNeverTakeTheFocusTheirAcceleratorPassesItOn) {
  auto& w = env_.windows();
  inner_->SetCaption("&Time");
  countdown_->SetChecked(true);  // the group's tab stop
  minutes_->SetFocus();
  w.TypeChar(U't', platform::shift::kAlt);
  EXPECT_EQ(w.GetFocus(), countdown_->Handle());
  EXPECT_TRUE(countdown_->Checked());
  inner_->SetFocus();
  EXPECT_EQ(w.GetFocus(), countdown_->Handle());
  // Arrows from the check box pass over no group box and stay in it.
  repeat_->SetFocus();
  for (int key : {platform::vk::kRight, platform::vk::kRight, platform::vk::kLeft, platform::vk::kUp}) {
    w.KeyPress(key);
    EXPECT_NE(w.GetFocus(), inner_->Handle());
    EXPECT_NE(w.GetFocus(), set_->Handle());
    EXPECT_EQ(env_.windows().Parent(w.GetFocus()), inner_->Handle());
  }
  // Tab never stops on a group box either.
  for (int i = 0; i < 6; ++i) {
    w.KeyPress(platform::vk::kTab);
    EXPECT_NE(w.GetFocus(), inner_->Handle());
    EXPECT_NE(w.GetFocus(), set_->Handle());
  }
}

TEST_F(SettingsGroup, ADesktopColourChangeRereadsTheSchemeAndRepaintsEverything) {
  auto& w = env_.windows();
  auto& registry = env_.platform().registry();
  ReadDrawGlobals(env_.platform());
  ASSERT_EQ(ThemeColorScheme(), 0);
  auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser,
                              "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager",
                              platform::kKeyWrite, true);
  ASSERT_TRUE(key);
  key->WriteString("ColorName", "Metallic");
  w.Render(form_->Handle());  // nothing pending
  for (unsigned message : {platform::msg::kSysColorChange, platform::msg::kSettingChange,
                           platform::msg::kThemeChanged}) {
    key->WriteString("ColorName", message == platform::msg::kSettingChange ? "homestead" : "Metallic");
    w.Send(form_->Handle(), message, 0, 0);
    EXPECT_EQ(ThemeColorScheme(), message == platform::msg::kSettingChange ? 1 : 2) << message;
    for (TWinControl* c : std::initializer_list<TWinControl*>{form_, set_, inner_, repeat_, minutes_}) {
      EXPECT_GT(w.PendingInvalidations(c->Handle()), 0) << message;
    }
    w.Render(form_->Handle());
  }
  key->WriteString("ColorName", "");
  RereadThemeColorScheme();
}

TEST(FramedPanel, BordersInsetTheChildrenAndRepaintWhenChanged) {
  testing::HeadlessApp env;
  TForm* form = nullptr;
  env.app().CreateForm(form);
  form->SetClientSize(300, 200);
  auto* panel = new TVmPanel(form);
  panel->SetBounds(10, 10, 200, 100);
  panel->SetParent(form);
  auto* child = new TLabel(form);
  child->SetAutoSize(false);
  child->SetParent(panel);
  child->SetAlign(TAlign::alClient);
  form->Show();
  // Raised outer border: 2 pixels.
  EXPECT_EQ(child->BoundsRect(), (TRect{2, 2, 198, 98}));
  panel->SetBorderWidth(3);
  panel->SetBorderInner(fsFlat);
  EXPECT_EQ(child->BoundsRect(), (TRect{6, 6, 194, 94}));
  panel->SetBorderSides(TSides{sdLeft, sdTop});
  EXPECT_EQ(child->BoundsRect(), (TRect{6, 6, 197, 97}));
  env.windows().UpdateNow(panel->Handle());
  panel->SetBorderSides(TSides{sdLeft, sdTop});
  EXPECT_EQ(env.windows().PendingInvalidations(panel->Handle()), 0);
  panel->SetFlatColor(clRed);
  EXPECT_GT(env.windows().PendingInvalidations(panel->Handle()), 0);
}

// The status bar, with its erase step in reach.
class ProbeStatusBar : public TVmStatusBar {
 public:
  using TVmStatusBar::TVmStatusBar;
  using TVmStatusBar::EraseBackground;
};

TEST(FramedPanel, APanelWithoutBordersLeavesItsBackgroundToItsPaint) {
  // Erasing first would fill the same pixels twice before the children
  // draw: a clock second repaints the bar under one pane.
  testing::HeadlessApp env;
  TForm* form = nullptr;
  env.app().CreateForm(form);
  form->SetClientSize(486, 302);
  auto* bar = new ProbeStatusBar(form);
  bar->SetParent(form);
  form->Show();
  auto surface = env.platform().painting().CreateBitmapSurface(bar->Width(), bar->Height(), false);
  TCanvas canvas(surface.get());
  canvas.Brush.SetColor(clRed);
  canvas.FillRect(bar->ClientRect());
  EXPECT_TRUE(bar->EraseBackground(canvas));
  EXPECT_EQ(surface->GetPixelAt(5, 5), ColorToRGB(clRed));
  const auto shot = env.windows().Render(bar->Handle());
  for (const TPoint p : {TPoint{0, 0}, TPoint{bar->Width() - 1, bar->Height() - 1}}) {
    EXPECT_EQ(shot->GetPixelAt(p.x, p.y), ColorToRGB(bar->Color())) << p.x;
  }
  // With a border, the erase still fills what the border leaves open.
  bar->SetBorderOuter(fsFlat);
  EXPECT_TRUE(bar->EraseBackground(canvas));
  EXPECT_EQ(surface->GetPixelAt(5, 5), ColorToRGB(bar->Color()));
}

}  // namespace
}  // namespace tandrel
