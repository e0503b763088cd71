#include "gui/platform/software/WidePenShape.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// The smallest integer at or above numerator / denominator, denominator > 0.
int64_t ceilDiv(int64_t numerator, int64_t denominator)
{
    const int64_t quotient = numerator / denominator;
    return quotient * denominator < numerator ? quotient + 1 : quotient;
}

int32_t roundHalfUp(double value)
{
    return static_cast<int32_t>(std::floor(value + 0.5));
}

}  // namespace

WidePenShape::WidePenShape(CPos from, CPos to, int32_t width)
    : width_(width)
{
    addDisc(from);
    addDisc(to);
    addBand(from, to);
    mergeSpans();
}

// The disc's box starts width / 2 above and left of the centre, width pixels square. A
// width of 2 fills the square. Wider discs are traced a row pair at a time, from the top and
// bottom rows inwards, by the midpoint ellipse method over a diameter of width - 1 with
// integer squared half-axes; the rows the trace does not reach are full. This is GDI's disc
// for every odd width and for 4 and 8 (measured under wine up to 40); other even widths
// differ from it by a pixel at the end of some rows.
void WidePenShape::addDisc(CPos centre)
{
    const int32_t left = centre.h - width_ / 2;
    int32_t top = centre.v - width_ / 2;
    int32_t bottom = top + width_ - 1;
    if (width_ == 2) {
        for (int32_t y = top; y <= bottom; ++y)
            spans_.push_back({y, left, left + 2});
        return;
    }
    const int64_t diameter = width_ - 1;
    const int64_t halfSquared = diameter * diameter / 4;
    // The span of the rows being traced, inclusive; it widens by one pixel each side per step.
    int32_t spanLeft = left + static_cast<int32_t>(diameter / 2);
    int32_t spanRight = left + static_cast<int32_t>(diameter - diameter / 2);
    auto emitRowPair = [&]() {
        spans_.push_back({top++, spanLeft, spanRight + 1});
        spans_.push_back({bottom--, spanLeft, spanRight + 1});
    };
    int64_t xd = 0;
    int64_t yd = halfSquared * diameter;
    // Four times the midpoint's error, so that every term stays whole.
    int64_t error = 4 * halfSquared - 4 * halfSquared * (diameter / 2) + halfSquared;
    while (xd < yd) {
        if (error > 0) {
            emitRowPair();
            yd -= 2 * halfSquared;
            error -= 4 * yd;
        }
        --spanLeft;
        ++spanRight;
        xd += 2 * halfSquared;
        error += 4 * (xd + halfSquared);
    }
    error -= 2 * (xd + yd);
    while (yd >= 0) {
        emitRowPair();
        if (error < 0) {
            --spanLeft;
            ++spanRight;
            xd += 2 * halfSquared;
            error += 4 * xd;
        }
        yd -= 2 * halfSquared;
        error += 4 * (halfSquared - yd);
    }
    for (int32_t y = top; y <= bottom; ++y)
        spans_.push_back({y, left, left + width_});
}

// Level lines are a plain box width high (or wide), starting width / 2 above (or left of)
// the line. A slanted band is a quadrilateral whose sides are offset from the ends by the
// pen's half width across the line, rounded, the larger half on the right of the line as
// drawn downwards.
void WidePenShape::addBand(CPos from, CPos to)
{
    if (to.v < from.v)
        std::swap(from, to);
    const int32_t dx = to.h - from.h;
    const int32_t dy = to.v - from.v;
    if (dy == 0) {
        const int32_t top = from.v - width_ / 2;
        for (int32_t y = top; y < top + width_; ++y)
            spans_.push_back({y, std::min(from.h, to.h), std::max(from.h, to.h)});
        return;
    }
    if (dx == 0) {
        const int32_t left = from.h - width_ / 2;
        for (int32_t y = from.v; y < to.v; ++y)
            spans_.push_back({y, left, left + width_});
        return;
    }
    const double length = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
    const double acrossX = width_ * static_cast<double>(dy) / length;
    const double acrossY = width_ * std::abs(static_cast<double>(dx)) / length;
    const int32_t narrowX = roundHalfUp(acrossX / 2);
    const int32_t wideX = roundHalfUp((acrossX + 1) / 2);
    int32_t narrowY = roundHalfUp(acrossY / 2);
    int32_t wideY = roundHalfUp((acrossY + 1) / 2);
    if (dx < 0) {
        narrowY = -narrowY;
        wideY = -wideY;
    }
    const CPos corners[4] = {
        CPos(from.h - narrowX, from.v + narrowY),
        CPos(from.h + wideX, from.v - wideY),
        CPos(to.h + wideX, to.v - wideY),
        CPos(to.h - narrowX, to.v + narrowY),
    };
    addQuadrilateral(corners);
}

// A convex quadrilateral filled as GDI fills a polygon region: the pixels whose top-left
// corner lies inside, or on a left or top side.
void WidePenShape::addQuadrilateral(const CPos (&corners)[4])
{
    int32_t top = corners[0].v;
    int32_t bottom = corners[0].v;
    for (const CPos& corner : corners) {
        top = std::min(top, corner.v);
        bottom = std::max(bottom, corner.v);
    }
    for (int32_t y = top; y < bottom; ++y) {
        // The row's outermost crossings of the sides bound its span.
        int64_t left = INT64_MAX;
        int64_t right = INT64_MIN;
        int count = 0;
        for (int i = 0; i < 4; ++i) {
            CPos a = corners[i];
            CPos b = corners[(i + 1) % 4];
            if (a.v == b.v)
                continue;
            if (a.v > b.v)
                std::swap(a, b);
            if (y < a.v || y >= b.v)
                continue;
            const int64_t crossing = ceilDiv(
                static_cast<int64_t>(a.h) * (b.v - a.v) + static_cast<int64_t>(y - a.v) * (b.h - a.h),
                b.v - a.v);
            left = std::min(left, crossing);
            right = std::max(right, crossing);
            ++count;
        }
        if (count >= 2 && left < right)
            spans_.push_back({y, static_cast<int32_t>(left), static_cast<int32_t>(right)});
    }
}

void WidePenShape::mergeSpans()
{
    std::sort(spans_.begin(), spans_.end(),
        [](const PixelSpan& a, const PixelSpan& b) { return a.y != b.y ? a.y < b.y : a.left < b.left; });
    std::vector<PixelSpan> merged;
    for (const PixelSpan& span : spans_) {
        if (span.left >= span.right)
            continue;
        if (!merged.empty() && merged.back().y == span.y && span.left <= merged.back().right)
            merged.back().right = std::max(merged.back().right, span.right);
        else
            merged.push_back(span);
    }
    spans_ = std::move(merged);
}
