// A point in pixels: h grows to the right, v downwards.
#pragma once

#include <cstdint>

struct CPos {
    int32_t h = 0;
    int32_t v = 0;

    CPos() = default;
    CPos(int32_t horizontal, int32_t vertical)
        : h(horizontal)
        , v(vertical)
    {
    }
    CPos& offset(int32_t dh, int32_t dv)
    {
        h += dh;
        v += dv;
        return *this;
    }
    bool operator==(const CPos& other) const { return h == other.h && v == other.v; }
    bool operator!=(const CPos& other) const { return !(*this == other); }
};
