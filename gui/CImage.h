// A PNG image from the module's resources (or from bytes), decoded once into the platform's
// premultiplied format and drawn with per-pixel alpha over what is already there. An image
// that failed to load is 0 x 0 and draws nothing. Created with one reference; every view
// that shows it retains it.
#pragma once

#include "gui/CBox.h"
#include "gui/CRefCounted.h"

#include <cstddef>
#include <cstdint>

class CGraphics;
struct NativeImage;

class CImage : public CRefCounted {
public:
    // An empty image, for loadPng.
    CImage() = default;
    // Loads the PNG resource with this id.
    explicit CImage(int32_t resourceId);
    ~CImage() override;

    // Replaces the image by the PNG resource with this id; false leaves it 0 x 0.
    bool loadResource(int32_t id);
    // Replaces the image by the PNG in these bytes; false leaves it 0 x 0.
    bool loadPng(const uint8_t* data, size_t size);

    int32_t getWidth() const { return width_; }
    int32_t getHeight() const { return height_; }

    // Blends the box-sized block at offset in the image onto box in the context.
    void draw(CGraphics* context, const CBox& box, CPos offset = CPos()) const;
    // The same with every pixel first scaled by alpha / 255: 0 leaves the context as it was.
    void drawBlended(CGraphics* context, const CBox& box, CPos offset, uint8_t alpha) const;

private:
    void freeBitmap();

    int32_t width_ = 0;
    int32_t height_ = 0;
    NativeImage* bitmap_ = nullptr;  // null while 0 x 0
};
