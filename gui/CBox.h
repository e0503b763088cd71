// A rectangle in pixels. Drawing treats right and bottom as exclusive; hit and overlap tests
// treat them as inclusive, so a click on x = right still reaches the view.
#pragma once

#include "gui/CPos.h"

#include <algorithm>
#include <cstdint>

struct CBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    CBox() = default;
    CBox(int32_t l, int32_t t, int32_t r, int32_t b)
        : left(l)
        , top(t)
        , right(r)
        , bottom(b)
    {
    }

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    CPos topLeft() const { return CPos(left, top); }

    CBox& offset(int32_t dh, int32_t dv)
    {
        left += dh;
        right += dh;
        top += dv;
        bottom += dv;
        return *this;
    }
    CBox moved(int32_t dh, int32_t dv) const { return CBox(*this).offset(dh, dv); }
    // The common part; empty (right <= left or bottom <= top) when there is none.
    CBox intersected(const CBox& other) const
    {
        return CBox(std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
            std::min(bottom, other.bottom));
    }
    // Edges inclusive.
    bool containsInclusive(const CPos& where) const
    {
        return where.h >= left && where.h <= right && where.v >= top && where.v <= bottom;
    }
    // Edges inclusive: boxes that only touch overlap.
    bool overlapsInclusive(const CBox& other) const
    {
        return other.left <= right && other.right >= left && other.top <= bottom && other.bottom >= top;
    }
    bool encloses(const CBox& other) const
    {
        return other.left >= left && other.top >= top && other.right <= right && other.bottom <= bottom;
    }
    bool operator==(const CBox& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    bool operator!=(const CBox& other) const { return !(*this == other); }
};
