// The plain drawing primitives on a pixel map, with Windows GDI's pixel rules: boxes are
// right- and bottom-exclusive, lines leave out their end point and pick their pixels as GDI
// does, nothing is anti-aliased, images are blended source-over with GDI's rounding, and
// everything stays inside one rectangular clip.
#pragma once

#include "gui/CBox.h"
#include "gui/platform/DrawingBackend.h"
#include "gui/platform/software/PixelMap.h"

#include <cstdint>

class SoftwareCanvas {
public:
    explicit SoftwareCanvas(const PixelMap& target);

    const PixelMap& target() const { return target_; }
    // Limited to the target's area.
    void setClip(const CBox& clip);
    const CBox& clip() const { return clip_; }

    void fillRect(const CBox& box, uint32_t pixel);
    // dotted: three pixels drawn, three left out, from the line's start.
    void drawLine(CPos from, CPos to, uint32_t pixel, bool dotted = false, CDrawMode mode = kCopyMode);
    // A line of a pen width pixels wide (at least 2), with round ends; always solid, as GDI
    // draws a wide dotted pen. Each pixel combines with the target once, however the shape's
    // parts overlap.
    void drawWideLine(CPos from, CPos to, int32_t width, uint32_t pixel, CDrawMode mode = kCopyMode);
    // Nothing is drawn when the source block is not wholly inside source.
    // Each source pixel is first scaled by alpha / 255.
    void blend(const CBox& box, const PixelMap& source, CPos sourcePos, uint8_t alpha = 255);
    void copy(const CBox& box, const PixelMap& source, CPos sourcePos);
    // A copy that leaves out the source pixels whose colour (alpha aside) is keyRgb.
    void copyKeyed(const CBox& box, const PixelMap& source, CPos sourcePos, uint32_t keyRgb);

    // The premultiplied result of src over dst, channel by channel.
    static uint32_t blendPixel(uint32_t source, uint32_t destination);
    // source with every channel scaled by alpha / 255, rounded to nearest.
    static uint32_t scalePixel(uint32_t source, uint32_t alpha);

private:
    // The part of box inside the clip, and the matching start in the source.
    bool clipBlock(const CBox& box, const PixelMap& source, CPos& sourcePos, CBox& visible) const;
    void plot(int32_t x, int32_t y, uint32_t pixel, CDrawMode mode);

    PixelMap target_;
    CBox clip_;
};
