// The software platform's drawing target and image: pixel maps in memory, shared with the
// window side (which makes surfaces over its own pixels).
#pragma once

#include "gui/platform/software/PixelMap.h"
#include "gui/platform/software/SoftwareCanvas.h"

#include <cstdint>
#include <vector>

// Told when a surface over its pixels is destroyed: a window that shows its pixels through a
// window system presents what was drawn then.
class SurfaceOwner {
public:
    virtual ~SurfaceOwner() = default;
    virtual void surfaceReleased() = 0;
};

struct NativeSurface {
    // Over pixels kept elsewhere (a window's); owner, if any, hears of the surface's end.
    explicit NativeSurface(const PixelMap& pixels, SurfaceOwner* pixelsOwner = nullptr)
        : canvas(pixels)
        , owner(pixelsOwner)
    {
    }

    SoftwareCanvas canvas;
    std::vector<uint32_t> storage;  // the pixels, when the surface owns them
    SurfaceOwner* owner;
};

struct NativeImage {
    PixelMap pixels;
    std::vector<uint32_t> storage;
};

namespace software {
// A surface with pixels of its own, all 0; null when memory is short.
NativeSurface* createOwningSurface(int32_t width, int32_t height);
}  // namespace software
