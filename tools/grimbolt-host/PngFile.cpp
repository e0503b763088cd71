#include "tools/grimbolt-host/PngFile.h"

#include "tools/hostkit/HostError.h"

#include <png.h>

#include <cstring>

void PngFile::writeRgb(
    const std::string& path, const std::vector<uint32_t>& pixels, int32_t width, int32_t height)
{
    std::vector<uint8_t> rgb;
    rgb.reserve(pixels.size() * 3);
    for (const uint32_t pixel : pixels) {
        rgb.push_back(static_cast<uint8_t>(pixel >> 16));
        rgb.push_back(static_cast<uint8_t>(pixel >> 8));
        rgb.push_back(static_cast<uint8_t>(pixel));
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr))
        throw HostError("cannot write " + path);
}
