// An offscreen drawing context the size of a frame (or any size), like the frame's window,
// filled with one colour when made. The frame draws everything here and copies it to the
// window, so the window never shows a half-drawn state.
#pragma once

#include "gui/CGraphics.h"

class CBackBuffer : public CGraphics {
public:
    // Negative sizes count as their magnitude.
    CBackBuffer(CFrame* frame, int32_t width, int32_t height, CRgba background = kBlackCRgba);

    // False when the system could not make the surface; such a buffer draws nothing.
    bool isValid() const { return surface_ != nullptr; }
    int32_t getWidth() const { return width_; }
    int32_t getHeight() const { return height_; }

private:
    int32_t width_;
    int32_t height_;
};
