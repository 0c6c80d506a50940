// TBitmap::LoadFromBmp: uncompressed Windows .bmp images, checked against
// every size field so that damaged data is refused, not read past.
#include <array>
#include <cstdint>
#include <vector>

#include "framework/Bitmap.h"

namespace tandrel {
namespace {

std::uint32_t Le32(std::span<const std::uint8_t> d, std::size_t at) {
  return static_cast<std::uint32_t>(d[at]) | (static_cast<std::uint32_t>(d[at + 1]) << 8) |
         (static_cast<std::uint32_t>(d[at + 2]) << 16) |
         (static_cast<std::uint32_t>(d[at + 3]) << 24);
}

std::uint16_t Le16(std::span<const std::uint8_t> d, std::size_t at) {
  return static_cast<std::uint16_t>(d[at] | (d[at + 1] << 8));
}

struct BmpImage {
  int width = 0;
  int height = 0;
  bool monochrome = false;
  std::vector<TColor> pixels;  // top-down, RGB
};

bool ParseBmp(std::span<const std::uint8_t> data, BmpImage& image) {
  constexpr std::size_t kFileHeader = 14;
  if (data.size() < kFileHeader + 40 || data[0] != 'B' || data[1] != 'M') return false;
  const std::uint32_t pixelOffset = Le32(data, 10);
  const std::uint32_t infoSize = Le32(data, kFileHeader);
  if (infoSize < 40 || kFileHeader + infoSize > data.size()) return false;
  const auto width = static_cast<std::int32_t>(Le32(data, kFileHeader + 4));
  const auto rawHeight = static_cast<std::int32_t>(Le32(data, kFileHeader + 8));
  const std::uint16_t bits = Le16(data, kFileHeader + 14);
  const std::uint32_t compression = Le32(data, kFileHeader + 16);
  std::uint32_t colorsUsed = Le32(data, kFileHeader + 32);
  if (width <= 0 || width > 16384 || rawHeight == 0 || rawHeight < -16384 || rawHeight > 16384) {
    return false;
  }
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  // BI_RGB, or BI_BITFIELDS with the usual 32-bit layout.
  if (compression != 0 && !(compression == 3 && bits == 32)) return false;

  std::vector<TColor> palette;
  if (bits <= 8) {
    const std::uint32_t maxColors = 1u << bits;
    if (colorsUsed == 0 || colorsUsed > maxColors) colorsUsed = maxColors;
    const std::size_t paletteAt = kFileHeader + infoSize;
    if (paletteAt + 4u * colorsUsed > data.size()) return false;
    for (std::uint32_t i = 0; i < colorsUsed; ++i) {
      const std::size_t at = paletteAt + 4u * i;
      palette.push_back(RGB(data[at + 2], data[at + 1], data[at]));
    }
  }
  const std::size_t stride =
      ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  if (pixelOffset > data.size() ||
      stride * static_cast<std::size_t>(height) > data.size() - pixelOffset) {
    return false;
  }
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    const std::size_t rowAt = pixelOffset + stride * static_cast<std::size_t>(row);
    for (int x = 0; x < width; ++x) {
      TColor color = clBlack;
      const auto ux = static_cast<std::size_t>(x);
      if (bits == 24 || bits == 32) {
        const std::size_t at = rowAt + ux * (bits / 8);
        color = RGB(data[at + 2], data[at + 1], data[at]);
      } else {
        const std::size_t bitIndex = ux * bits;
        const std::uint8_t byte = data[rowAt + bitIndex / 8];
        const unsigned shift = 8 - bits - static_cast<unsigned>(bitIndex % 8);
        const unsigned index = (byte >> shift) & ((1u << bits) - 1);
        if (index < palette.size()) color = palette[index];
      }
      image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + ux] = color;
    }
  }
  // Two-colour black-and-white images load as monochrome bitmaps.
  image.monochrome = bits == 1 && palette.size() == 2 &&
                     ((palette[0] == clBlack && palette[1] == clWhite) ||
                      (palette[0] == clWhite && palette[1] == clBlack));
  return true;
}

}  // namespace

bool TBitmap::LoadFromBmp(std::span<const std::uint8_t> data) {
  BmpImage image;
  if (!ParseBmp(data, image)) return false;
  surface_.reset();
  width_ = 0;
  height_ = 0;
  Reallocate(image.width, image.height, image.monochrome);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      surface_->SetPixelAt(
          x, y, image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                             static_cast<std::size_t>(x)]);
    }
  }
  Changed();
  return true;
}

}  // namespace tandrel
