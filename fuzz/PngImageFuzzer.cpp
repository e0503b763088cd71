// Images: the input is a PNG resource as it could arrive from a damaged or hostile file,
// decoded by CImage's loader and drawn into a frame's back buffer at places that reach past
// both the image and the buffer. Besides crashes, sanitizer reports, leaks and timeouts, the
// oracle stops on a failed load that leaves a non-empty image and on a load that reports
// success with an empty one.
#include "gui/CBackBuffer.h"
#include "gui/CFrame.h"
#include "gui/CImage.h"

#include <cstddef>
#include <cstdint>

namespace {
constexpr int32_t kBufferSize = 64;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto* frame = new CFrame(CBox(0, 0, kBufferSize, kBufferSize), nullptr, nullptr);
    CBackBuffer* buffer = frame->getBackBuffer();
    auto* image = new CImage;
    const bool loaded = image->loadPng(data, size);
    const int32_t width = image->getWidth();
    const int32_t height = image->getHeight();
    if (loaded != (width > 0 && height > 0))
        __builtin_trap();
    if (buffer) {
        image->draw(buffer, CBox(0, 0, kBufferSize, kBufferSize));
        image->draw(buffer, CBox(-7, 5, kBufferSize + 9, 40), CPos(width / 2, height - 3));
        image->draw(buffer, CBox(30, -4, 31, kBufferSize + 4), CPos(width - 1, 0));
    }
    image->release();
    frame->release();
    return 0;
}
