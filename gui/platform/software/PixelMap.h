// A view of 32-bit premultiplied pixels (0xAARRGGBB): where the top row starts, the size,
// and the distance between rows in pixels. Sub-rectangles are views, not copies.
#pragma once

#include <cstdint>

struct PixelMap {
    uint32_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;

    uint32_t* row(int32_t y) const { return pixels + static_cast<intptr_t>(y) * stride; }
    uint32_t& at(int32_t x, int32_t y) const { return row(y)[x]; }
};
