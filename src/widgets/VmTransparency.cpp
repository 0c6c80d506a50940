// Parent-background painting and repainting of transparent children.
#include "widgets/VmTransparency.h"

#include "framework/Form.h"
#include "framework/Label.h"

namespace tandrel {
namespace {

// Reaches the parent's own erase and paint handlers, as a message sent to
// it with our device context would.
class ParentPainting final : public TWinControl {
 public:
  static void EraseAndPaint(TWinControl& parent, platform::Surface& surface, const TRect& area) {
    auto erase = &ParentPainting::WindowEraseBackground;
    auto paint = &ParentPainting::WindowPaint;
    (parent.*erase)(surface);
    (parent.*paint)(surface, area);
  }
};

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
    ParentPainting::EraseAndPaint(*parent, *surface, client);
  }
  if (invalidateParent && dynamic_cast<TCustomControl*>(parent) == nullptr &&
      dynamic_cast<TCustomForm*>(parent) == nullptr) {
    parent->Invalidate();
  }
}

void InvalidateTransparentChildren(TWinControl& container) {
  for (int i = 0; i < container.ControlCount(); ++i) {
    TControl* child = container.Controls(i);
    const auto* widget = dynamic_cast<const IVmTransparent*>(child);
    const auto* label = dynamic_cast<const TLabel*>(child);
    if ((widget != nullptr && widget->Transparent()) || (label != nullptr && label->Transparent())) {
      child->Invalidate();
    }
  }
}

}  // namespace tandrel
