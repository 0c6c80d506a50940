// The clock, glyph and polling panes on the headless platform: glyph cells
// and disabled pictures, the picture's place, auto width, the shared
// polling timer, and a clock that repaints exactly when its text changes.
#include <gtest/gtest.h>

#include "framework/Color.h"
#include "framework/Form.h"
#include "support/HeadlessApp.h"
#include "widgets/VmPollingList.h"
#include "widgets/VmStatus.h"

namespace tandrel {
namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kGreen = 0x00FF00;
constexpr TColor kMagenta = 0xFF00FF;  // transparent in the pictures below

class StatusPanes : public ::testing::Test {
 protected:
  StatusPanes() {
    env_.clock().Set(platform::LocalTime{2026, 3, 10, 10, 0, 0, 250});
    env_.app().CreateForm(form_);
    form_->SetBorderStyle(TFormBorderStyle::bsSingle);
    form_->SetClientSize(300, 60);
    bar_ = new TVmStatusBar(form_);
    bar_->SetParent(form_);
  }

  template <typename T>
  T* AddPane(int width) {
    // Set up as a stored layout is: in the loading state, then Loaded.
    auto* pane = new T(form_);
    pane->BeginLoading();
    pane->SetBounds(1000, 0, width, 19);  // after the panes placed before
    pane->SetAlign(TAlign::alLeft);
    pane->SetParent(bar_);
    pane->EndLoading();
    return pane;
  }

  // A picture of `cells` cells of 16 x 16, cell i filled with colours[i] on
  // a magenta border (its bottom-left pixel, the transparent colour).
  static void FillCells(TBitmap& bitmap, std::initializer_list<TColor> colours) {
    bitmap.SetSize(16 * static_cast<int>(colours.size()), 16);
    TCanvas& c = bitmap.Canvas();
    c.Brush.SetColor(kMagenta);
    c.FillRect(TRect{0, 0, bitmap.Width(), 16});
    int x = 0;
    for (TColor colour : colours) {
      c.Brush.SetColor(colour);
      c.FillRect(TRect{x + 4, 4, x + 12, 12});
      x += 16;
    }
  }

  std::unique_ptr<platform::Surface> Shot() { return env_.windows().Render(bar_->Handle()); }
  // The colour at the middle of a pane's picture, which is drawn at (4, 2).
  TColor PictureCentre(TControl& pane) { return Shot()->GetPixelAt(pane.Left() + 4 + 8, 2 + 8); }

  testing::HeadlessApp env_;
  TForm* form_ = nullptr;
  TVmStatusBar* bar_ = nullptr;
};

TEST_F(StatusPanes, GlyphCellsFollowTheBitmapsShape) {
  auto* pane = AddPane<TVmGlyphStatus>(40);
  TBitmap glyph;
  glyph.SetSize(64, 16);
  pane->SetGlyph(glyph);
  EXPECT_EQ(pane->NumGlyphs(), 4);
  glyph.SetSize(80, 16);  // five cells are too many: one picture
  pane->SetGlyph(glyph);
  EXPECT_EQ(pane->NumGlyphs(), 1);
  pane->SetNumGlyphs(2);
  glyph.SetSize(50, 16);  // not whole cells: left as it was
  pane->SetGlyph(glyph);
  EXPECT_EQ(pane->NumGlyphs(), 2);
  EXPECT_EQ(pane->GetGlyphSize(), (TSize{25, 16}));
}

TEST_F(StatusPanes, ADisabledGlyphPaneShowsTheSecondCellOnlyWithTwoCells) {
  auto* pane = AddPane<TVmGlyphStatus>(40);
  form_->Show();
  TBitmap glyph;
  FillCells(glyph, {kRed, kBlue});
  pane->SetGlyph(glyph);
  ASSERT_EQ(pane->NumGlyphs(), 2);
  EXPECT_EQ(PictureCentre(*pane), kRed);
  // The transparent border lets the bar show through.
  EXPECT_EQ(Shot()->GetPixelAt(pane->Left() + 5, 3), ColorToRGB(clBtnFace));
  pane->SetEnabled(false);
  EXPECT_EQ(PictureCentre(*pane), kBlue);
  pane->SetNumGlyphs(1);
  EXPECT_EQ(PictureCentre(*pane), kRed);
}

TEST_F(StatusPanes, ImagePanesGreyOrShowTheDisabledImageAndFallBackToTheGlyph) {
  TImageList images(form_, 16, 16);
  for (TColor colour : {kRed, kGreen, kGreen, kBlue}) {
    TBitmap picture;
    FillCells(picture, {colour});
    images.AddMasked(picture, kMagenta);
  }
  auto* pane = AddPane<TVmGlyphStatus>(40);
  TBitmap glyph;
  FillCells(glyph, {kGreen});
  pane->SetGlyph(glyph);
  pane->SetImages(&images);
  form_->Show();
  // Without an image index the pane's own glyph shows.
  EXPECT_EQ(PictureCentre(*pane), kGreen);
  pane->SetImageIndex(0);
  EXPECT_EQ(PictureCentre(*pane), kRed);
  pane->SetEnabled(false);
  EXPECT_EQ(PictureCentre(*pane), ColorToRGB(clBtnShadow));  // greyed by the list
  pane->SetDisabledIndex(3);
  EXPECT_EQ(PictureCentre(*pane), kBlue);
}

TEST_F(StatusPanes, AnImageListGoneLeavesNoDanglingPicture) {
  auto* images = new TImageList(form_, 16, 16);
  TBitmap picture;
  FillCells(picture, {kRed});
  images->AddMasked(picture, kMagenta);
  auto* pane = AddPane<TVmGlyphStatus>(40);
  pane->SetImages(images);
  pane->SetImageIndex(0);
  form_->Show();
  ASSERT_EQ(PictureCentre(*pane), kRed);
  delete images;
  EXPECT_EQ(pane->Images(), nullptr);
  EXPECT_EQ(PictureCentre(*pane), ColorToRGB(clBtnFace));
}

TEST_F(StatusPanes, AnAutoSizedGlyphPaneMakesRoomForItsPicture) {
  TImageList images(form_, 16, 16);
  auto* pane = AddPane<TVmGlyphStatus>(21);
  pane->SetImages(&images);
  pane->SetImageIndex(0);
  pane->SetAutoSize(true);
  EXPECT_EQ(pane->Width(), 40 + 2 + 16);
  pane->SetShowGlyph(false);
  EXPECT_EQ(pane->Width(), 40 + 2);
  pane->SetShowGlyph(true);
  pane->SetCaption("Home");
  TBitmap measure(1, 1);
  measure.Canvas().Font.Assign(pane->Font());
  EXPECT_EQ(pane->Width(), 2 + measure.Canvas().TextWidth("Home") + 2 + 6 + 2 + 16);
}

TEST_F(StatusPanes, TheClockDrawsEachNewSecondAtOnceAndNothingForAnUnchangedText) {
  auto* clock = AddPane<TVmClockStatus>(129);
  auto* next = AddPane<TVmStatusPane>(100);
  next->SetCaption("idle");
  form_->Show();
  auto& w = env_.windows();
  w.UpdateNow(bar_->Handle());
  EXPECT_EQ(clock->ClockText(), "2026/3/10 10:00:00");
  EXPECT_EQ(clock->Caption(), clock->ClockText());
  const auto& direct = w.DirectPainted(bar_->Handle());
  // Polls at .750 and .250 past each second: only the second one changes the text.
  const int expected[] = {0, 1, 0, 1};
  int painted = direct.count;
  for (int changes : expected) {
    auto before = Shot();
    w.AdvanceIdle(500);
    EXPECT_EQ(direct.count - painted, changes) << clock->ClockText();
    EXPECT_EQ(w.PendingInvalidations(bar_->Handle()), 0) << clock->ClockText();
    painted = direct.count;
    if (changes == 0) continue;
    // No stale pixel: whatever the new second changed was drawn at once,
    // background and frame included, as a full paint draws it.
    EXPECT_EQ(direct.lastArea, clock->BoundsRect());
    auto after = Shot();
    for (int y = 0; y < bar_->Height(); ++y) {
      for (int x = 0; x < bar_->Width(); ++x) {
        const TColor now = after->GetPixelAt(x, y);
        if (direct.lastArea.Contains(TPoint{x, y})) {
          ASSERT_EQ(direct.last->GetPixelAt(x, y), now) << "(" << x << ", " << y << ")";
        } else {
          ASSERT_EQ(before->GetPixelAt(x, y), now) << "(" << x << ", " << y << ") changed outside";
        }
      }
    }
  }
  EXPECT_EQ(clock->ClockText(), "2026/3/10 10:00:02");
  // A minimised window shows nothing: the change waits, invalid, for its restoring.
  w.Show(form_->Handle(), platform::ShowCommand::Minimize);
  w.AdvanceIdle(1000);
  EXPECT_EQ(clock->ClockText(), "2026/3/10 10:00:03");
  EXPECT_EQ(direct.count, painted);
  EXPECT_TRUE(w.InvalidBounds(bar_->Handle()).Contains(TPoint{clock->Left() + 10, 9}));
}

TEST_F(StatusPanes, TheClockShowsTheDateAloneInTheFirstSecondAfterMidnight) {
  auto* clock = AddPane<TVmClockStatus>(129);
  form_->Show();
  env_.clock().Set(platform::LocalTime{2026, 12, 31, 23, 59, 59, 600});
  env_.windows().AdvanceIdle(500);
  EXPECT_EQ(clock->ClockText(), "2027/1/1");
  env_.windows().AdvanceIdle(500);
  EXPECT_EQ(clock->ClockText(), "2027/1/1");
  env_.windows().AdvanceIdle(500);
  EXPECT_EQ(clock->ClockText(), "2027/1/1 00:00:01");
}

TEST_F(StatusPanes, AFormatAndTheDateTimeEventShapeTheClockText) {
  auto* clock = AddPane<TVmClockStatus>(129);
  clock->SetFormat("HH:mm");
  EXPECT_EQ(clock->ClockText(), "10:00");
  clock->SetOnGetDateTime(TVmGetDateTimeEvent([](TObject*, TDateTime& moment) { moment += 1.0 / 24; }));
  env_.windows().AdvanceIdle(500);
  EXPECT_EQ(clock->ClockText(), "11:00");
}

TEST_F(StatusPanes, AHiddenClockIsNotUpdatedUntilTheNextTickAfterShowing) {
  auto* clock = AddPane<TVmClockStatus>(129);
  int polls = 0;
  clock->SetOnTimerExpired(TNotifyEvent([&](TObject*) { ++polls; }));
  form_->Show();
  clock->Hide();
  env_.windows().AdvanceIdle(3000);
  EXPECT_EQ(polls, 0);
  EXPECT_EQ(clock->ClockText(), "2026/3/10 10:00:00");
  clock->Show();
  EXPECT_EQ(clock->ClockText(), "2026/3/10 10:00:00");
  env_.windows().AdvanceIdle(500);
  EXPECT_EQ(polls, 1);
  EXPECT_EQ(clock->ClockText(), "2026/3/10 10:00:03");
}

TEST_F(StatusPanes, NoPollTicksWhileNoClockIsSeenAndAClockShownAgainIsCurrent) {
  auto* clock = AddPane<TVmClockStatus>(129);
  form_->Show();
  auto& w = env_.windows();
  w.UpdateNow(bar_->Handle());
  EXPECT_EQ(w.LiveTimerCount(), 1u);
  // Hidden (as in the tray), the first tick that finds no clock to be seen
  // stops the timer; the panes still call it active.
  form_->Hide();
  w.AdvanceIdle(500);
  EXPECT_EQ(w.LiveTimerCount(), 0u);
  EXPECT_TRUE(clock->Active());
  w.AdvanceIdle(10250);
  // Shown at 10:00:11.000 (and so painted): with the text of the last tick
  // that would have come (10:00:10.750), and ticking on in step.
  form_->Show();
  w.Render(form_->Handle());
  EXPECT_EQ(clock->ClockText(), "2026/3/10 10:00:10");
  EXPECT_EQ(w.LiveTimerCount(), 1u);
  w.AdvanceIdle(249);
  EXPECT_EQ(clock->ClockText(), "2026/3/10 10:00:10");
  w.AdvanceIdle(1);
  EXPECT_EQ(clock->ClockText(), "2026/3/10 10:00:11");
}

TEST_F(StatusPanes, OneIntervalChangeSlowsEveryPollingPane) {
  auto* clock = AddPane<TVmClockStatus>(129);
  auto* other = AddPane<TVmPollingStatus>(50);
  int polls = 0;
  other->SetOnTimerExpired(TNotifyEvent([&](TObject*) { ++polls; }));
  EXPECT_EQ(other->Interval(), 500u);
  clock->SetInterval(1000);
  EXPECT_EQ(other->Interval(), 1000u);
  env_.windows().AdvanceIdle(3000);
  EXPECT_EQ(polls, 3);
  other->SetActive(false);
  EXPECT_FALSE(clock->Active());
  env_.windows().AdvanceIdle(3000);
  EXPECT_EQ(polls, 3);
  // The list goes with its last pane; a new pane starts one with the defaults.
  delete clock;
  delete other;
  EXPECT_EQ(TVmPollingList::Instance(), nullptr);
  auto* again = AddPane<TVmPollingStatus>(50);
  EXPECT_TRUE(again->Active());
  EXPECT_EQ(again->Interval(), 500u);
}

TEST_F(StatusPanes, AnAutoHintPaneShowsTheHintOfTheControlUnderTheMouse) {
  auto* hinted = AddPane<TVmStatusPane>(60);
  hinted->SetHint("帮助");
  auto* pane = AddPane<TVmStatusPane>(100);
  pane->SetAutoHint(true);
  form_->Show();
  auto& w = env_.windows();
  w.MouseMove(hinted->ClientToScreen(TPoint{5, 5}));
  EXPECT_EQ(pane->Caption(), "帮助");
  w.MouseMove(pane->ClientToScreen(TPoint{5, 5}));
  EXPECT_EQ(pane->Caption(), "");
}

}  // namespace
}  // namespace tandrel
