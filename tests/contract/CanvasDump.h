// Reading a surface's device pixels and writing them as binary PPM files,
// so that the pictures drawn on two platforms can be compared byte for byte.
#pragma once

#include <string>

#include "platform/Surface.h"

namespace tandrel::contract {

// The pixel at device (x, y), whatever the surface's clip and viewport.
TColor DevicePixel(platform::Surface& surface, int x, int y);

// The whole surface as a binary PPM (P6).
std::string EncodePpm(platform::Surface& surface);

// Writes `name`.ppm into $TANDREL_CANVAS_DUMP_DIR when set, and compares it
// with `name`.ppm in $TANDREL_CANVAS_REFERENCE_DIR when that is set. False,
// with `problem` saying why, when writing fails or the pictures differ.
bool DumpAndCompare(platform::Surface& surface, const std::string& name, std::string& problem);

}  // namespace tandrel::contract
