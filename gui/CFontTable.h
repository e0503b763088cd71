// The toolkit's fonts by index: pixel size and face. Index 0 is always bold.
#pragma once

#include "gui/platform/DrawingBackend.h"

#include <cstdint>

class CFontTable {
public:
    static constexpr int32_t kCount = 8;

    // Font faces as CParamDisplay and CGraphics::setFont take them.
    enum Face : int32_t { kBoldFace = 1, kItalicFace = 2, kUnderlineFace = 4 };

    // The font for index (outside 0..kCount-1: index 0) at size (0: the table's size) with face bits.
    static FontSpec font(int32_t index, int32_t size, int32_t face);
    // Index outside the table: 0.
    static int32_t validIndex(int32_t index);
    static int32_t pixelSize(int32_t index);
};
