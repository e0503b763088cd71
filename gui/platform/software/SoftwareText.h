// Text for the software platform, through cairo and fontconfig: one line, placed as Windows'
// DrawText places it (vertically centred on the font's ascent plus descent, left, centred or
// right by the advance width), glyphs hinted and not anti-aliased. Arial is drawn with
// Liberation Sans, which has the same metrics. Measured against GDI under wine: regular and
// italic 12-pixel text come out pixel for pixel the same; bold text is anti-aliased there, so
// its extent may differ by a pixel.
#pragma once

#include "gui/CBox.h"
#include "gui/platform/DrawingBackend.h"
#include "gui/platform/software/PixelMap.h"

#include <cstdint>

class SoftwareText {
public:
    // Draws into target, inside clip and box. fill: the background of the text's cell, or null.
    static void draw(const PixelMap& target, const CBox& clip, const char* text, const CBox& box,
        const FontSpec& font, CRgba colour, const CRgba* fill, CTextAlign align);
};
