#include "gui/CBackBuffer.h"

#include "gui/CFrame.h"
#include "gui/platform/Platform.h"

#include <cstdlib>

namespace {

NativeSurface* createLikeFrameWindow(CFrame* frame, int32_t width, int32_t height)
{
    NativeSurface* window = platform::createWindowSurface(frame ? frame->getPlatformWindow() : nullptr);
    NativeSurface* offscreen = drawing::createOffscreenSurface(window, width, height);
    drawing::destroySurface(window);
    return offscreen;
}

}  // namespace

CBackBuffer::CBackBuffer(CFrame* frame, int32_t width, int32_t height, CRgba background)
    : CGraphics(createLikeFrameWindow(frame, std::abs(width), std::abs(height)),
        frame ? frame->getWindowOrigin() : CPos(), CBox(0, 0, std::abs(width), std::abs(height)))
    , width_(std::abs(width))
    , height_(std::abs(height))
{
    if (surface_)
        drawing::fillRect(surface_, CBox(0, 0, width_, height_), background);
}
