#include "tests/gui/scene/SceneImage.h"

#include <png.h>

#include <cstring>

SceneImage SceneImage::fromPixels(const std::vector<uint32_t>& pixels, int32_t width, int32_t height)
{
    SceneImage image;
    image.width = width;
    image.height = height;
    for (const uint32_t pixel : pixels) {
        image.rgb.push_back(static_cast<uint8_t>(pixel >> 16));
        image.rgb.push_back(static_cast<uint8_t>(pixel >> 8));
        image.rgb.push_back(static_cast<uint8_t>(pixel));
    }
    return image;
}

uint32_t SceneImage::at(int32_t x, int32_t y) const
{
    const uint8_t* pixel = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return (static_cast<uint32_t>(pixel[0]) << 16) | (static_cast<uint32_t>(pixel[1]) << 8) | pixel[2];
}

bool SceneImage::save(const std::string& path) const
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

bool SceneImage::load(const std::string& path)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_RGB;
    rgb.assign(PNG_IMAGE_SIZE(image), 0);
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    width = static_cast<int32_t>(image.width);
    height = static_cast<int32_t>(image.height);
    return true;
}
