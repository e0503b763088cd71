// Writes pictures as 8-bit RGB PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace PngFile {

// pixels: 0x..RRGGBB, top row first; the top byte is ignored. Throws HostError.
void writeRgb(const std::string& path, const std::vector<uint32_t>& pixels, int32_t width, int32_t height);

}  // namespace PngFile
