// A PNG image from the module's resources (or from bytes), decoded once into the platform's
// premultiplied format and drawn with per-pixel alpha over what is already there; where the
// module has no PNG of that id but a bitmap (BMP) resource, an image without alpha, drawn by
// copying. An image that failed to load is 0 x 0 and draws nothing. Created with one
// reference; every view that shows it retains it.
#pragma once

#include "gui/CBox.h"
#include "gui/CRefCounted.h"
#include "gui/CRgba.h"

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

    // Replaces the image by the PNG resource with this id, or else the bitmap resource; false
    // leaves it 0 x 0.
    bool loadResource(int32_t id);
    // Images come from the module, never from a file: this only empties the image.
    bool loadFromPath(const char* path);
    // Makes the image 0 x 0.
    void freeBitmaps();
    // Replaces the image by the PNG in these bytes; false leaves it 0 x 0.
    bool loadPng(const uint8_t* data, size_t size);

    int32_t getWidth() const { return width_; }
    int32_t getHeight() const { return height_; }
    // True for an image from a bitmap resource (and for one never loaded).
    bool withoutAlpha() const { return withoutAlpha_; }
    // The colour drawKeyed leaves out of an image without alpha; its alpha is not compared.
    CRgba getKeyColor() const { return keyColor_; }
    void setKeyColor(CRgba colour) { keyColor_ = colour; }

    // Blends the box-sized block at offset in the image onto box in the context; an image
    // without alpha is copied instead.
    void draw(CGraphics* context, const CBox& box, CPos offset = CPos()) const;
    // As draw, except that an image without alpha leaves out its pixels of the key colour.
    void drawKeyed(CGraphics* context, const CBox& box, CPos offset = CPos()) const;
    // The same with every pixel first scaled by alpha / 255: 0 leaves the context as it was.
    void drawBlended(CGraphics* context, const CBox& box, CPos offset, uint8_t alpha) const;

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    CRgba keyColor_ = {255, 255, 255, 0};
    bool withoutAlpha_ = true;
    NativeImage* bitmap_ = nullptr;  // null while 0 x 0
};
