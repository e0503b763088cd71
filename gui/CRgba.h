// A colour: red, green, blue and alpha bytes, not premultiplied, plus the standard colours.
#pragma once

#include <cstdint>

struct CRgba {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;

    bool operator==(const CRgba& other) const
    {
        return red == other.red && green == other.green && blue == other.blue && alpha == other.alpha;
    }
    bool operator!=(const CRgba& other) const { return !(*this == other); }
};

extern const CRgba kTransparentCRgba;
extern const CRgba kBlackCRgba;
extern const CRgba kWhiteCRgba;
extern const CRgba kGreyCRgba;
extern const CRgba kRedCRgba;
extern const CRgba kGreenCRgba;
extern const CRgba kBlueCRgba;
extern const CRgba kYellowCRgba;
extern const CRgba kMagentaCRgba;
extern const CRgba kCyanCRgba;
