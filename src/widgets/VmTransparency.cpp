// Parent-background painting and repainting of transparent children.
#include "widgets/VmTransparency.h"

#include "framework/Form.h"

namespace tandrel {
namespace {

// Restores the canvas's saved device state on every path.
class SavedCanvasState {
 public:
  explicit SavedCanvasState(TCanvas& canvas) : canvas_(canvas), id_(canvas.SaveState()) {}
  ~SavedCanvasState() { canvas_.RestoreState(id_); }
  SavedCanvasState(const SavedCanvasState&) = delete;
  SavedCanvasState& operator=(const SavedCanvasState&) = delete;

 private:
  TCanvas& canvas_;
  int id_;
};

}  // namespace

void PaintParentBackground(TControl& control, TCanvas& canvas, bool invalidateParent) {
  TWinControl* parent = control.Parent();
  if (parent == nullptr) return;
  platform::Surface* surface = canvas.Surface();
  if (surface != nullptr) {
    SavedCanvasState saved(canvas);
    canvas.OffsetViewportOrigin(-control.Left(), -control.Top());
    const TRect client{0, 0, parent->ClientWidth(), parent->ClientHeight()};
    canvas.IntersectClipRect(client);
    // The parent paints with tools of its own, so the caller's pen, brush
    // and font stay as they were.
    TCanvas parentCanvas(surface);
    parent->PaintBackgroundInto(parentCanvas);
  }
  if (invalidateParent && As<TCustomControl>(parent) == nullptr &&
      As<TCustomForm>(parent) == nullptr) {
    parent->Invalidate();
  }
}

void InvalidateTransparentChildren(TWinControl& container) {
  for (int i = 0; i < container.ControlCount(); ++i) {
    TControl* child = container.Controls(i);
    if (child->Transparent()) child->Invalidate();
  }
}

}  // namespace tandrel
