// The drawing operations of DrawingBackend.h on pixel maps in memory.
#include "gui/platform/DrawingBackend.h"
#include "gui/platform/software/EmbeddedResources.h"
#include "gui/platform/software/SoftwareSurface.h"
#include "gui/platform/software/SoftwareText.h"

#include <new>
#include <vector>

namespace {

// Brushes and pens draw opaque, whatever the colour's alpha, as GDI's do.
uint32_t opaquePixel(CRgba colour)
{
    return 0xff000000u | (static_cast<uint32_t>(colour.red) << 16)
        | (static_cast<uint32_t>(colour.green) << 8) | colour.blue;
}

// width x height pixels, all 0, kept in storage; an empty map when memory is short.
PixelMap allocatePixels(std::vector<uint32_t>& storage, int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        return PixelMap();
    try {
        storage.assign(static_cast<size_t>(width) * height, 0);
    } catch (const std::bad_alloc&) {
        return PixelMap();
    }
    return PixelMap{storage.data(), width, height, width};
}

uint32_t littleEndian(const uint8_t* bytes, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

// An uncompressed 24- or 32-bit BMP file (the kinds a bitmap resource of ours is) into an
// opaque image; null for anything else.
NativeImage* decodeBmp(const uint8_t* data, size_t size, int32_t& width, int32_t& height)
{
    const size_t kHeaders = 14 + 40;
    if (size < kHeaders || data[0] != 'B' || data[1] != 'M')
        return nullptr;
    const uint32_t pixelsAt = littleEndian(data + 10, 4);
    const auto fileWidth = static_cast<int32_t>(littleEndian(data + 18, 4));
    const auto fileHeight = static_cast<int32_t>(littleEndian(data + 22, 4));
    const uint32_t bits = littleEndian(data + 28, 2);
    const uint32_t compression = littleEndian(data + 30, 4);
    if ((bits != 24 && bits != 32) || compression != 0 || fileWidth <= 0 || fileWidth > 0x4000
        || fileHeight == 0 || fileHeight < -0x4000 || fileHeight > 0x4000)
        return nullptr;
    const int32_t rows = fileHeight < 0 ? -fileHeight : fileHeight;
    const size_t bytesPerPixel = bits / 8;
    const size_t rowBytes = (static_cast<size_t>(fileWidth) * bytesPerPixel + 3) & ~static_cast<size_t>(3);
    if (pixelsAt > size || (size - pixelsAt) / rowBytes < static_cast<size_t>(rows))
        return nullptr;
    PixelRows target;
    NativeImage* image = drawing::createImage(fileWidth, rows, target);
    if (!image)
        return nullptr;
    for (int32_t y = 0; y < rows; ++y) {
        // Positive heights are stored bottom row first.
        const int32_t fileRow = fileHeight > 0 ? rows - 1 - y : y;
        const uint8_t* in = data + pixelsAt + static_cast<size_t>(fileRow) * rowBytes;
        uint32_t* out = target.top + static_cast<intptr_t>(y) * target.stride;
        for (int32_t x = 0; x < fileWidth; ++x, in += bytesPerPixel)
            out[x] = 0xff000000u | littleEndian(in, 3);
    }
    width = fileWidth;
    height = rows;
    return image;
}

}  // namespace

namespace software {

NativeSurface* createOwningSurface(int32_t width, int32_t height)
{
    auto* surface = new (std::nothrow) NativeSurface(PixelMap());
    if (!surface)
        return nullptr;
    const PixelMap pixels = allocatePixels(surface->storage, width, height);
    if (!pixels.pixels) {
        delete surface;
        return nullptr;
    }
    surface->canvas = SoftwareCanvas(pixels);
    return surface;
}

}  // namespace software

namespace drawing {

NativeSurface* createOffscreenSurface(const NativeSurface*, int32_t width, int32_t height)
{
    return software::createOwningSurface(width, height);
}

void destroySurface(NativeSurface* surface)
{
    if (surface && surface->owner)
        surface->owner->surfaceReleased();
    delete surface;
}

void setClip(NativeSurface* surface, const CBox& box)
{
    surface->canvas.setClip(box);
}

void fillRect(NativeSurface* surface, const CBox& box, CRgba colour)
{
    surface->canvas.fillRect(box, opaquePixel(colour));
}

void drawLine(NativeSurface* surface, CPos from, CPos to, const LinePen& pen, CDrawMode mode)
{
    if (pen.width > 1)
        surface->canvas.drawWideLine(from, to, pen.width, opaquePixel(pen.colour), mode);
    else
        surface->canvas.drawLine(from, to, opaquePixel(pen.colour), pen.style == kLineDotted, mode);
}

void blendImage(NativeSurface* surface, const CBox& box, const NativeImage* image, CPos source, uint8_t alpha)
{
    surface->canvas.blend(box, image->pixels, source, alpha);
}

void copyImage(NativeSurface* surface, const CBox& box, const NativeImage* image, CPos source)
{
    surface->canvas.copy(box, image->pixels, source);
}

void copyImageKeyed(NativeSurface* surface, const CBox& box, const NativeImage* image, CPos source, CRgba key)
{
    surface->canvas.copyKeyed(box, image->pixels, source, opaquePixel(key) & 0xffffffu);
}

void copySurface(NativeSurface* destination, const CBox& box, const NativeSurface* source, CPos sourcePos)
{
    destination->canvas.copy(box, source->canvas.target(), sourcePos);
}

void drawText(NativeSurface* surface, const char* text, const CBox& box, const FontSpec& font, CRgba colour,
    const CRgba* fill, CTextAlign align)
{
    SoftwareText::draw(
        surface->canvas.target(), surface->canvas.clip(), text, box, font, colour, fill, align);
}

bool readPixels(const NativeSurface* surface, const CBox& box, uint32_t* out)
{
    const PixelMap& pixels = surface->canvas.target();
    if (box.isEmpty() || !CBox(0, 0, pixels.width, pixels.height).encloses(box))
        return false;
    for (int32_t y = box.top; y < box.bottom; ++y)
        for (int32_t x = box.left; x < box.right; ++x)
            *out++ = pixels.at(x, y);
    return true;
}

NativeImage* createImage(int32_t width, int32_t height, PixelRows& rows)
{
    auto* image = new (std::nothrow) NativeImage;
    if (!image)
        return nullptr;
    image->pixels = allocatePixels(image->storage, width, height);
    if (!image->pixels.pixels) {
        delete image;
        return nullptr;
    }
    rows.top = image->pixels.pixels;
    rows.stride = width;
    return image;
}

void destroyImage(NativeImage* image)
{
    delete image;
}

NativeImage* loadBitmapResource(int32_t id, int32_t& width, int32_t& height)
{
    const EmbeddedResource* resource = EmbeddedResourceTable::find(id, true);
    return resource ? decodeBmp(resource->data, resource->size, width, height) : nullptr;
}

}  // namespace drawing
