// Writes a surface as a PNG file (8-bit RGB, stored deflate blocks),
// with the standard library only, so that a test can leave a picture that a
// person can open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tandrel::platform {

class Surface;

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size);

// The device pixels of `surface`, whatever its clip and viewport.
std::vector<std::uint8_t> EncodePng(const Surface& surface);
// Returns false when the file cannot be written.
bool WritePng(const Surface& surface, const std::string& path);

}  // namespace tandrel::platform
