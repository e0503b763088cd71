// Reads what a frame's window and back buffer show, for pixel checks in tests.
#pragma once

#include "gui/CBackBuffer.h"
#include "gui/CFrame.h"
#include "gui/platform/Platform.h"

#include <cstdint>
#include <vector>

// The colour bytes of a pixel, without alpha (a window has none).
inline uint32_t rgb(uint32_t pixel)
{
    return pixel & 0xffffff;
}

inline std::vector<uint32_t> readPixels(CGraphics& context, const CBox& box)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(box.width()) * box.height());
    if (!context.readPixels(box, pixels.data()))
        pixels.clear();
    return pixels;
}

// What the frame's window shows in box.
inline std::vector<uint32_t> windowPixels(CFrame& frame, const CBox& box)
{
    CGraphics window(&frame);
    return readPixels(window, box);
}

// Delivers every paint the system has waiting, as a message loop would.
inline int paintPendingWindows()
{
    int paints = 0;
    while (platform::dispatchOnePendingPaint())
        ++paints;
    return paints;
}
