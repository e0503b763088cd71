#include "gui/CImage.h"

#include "gui/CGraphics.h"
#include "gui/PngDecoder.h"
#include "gui/platform/Platform.h"

namespace {

// Makes the platform image as soon as the decoder knows the size.
class NativeImageDestination : public PngDecoder::Destination {
public:
    PixelRows allocate(int32_t imageWidth, int32_t imageHeight) override
    {
        PixelRows rows;
        image = drawing::createImage(imageWidth, imageHeight, rows);
        if (image) {
            width = imageWidth;
            height = imageHeight;
        }
        return rows;
    }

    NativeImage* image = nullptr;
    int32_t width = 0;
    int32_t height = 0;
};

}  // namespace

CImage::CImage(int32_t resourceId)
{
    loadResource(resourceId);
    keyColor_ = {255, 255, 255, 0};
}

CImage::~CImage()
{
    freeBitmaps();
}

bool CImage::loadResource(int32_t id)
{
    const ResourceBytes resource = platform::findResource(id);
    if (resource.data)
        return loadPng(resource.data, resource.size);
    freeBitmaps();
    int32_t bitmapWidth = 0;
    int32_t bitmapHeight = 0;
    bitmap_ = drawing::loadBitmapResource(id, bitmapWidth, bitmapHeight);
    if (!bitmap_)
        return false;
    width_ = bitmapWidth;
    height_ = bitmapHeight;
    withoutAlpha_ = true;
    return true;
}

bool CImage::loadFromPath(const char*)
{
    freeBitmaps();
    return false;
}

bool CImage::loadPng(const uint8_t* data, size_t size)
{
    freeBitmaps();
    NativeImageDestination destination;
    if (!PngDecoder::decode(data, size, destination)) {
        drawing::destroyImage(destination.image);
        return false;
    }
    bitmap_ = destination.image;
    width_ = destination.width;
    height_ = destination.height;
    return true;
}

void CImage::draw(CGraphics* context, const CBox& box, CPos offset) const
{
    if (!withoutAlpha_)
        drawBlended(context, box, offset, 255);
    else if (bitmap_ && context)
        context->copyImage(bitmap_, box, offset);
}

void CImage::drawKeyed(CGraphics* context, const CBox& box, CPos offset) const
{
    if (!withoutAlpha_)
        drawBlended(context, box, offset, 255);
    else if (bitmap_ && context)
        context->copyImage(bitmap_, box, offset, &keyColor_);
}

void CImage::drawBlended(CGraphics* context, const CBox& box, CPos offset, uint8_t alpha) const
{
    if (bitmap_ && context)
        context->drawImage(bitmap_, box, offset, alpha);
}

void CImage::freeBitmaps()
{
    drawing::destroyImage(bitmap_);
    bitmap_ = nullptr;
    width_ = 0;
    height_ = 0;
    withoutAlpha_ = false;
}
