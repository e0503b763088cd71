// The drawing operations a platform must define. CGraphics, CBackBuffer and CImage call only
// these; every coordinate is a device coordinate (the context's offset already added) and
// every box is drawn right- and bottom-exclusive. Pixels are 32-bit premultiplied
// 0xAARRGGBB (blue first in memory), the format of a DIB section and of cairo's ARGB32.
// Everything runs on the thread that owns the editor window.
#pragma once

#include "gui/CBox.h"
#include "gui/CRgba.h"

#include <cstdint>
#include <cstring>

struct NativeSurface;  // a drawing target: window, back buffer; defined by the platform
struct NativeImage;    // a decoded image in the platform's blendable format

// Where a new image's pixels go: the top row first, stride in pixels (negative when the
// platform stores rows bottom-up).
struct PixelRows {
    uint32_t* top = nullptr;
    int32_t stride = 0;
};

struct FontSpec {
    int32_t pixelSize = 12;  // character height, without internal leading
    const char* faceName = "Arial";
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool decorative = false;  // the symbol face; every other face is a proportional sans

    bool operator==(const FontSpec& other) const
    {
        return pixelSize == other.pixelSize && std::strcmp(faceName, other.faceName) == 0
            && bold == other.bold && italic == other.italic && underline == other.underline
            && decorative == other.decorative;
    }
    bool operator!=(const FontSpec& other) const { return !(*this == other); }
};

enum CTextAlign : int32_t { kLeftText = 0, kCenterText = 1, kRightText = 2 };

enum CLineStyle : int32_t { kLineSolid = 0, kLineDotted = 1 };

// How a line's pixels combine with what is there: replace it, or it, exclusive-or it.
enum CDrawMode : int32_t { kCopyMode = 0, kOrMode = 1, kXorMode = 2 };

// What a line is drawn with; the platform makes a new pen only when one of these changes.
struct LinePen {
    CRgba colour;
    CLineStyle style;
    int32_t width;  // pixels, at least 1
};

namespace drawing {

// An offscreen surface like the given one (null: like the screen), its pixels undefined.
NativeSurface* createOffscreenSurface(const NativeSurface* like, int32_t width, int32_t height);
void destroySurface(NativeSurface* surface);

// Later operations touch only pixels inside box.
void setClip(NativeSurface* surface, const CBox& box);
void fillRect(NativeSurface* surface, const CBox& box, CRgba colour);
// No anti-aliasing. A one-pixel line leaves out its end point; a dotted one draws three
// pixels and leaves out three, counted along its longer axis from its start. mode applies to
// red, green and blue.
void drawLine(NativeSurface* surface, CPos from, CPos to, const LinePen& pen, CDrawMode mode);
// Source-over: the image's premultiplied pixels from source onwards, box-sized, onto box,
// each first scaled by alpha / 255 (255: the image as it is).
void blendImage(
    NativeSurface* surface, const CBox& box, const NativeImage* image, CPos source, uint8_t alpha);
// A plain copy of the image's box-sized block at source onto box, its alpha ignored.
void copyImage(NativeSurface* surface, const CBox& box, const NativeImage* image, CPos source);
// The same, except the image's pixels whose red, green and blue are key's, which leave the
// surface as it was.
void copyImageKeyed(
    NativeSurface* surface, const CBox& box, const NativeImage* image, CPos source, CRgba key);
// A plain copy of a box-sized block from source (at sourcePos) to box.
void copySurface(NativeSurface* destination, const CBox& box, const NativeSurface* source, CPos sourcePos);
// One line, vertically centred in box, aligned by align; kLeftText starts one pixel inside.
// A null fill leaves the background as it was.
void drawText(NativeSurface* surface, const char* text, const CBox& box, const FontSpec& font, CRgba colour,
    const CRgba* fill, CTextAlign align);
// Copies box's pixels into out (box.width() per row, top row first); false when unreadable.
bool readPixels(const NativeSurface* surface, const CBox& box, uint32_t* out);

// A width x height image; rows tells where to write its pixels. Null when it cannot be made.
NativeImage* createImage(int32_t width, int32_t height, PixelRows& rows);
void destroyImage(NativeImage* image);
// The bitmap (BMP) resource with this id in the module that contains the toolkit, as an
// opaque image, with its size; null when there is none or it cannot be read.
NativeImage* loadBitmapResource(int32_t id, int32_t& width, int32_t& height);

}  // namespace drawing
