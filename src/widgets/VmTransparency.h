// Transparency support: a control that shows its parent through itself has
// the parent paint into its own canvas first, and a container whose look
// changes asks its transparent children to repaint.
#pragma once

#include "framework/Canvas.h"
#include "framework/Control.h"
#include "framework/WinControl.h"

namespace tandrel {

// Paints the parent's background and face (its erase, then its paint, as
// for WM_ERASEBKGND and WM_PAINT) into `canvas`, which draws on the
// control, clipped to the parent's client area; the canvas's device state
// is restored afterwards. With invalidateParent, a parent that is neither a
// custom-drawn control nor a form is invalidated as well. Nothing happens
// for a control without a parent.
void PaintParentBackground(TControl& control, TCanvas& canvas, bool invalidateParent);

// Invalidates, in index order, every child whose Transparent() is true.
void InvalidateTransparentChildren(TWinControl& container);

}  // namespace tandrel
