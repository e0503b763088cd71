// The scene as 8-bit RGB rows, written to and read from PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SceneImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;  // width x height x 3, top row first

    // From 0xAARRGGBB pixels; alpha is dropped, as a window shows none.
    static SceneImage fromPixels(const std::vector<uint32_t>& pixels, int32_t width, int32_t height);
    uint32_t at(int32_t x, int32_t y) const;  // 0xRRGGBB

    bool save(const std::string& path) const;
    bool load(const std::string& path);
};
