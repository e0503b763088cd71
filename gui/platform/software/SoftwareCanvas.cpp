#include "gui/platform/software/SoftwareCanvas.h"

#include "gui/platform/software/WidePenShape.h"

#include <cstdlib>
#include <cstring>

SoftwareCanvas::SoftwareCanvas(const PixelMap& target)
    : target_(target)
    , clip_(0, 0, target.width, target.height)
{
}

void SoftwareCanvas::setClip(const CBox& clip)
{
    clip_ = clip.intersected(CBox(0, 0, target_.width, target_.height));
}

void SoftwareCanvas::fillRect(const CBox& box, uint32_t pixel)
{
    const CBox visible = box.intersected(clip_);
    if (visible.isEmpty())
        return;
    for (int32_t y = visible.top; y < visible.bottom; ++y) {
        uint32_t* row = target_.row(y);
        for (int32_t x = visible.left; x < visible.right; ++x)
            row[x] = pixel;
    }
}

void SoftwareCanvas::plot(int32_t x, int32_t y, uint32_t pixel, CDrawMode mode)
{
    if (x < clip_.left || x >= clip_.right || y < clip_.top || y >= clip_.bottom)
        return;
    uint32_t& target = target_.at(x, y);
    // Only the colour combines; the pixel stays as opaque as it was.
    if (mode == kXorMode)
        target ^= pixel & 0xffffffu;
    else if (mode == kOrMode)
        target |= pixel & 0xffffffu;
    else
        target = pixel;
}

// A dotted line is kDotRun pixels drawn, kDotRun left out, and so on, counted in steps
// along the major axis from each line's start: GDI's dotted pen, measured under wine, starts
// its pattern afresh at every line, whatever the line before.
constexpr int32_t kDotRun = 3;

// Steps along the major axis; the minor coordinate is the ideal one rounded to the nearest
// pixel. Where the ideal line passes exactly between two pixels, GDI (measured under wine
// for every octant) takes the upper one on mostly horizontal lines and the left one on
// mostly vertical lines.
void SoftwareCanvas::drawLine(CPos from, CPos to, uint32_t pixel, bool dotted, CDrawMode mode)
{
    const int32_t dx = std::abs(to.h - from.h);
    const int32_t dy = std::abs(to.v - from.v);
    const int32_t stepX = to.h >= from.h ? 1 : -1;
    const int32_t stepY = to.v >= from.v ? 1 : -1;
    const bool horizontal = dx >= dy;
    const int32_t major = horizontal ? dx : dy;
    const int32_t minor = horizontal ? dy : dx;
    // A tie moves on to the next minor pixel only when that one is the upper / left one.
    const bool tieSteps = horizontal ? stepY < 0 : stepX < 0;
    for (int32_t i = 0; i < major; ++i) {
        if (dotted && (i / kDotRun) % 2 != 0)
            continue;
        // The ideal minor offset is i * minor / major; compare its fraction with one half.
        const int64_t twice = 2 * static_cast<int64_t>(i) * minor;
        int32_t offset = static_cast<int32_t>(twice / (2 * major));
        const int64_t remainder = twice - static_cast<int64_t>(offset) * 2 * major;
        if (remainder > major || (remainder == major && tieSteps))
            ++offset;
        if (horizontal)
            plot(from.h + stepX * i, from.v + stepY * offset, pixel, mode);
        else
            plot(from.h + stepX * offset, from.v + stepY * i, pixel, mode);
    }
}

void SoftwareCanvas::drawWideLine(CPos from, CPos to, int32_t width, uint32_t pixel, CDrawMode mode)
{
    const WidePenShape shape(from, to, width);
    for (const PixelSpan& span : shape.spans())
        for (int32_t x = span.left; x < span.right; ++x)
            plot(x, span.y, pixel, mode);
}

bool SoftwareCanvas::clipBlock(const CBox& box, const PixelMap& source, CPos& sourcePos, CBox& visible) const
{
    if (sourcePos.h < 0 || sourcePos.v < 0 || sourcePos.h + box.width() > source.width
        || sourcePos.v + box.height() > source.height)
        return false;
    visible = box.intersected(clip_);
    if (visible.isEmpty())
        return false;
    sourcePos.offset(visible.left - box.left, visible.top - box.top);
    return true;
}

// Premultiplied source-over, each channel d = s + d * (255 - sa) / 255 rounded to nearest:
// the result GDI's per-pixel-alpha blend gives for every source alpha, source channel and
// destination value (measured under wine over all 256 x 256 x 8 combinations).
uint32_t SoftwareCanvas::blendPixel(uint32_t source, uint32_t destination)
{
    const uint32_t inverse = 255 - (source >> 24);
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t s = (source >> shift) & 0xff;
        const uint32_t d = (destination >> shift) & 0xff;
        uint32_t channel = s + (d * inverse + 127) / 255;
        if (channel > 255)
            channel = 255;
        result |= channel << shift;
    }
    return result;
}

uint32_t SoftwareCanvas::scalePixel(uint32_t source, uint32_t alpha)
{
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8)
        result |= (((source >> shift) & 0xff) * alpha + 127) / 255 << shift;
    return result;
}

void SoftwareCanvas::blend(const CBox& box, const PixelMap& source, CPos sourcePos, uint8_t alpha)
{
    CBox visible;
    if (!clipBlock(box, source, sourcePos, visible))
        return;
    for (int32_t y = 0; y < visible.height(); ++y) {
        const uint32_t* in = source.row(sourcePos.v + y) + sourcePos.h;
        uint32_t* out = target_.row(visible.top + y) + visible.left;
        for (int32_t x = 0; x < visible.width(); ++x)
            out[x] = blendPixel(alpha == 255 ? in[x] : scalePixel(in[x], alpha), out[x]);
    }
}

void SoftwareCanvas::copy(const CBox& box, const PixelMap& source, CPos sourcePos)
{
    CBox visible;
    if (!clipBlock(box, source, sourcePos, visible))
        return;
    for (int32_t y = 0; y < visible.height(); ++y)
        std::memmove(target_.row(visible.top + y) + visible.left, source.row(sourcePos.v + y) + sourcePos.h,
            static_cast<size_t>(visible.width()) * sizeof(uint32_t));
}

void SoftwareCanvas::copyKeyed(const CBox& box, const PixelMap& source, CPos sourcePos, uint32_t keyRgb)
{
    CBox visible;
    if (!clipBlock(box, source, sourcePos, visible))
        return;
    for (int32_t y = 0; y < visible.height(); ++y) {
        const uint32_t* in = source.row(sourcePos.v + y) + sourcePos.h;
        uint32_t* out = target_.row(visible.top + y) + visible.left;
        for (int32_t x = 0; x < visible.width(); ++x)
            if ((in[x] & 0xffffffu) != keyRgb)
                out[x] = in[x];
    }
}
