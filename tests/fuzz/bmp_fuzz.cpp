// Reading .bmp data: any input is either refused, leaving the bitmap as it
// was, or gives a bitmap of the size its header states.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "framework/Bitmap.h"
#include "platform/headless/HeadlessPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tandrel::platform::HeadlessPlatform platform;
  tandrel::platform::Install(&platform);
  tandrel::TBitmap bitmap(3, 2);
  bitmap.Canvas().SetPixels(0, 0, tandrel::clRed);
  const std::span<const std::uint8_t> bytes(data, size);
  if (!bitmap.LoadFromBmp(bytes)) {
    if (bitmap.Width() != 3 || bitmap.Height() != 2 ||
        bitmap.Canvas().Pixels(0, 0) != tandrel::clRed) {
      std::abort();
    }
    return 0;
  }
  const int width = static_cast<int>(bytes[18] | (bytes[19] << 8) | (bytes[20] << 16) |
                                     (static_cast<unsigned>(bytes[21]) << 24));
  if (bitmap.Width() != width || bitmap.Height() <= 0 || bitmap.Empty()) std::abort();
  // Every pixel can be read back.
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (bitmap.Canvas().Pixels(x, y) == tandrel::clNone) std::abort();
    }
  }
  return 0;
}
