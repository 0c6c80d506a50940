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
// with `name`.ppm in $TANDREL_CANVAS_REFERENCE_DIR when that folder is set
// and exists. False, with `problem` saying why, when writing fails, the
// reference picture is missing or the pictures differ.
bool DumpAndCompare(platform::Surface& surface, const std::string& name, std::string& problem);

// The reference folder is named but does not exist (the native tests have
// not run): comparisons are left out, which a test may report as a skip.
bool ReferencePicturesMissing();

}  // namespace tandrel::contract
