// The pixels a pen wider than one pixel covers with one line, as GDI draws it (measured under
// wine): a disc of the pen's width around either end point and the band between them.
// Unlike a one-pixel line, the end point is drawn.
#pragma once

#include "gui/CPos.h"

#include <cstdint>
#include <vector>

// Pixels left .. right - 1 of row y.
struct PixelSpan {
    int32_t y;
    int32_t left;
    int32_t right;
};

class WidePenShape {
public:
    // width: at least 2.
    WidePenShape(CPos from, CPos to, int32_t width);

    // Top row first; within a row left to right, apart and not touching.
    const std::vector<PixelSpan>& spans() const { return spans_; }

private:
    void addDisc(CPos centre);
    void addBand(CPos from, CPos to);
    void addQuadrilateral(const CPos (&corners)[4]);
    void mergeSpans();

    int32_t width_;
    std::vector<PixelSpan> spans_;
};
