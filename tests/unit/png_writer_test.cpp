// The PNG writer's output decodes back to the surface's pixels: chunk CRCs,
// the zlib stream of stored blocks and its Adler-32 all check out.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/PngWriter.h"
#include "platform/headless/RasterSurface.h"

namespace tandrel::platform {
namespace {

std::uint32_t Be32(const std::vector<std::uint8_t>& d, std::size_t at) {
  return (std::uint32_t{d[at]} << 24) | (std::uint32_t{d[at + 1]} << 16) |
         (std::uint32_t{d[at + 2]} << 8) | std::uint32_t{d[at + 3]};
}

struct Decoded {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint8_t> raw;  // filter byte + RGB per row
};

// A decoder for exactly what the writer produces; fails the test on any flaw.
Decoded Decode(const std::vector<std::uint8_t>& png) {
  Decoded out;
  const std::vector<std::uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
  std::vector<std::uint8_t> zlib;
  std::size_t at = 8;
  bool sawEnd = false;
  while (at + 12 <= png.size()) {
    const std::uint32_t length = Be32(png, at);
    const std::string type(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                           png.begin() + static_cast<std::ptrdiff_t>(at + 8));
    EXPECT_LE(at + 12 + length, png.size());
    EXPECT_EQ(Crc32(png.data() + at + 4, length + 4), Be32(png, at + 8 + length)) << type;
    const auto data = png.begin() + static_cast<std::ptrdiff_t>(at + 8);
    if (type == "IHDR") {
      const std::vector<std::uint8_t> h(data, data + length);
      out.width = Be32(h, 0);
      out.height = Be32(h, 4);
      EXPECT_EQ(h[8], 8);  // bit depth
      EXPECT_EQ(h[9], 2);  // RGB
    } else if (type == "IDAT") {
      zlib.insert(zlib.end(), data, data + length);
    } else if (type == "IEND") {
      sawEnd = true;
    }
    at += 12 + length;
  }
  EXPECT_TRUE(sawEnd);
  EXPECT_EQ(at, png.size());
  // zlib: header, stored blocks, Adler-32 of the data.
  EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0);
  std::size_t z = 2;
  bool final = false;
  while (!final && z + 5 <= zlib.size()) {
    final = (zlib[z] & 1) != 0;
    EXPECT_EQ(zlib[z] & 6, 0);  // stored
    const unsigned len = zlib[z + 1] | (zlib[z + 2] << 8);
    const unsigned nlen = zlib[z + 3] | (zlib[z + 4] << 8);
    EXPECT_EQ(len ^ 0xFFFFu, nlen);
    out.raw.insert(out.raw.end(), zlib.begin() + static_cast<std::ptrdiff_t>(z + 5),
                   zlib.begin() + static_cast<std::ptrdiff_t>(z + 5 + len));
    z += 5 + len;
  }
  EXPECT_TRUE(final);
  EXPECT_EQ(Be32(zlib, z), Adler32(out.raw.data(), out.raw.size()));
  EXPECT_EQ(z + 4, zlib.size());
  return out;
}

TEST(PngWriter, ChecksumsMatchPublishedValues) {
  const std::string text = "123456789";
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  EXPECT_EQ(Crc32(bytes, text.size()), 0xCBF43926u);
  const std::string wiki = "Wikipedia";
  EXPECT_EQ(Adler32(reinterpret_cast<const std::uint8_t*>(wiki.data()), wiki.size()),
            0x11E60398u);
}

TEST(PngWriter, SmallAndMultiBlockPicturesDecodeToTheirPixels) {
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{3, 2}, {200, 120}}) {
    RasterSurface s(w, h, false, clBlack);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) s.SetRawPixel(x, y, RGB(x * 7, y * 3, x ^ y));
    }
    const Decoded d = Decode(EncodePng(s));
    ASSERT_EQ(d.width, static_cast<std::uint32_t>(w));
    ASSERT_EQ(d.height, static_cast<std::uint32_t>(h));
    ASSERT_EQ(d.raw.size(), static_cast<std::size_t>(h) * (1 + 3 * static_cast<std::size_t>(w)));
    for (int y = 0; y < h; ++y) {
      const std::size_t row = static_cast<std::size_t>(y) * (1 + 3 * static_cast<std::size_t>(w));
      EXPECT_EQ(d.raw[row], 0);
      for (int x = 0; x < w; ++x) {
        const std::size_t p = row + 1 + 3 * static_cast<std::size_t>(x);
        const TColor c = s.RawPixel(x, y);
        ASSERT_EQ(d.raw[p], GetRValue(c));
        ASSERT_EQ(d.raw[p + 1], GetGValue(c));
        ASSERT_EQ(d.raw[p + 2], GetBValue(c));
      }
    }
  }
}

}  // namespace
}  // namespace tandrel::platform
