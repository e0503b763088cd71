// The software platform's drawing target and image: pixel maps in memory, shared with the
// window side (which makes surfaces over its own pixels).
#pragma once

#include "gui/platform/software/PixelMap.h"
#include "gui/platform/software/SoftwareCanvas.h"

#include <cstdint>
#include <vector>

struct NativeSurface {
    // Over pixels kept elsewhere (a window's).
    explicit NativeSurface(const PixelMap& pixels)
        : canvas(pixels)
    {
    }

    SoftwareCanvas canvas;
    std::vector<uint32_t> storage;  // the pixels, when the surface owns them
};

struct NativeImage {
    PixelMap pixels;
    std::vector<uint32_t> storage;
};

namespace software {
// A surface with pixels of its own, all 0; null when memory is short.
NativeSurface* createOwningSurface(int32_t width, int32_t height);
}  // namespace software
