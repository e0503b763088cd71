// Resource ids of the test images in tests/gui/images, built into the test programs.
#pragma once

#include <cstdint>

enum TestImage : int32_t {
    kRgba2x1 = 1,
    kRgb2x2 = 2,
    kGrey4Bit3x1 = 3,
    kGreyAlpha2x1 = 4,
    kPalette3x1 = 5,
    kRgb16Bit1x1 = 6,
    kHalfAlpha4x1 = 7,
    kKeyedBitmap3x2 = 8,  // a BMP: no PNG of this id
    kSceneBackground = 10,
    kSceneOverlay = 11,
    kMissingImage = 99,
};
