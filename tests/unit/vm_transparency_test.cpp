// Transparent controls: the parent's background and face painted into the
// child's canvas at the child's offset, clipped to the parent, with the
// canvas left as it was; which parents are invalidated as well; and which
// children a container asks to repaint.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "support/HeadlessApp.h"
#include "support/PixelPicture.h"
#include "widgets/VmTransparency.h"

namespace tandrel {
namespace {

using test::Picture;
using test::Rows;

constexpr TColor kParentColor = RGB(0, 0, 200);  // B
constexpr TColor kFace = RGB(200, 0, 0);         // R
constexpr TColor kGraphic = RGB(0, 150, 0);      // G
constexpr TColor kUntouched = RGB(90, 90, 90);   // .

const test::Legend kLegend{{'B', kParentColor}, {'R', kFace}, {'G', kGraphic}, {'.', kUntouched}};

// A windowed parent that is neither a custom-drawn control nor a form; its
// face is a red block.
class PlainParent : public TWinControl {
 public:
  explicit PlainParent(TComponent* owner) : TWinControl(owner) { SetColor(kParentColor); }

 protected:
  void PaintWindow(TCanvas& canvas) override {
    canvas.Brush.SetColor(kFace);
    canvas.FillRect(TRect{4, 2, 7, 4});
  }
};

// A windowless child of the parent, painted by the parent's paint.
class GreenGraphic : public TControl {
 public:
  explicit GreenGraphic(TComponent* owner) : TControl(owner) {}

 protected:
  void Paint(TCanvas& canvas) override {
    canvas.Brush.SetColor(kGraphic);
    canvas.FillRect(TRect{0, 0, Width(), Height()});
  }
};

class Glass : public TCustomControl {
 public:
  explicit Glass(TComponent* owner) : TCustomControl(owner) {}
  bool Transparent() const override { return transparent; }
  bool transparent = true;
};

class Transparency : public ::testing::Test {
 protected:
  Transparency() {
    env_.app().CreateForm(form_);
    form_->SetClientSize(200, 100);
    parent_ = new PlainParent(form_);
    parent_->SetBounds(10, 10, 12, 8);
    parent_->SetParent(form_);
    graphic_ = new GreenGraphic(form_);
    graphic_->SetBounds(8, 5, 2, 2);
    graphic_->SetParent(parent_);
    child_ = new Glass(form_);
    child_->SetBounds(3, 1, 8, 6);
    child_->SetParent(parent_);
    form_->Show();
  }
  ~Transparency() override { bitmap_.reset(); }

  TCanvas& ChildCanvas(int width, int height) {
    bitmap_ = std::make_unique<TBitmap>(width, height);
    bitmap_->Canvas().Brush.SetColor(kUntouched);
    bitmap_->Canvas().FillRect(TRect{0, 0, width, height});
    return bitmap_->Canvas();
  }
  std::string ChildPicture() const {
    return Picture(bitmap_->Canvas(), TRect{0, 0, bitmap_->Width(), bitmap_->Height()}, kLegend);
  }
  int Pending(TWinControl* c) { return env_.windows().PendingInvalidations(c->Handle()); }

  testing::HeadlessApp env_;
  TForm* form_ = nullptr;
  PlainParent* parent_ = nullptr;
  GreenGraphic* graphic_ = nullptr;
  Glass* child_ = nullptr;
  std::unique_ptr<TBitmap> bitmap_;
};

TEST_F(Transparency, TheParentPaintsItselfBehindTheChildAtTheChildsOffset) {
  TCanvas& canvas = ChildCanvas(8, 6);
  PaintParentBackground(*child_, canvas, false);
  // Parent pixels (3..10, 1..6): red at (4..6, 2..3), green at (8..9, 5..6).
  EXPECT_EQ(ChildPicture(), Rows({"BBBBBBBB",
                                  "BRRRBBBB",
                                  "BRRRBBBB",
                                  "BBBBBBBB",
                                  "BBBBBGGB",
                                  "BBBBBGGB"}));
}

TEST_F(Transparency, OnlyTheParentsClientAreaIsPainted) {
  child_->SetBounds(6, 4, 8, 6);  // reaches past the parent's 12 x 8 client area
  TCanvas& canvas = ChildCanvas(8, 6);
  PaintParentBackground(*child_, canvas, false);
  EXPECT_EQ(ChildPicture(), Rows({"BBBBBB..",
                                  "BBGGBB..",
                                  "BBGGBB..",
                                  "BBBBBB..",
                                  "........",
                                  "........"}));
}

TEST_F(Transparency, TheCanvasIsLeftAsItWas) {
  TCanvas& canvas = ChildCanvas(8, 6);
  canvas.Brush.SetColor(RGB(1, 2, 3));
  canvas.Pen.SetColor(RGB(4, 5, 6));
  PaintParentBackground(*child_, canvas, false);
  EXPECT_EQ(canvas.ViewportOrigin(), (TPoint{0, 0}));
  EXPECT_EQ(canvas.Brush.Color(), RGB(1, 2, 3));
  EXPECT_EQ(canvas.Pen.Color(), RGB(4, 5, 6));
  canvas.FillRect(TRect{0, 0, 8, 6});
  EXPECT_EQ(canvas.Pixels(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(canvas.Pixels(7, 5), RGB(1, 2, 3)) << "no clip region is left behind";
}

TEST_F(Transparency, AControlWithoutAParentPaintsNothing) {
  Glass orphan(nullptr);
  orphan.SetBounds(0, 0, 4, 2);
  TCanvas& canvas = ChildCanvas(4, 2);
  PaintParentBackground(orphan, canvas, true);
  EXPECT_EQ(ChildPicture(), Rows({"....", "...."}));
}

TEST_F(Transparency, OnlyAPlainParentIsInvalidatedToo) {
  TCanvas& canvas = ChildCanvas(8, 6);
  const int before = Pending(parent_);
  PaintParentBackground(*child_, canvas, false);
  EXPECT_EQ(Pending(parent_), before);
  PaintParentBackground(*child_, canvas, true);
  EXPECT_EQ(Pending(parent_), before + 1);

  // A form parent is not invalidated, nor is a custom-drawn one.
  Glass* onForm = new Glass(form_);
  onForm->SetBounds(50, 50, 4, 4);
  onForm->SetParent(form_);
  const int formBefore = Pending(form_);
  PaintParentBackground(*onForm, canvas, true);
  EXPECT_EQ(Pending(form_), formBefore);

  Glass* inGlass = new Glass(form_);
  inGlass->SetBounds(1, 1, 2, 2);
  inGlass->SetParent(onForm);
  const int glassBefore = Pending(onForm);
  PaintParentBackground(*inGlass, canvas, true);
  EXPECT_EQ(Pending(onForm), glassBefore);
}

TEST_F(Transparency, ContainersRepaintTheirTransparentChildrenOnly) {
  Glass* clear = child_;
  Glass* opaque = new Glass(form_);
  opaque->transparent = false;
  opaque->SetBounds(0, 0, 2, 2);
  opaque->SetParent(parent_);
  TLabel* label = new TLabel(form_);
  label->SetBounds(0, 6, 3, 2);
  label->SetParent(parent_);

  const int clearBefore = Pending(clear);
  const int opaqueBefore = Pending(opaque);
  const int parentBefore = Pending(parent_);
  InvalidateTransparentChildren(*parent_);
  EXPECT_EQ(Pending(clear), clearBefore + 1);
  EXPECT_EQ(Pending(opaque), opaqueBefore);
  EXPECT_EQ(Pending(parent_), parentBefore) << "an opaque label is left alone";

  label->SetTransparent(true);
  const int afterLabel = Pending(parent_);
  InvalidateTransparentChildren(*parent_);
  EXPECT_EQ(Pending(parent_), afterLabel + 1) << "a transparent label repaints its area";
}

}  // namespace
}  // namespace tandrel
