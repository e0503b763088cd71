// Decodes a PNG held in memory with libpng into premultiplied 32-bit pixels (blue, green, red,
// alpha bytes): palette and grey images become colour, grey below 8 bits becomes 8, a
// transparency chunk becomes alpha and images without one get alpha 255, 16-bit samples are
// cut to 8. Any format or read error, including data that ends early, is a failure.
#pragma once

#include "gui/platform/DrawingBackend.h"

#include <cstddef>
#include <cstdint>

class PngDecoder {
public:
    // Receives the size once the header is read and says where the rows go.
    class Destination {
    public:
        virtual ~Destination() = default;
        // rows.top null: give up.
        virtual PixelRows allocate(int32_t width, int32_t height) = 0;
    };

    // Larger images are refused rather than allocated; the panel's film strips are far smaller.
    static constexpr int32_t kMaxDimension = 8192;
    static constexpr int64_t kMaxPixels = 4096 * 4096;  // 64 MB of pixels at most

    // False when the bytes are not a complete, valid PNG; the destination's rows then hold
    // whatever was decoded and should be thrown away.
    static bool decode(const uint8_t* data, size_t size, Destination& destination);
};
