#include "gui/PngDecoder.h"
#include "gui/platform/Platform.h"
#include "tests/gui/TestImages.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Keeps the decoded pixels top row first, whichever way the rows were laid out in memory.
class VectorDestination : public PngDecoder::Destination {
public:
    explicit VectorDestination(bool bottomUp)
        : bottomUp_(bottomUp)
    {
    }
    PixelRows allocate(int32_t imageWidth, int32_t imageHeight) override
    {
        width = imageWidth;
        height = imageHeight;
        storage.assign(static_cast<size_t>(width) * height, 0xdeadbeef);
        PixelRows rows;
        rows.top = bottomUp_ ? storage.data() + static_cast<size_t>(height - 1) * width : storage.data();
        rows.stride = bottomUp_ ? -width : width;
        return rows;
    }
    std::vector<uint32_t> topDown() const
    {
        if (!bottomUp_)
            return storage;
        std::vector<uint32_t> rows;
        for (int32_t y = height - 1; y >= 0; --y)
            rows.insert(rows.end(), storage.begin() + y * width, storage.begin() + (y + 1) * width);
        return rows;
    }

    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> storage;

private:
    bool bottomUp_;
};

std::vector<uint8_t> resourceBytes(int32_t id)
{
    const ResourceBytes resource = platform::findResource(id);
    return std::vector<uint8_t>(resource.data, resource.data + resource.size);
}

}  // namespace

// Pixels as 0xAARRGGBB, premultiplied with (colour x alpha) >> 8.
TEST(PngDecoder, DecodesEveryColourTypeToPremultipliedBgra)
{
    struct Case {
        const char* name;
        int32_t id;
        int32_t width;
        int32_t height;
        std::vector<uint32_t> pixels;
    };
    const Case cases[] = {
        // (255, 0, 0, 255) loses a level to the shift; a transparent pixel becomes all 0.
        {"RGBA 2 x 1", kRgba2x1, 2, 1, {0xfffe0000, 0x00000000}},
        // No transparency chunk: alpha 255, premultiplied like any other pixel.
        {"RGB", kRgb2x2, 2, 2, {0xfffe0000, 0xff00fe00, 0xff0000fe, 0xff274f77}},
        // 4-bit grey 0, 5, 15 expands to 0, 85, 255 in all three channels.
        {"grey 4 bit", kGrey4Bit3x1, 3, 1, {0xff000000, 0xff545454, 0xfffefefe}},
        {"grey + alpha", kGreyAlpha2x1, 2, 1, {0xffc7c7c7, 0x80323232}},
        // Palette entries red, green at alpha 128, blue at alpha 0, in true colour order.
        {"palette + tRNS", kPalette3x1, 3, 1, {0xfffe0000, 0x80007f00, 0x00000000}},
        // 16-bit samples keep their high byte.
        {"RGB 16 bit", kRgb16Bit1x1, 1, 1, {0xff11aafe}},
    };
    for (const Case& c : cases) {
        for (const bool bottomUp : {false, true}) {
            const std::vector<uint8_t> bytes = resourceBytes(c.id);
            VectorDestination destination(bottomUp);
            ASSERT_TRUE(PngDecoder::decode(bytes.data(), bytes.size(), destination)) << c.name;
            EXPECT_EQ(destination.width, c.width) << c.name;
            EXPECT_EQ(destination.height, c.height) << c.name;
            EXPECT_EQ(destination.topDown(), c.pixels) << c.name << (bottomUp ? ", rows bottom-up" : "");
        }
    }
}

TEST(PngDecoder, TruncatedDataFailsInsteadOfDecodingUnreadBytes)
{
    const std::vector<uint8_t> whole = resourceBytes(kRgb2x2);
    ASSERT_GT(whole.size(), 40u);
    // Inside the signature, inside the header, inside the image data, before the end chunk.
    for (const size_t length : {size_t(0), size_t(5), size_t(20), whole.size() - 20, whole.size() - 12}) {
        VectorDestination destination(false);
        EXPECT_FALSE(PngDecoder::decode(whole.data(), length, destination)) << length << " bytes";
    }
}

TEST(PngDecoder, CorruptDataFails)
{
    const std::vector<uint8_t> whole = resourceBytes(kRgb2x2);
    const size_t headerCrc = 8 + 8 + 13;             // signature, IHDR length and type, IHDR data
    const size_t imageData = headerCrc + 4 + 8 + 2;  // into the deflate stream of IDAT
    for (const size_t position : {size_t(1), size_t(12), headerCrc, imageData}) {
        std::vector<uint8_t> bytes = whole;
        bytes[position] ^= 0x5a;
        VectorDestination destination(false);
        EXPECT_FALSE(PngDecoder::decode(bytes.data(), bytes.size(), destination)) << "byte " << position;
    }
    VectorDestination destination(false);
    EXPECT_FALSE(PngDecoder::decode(nullptr, 100, destination));
}

namespace {

// kRgb2x2's bytes with the header claiming width x height, its checksum made to match.
std::vector<uint8_t> withClaimedSize(uint32_t width, uint32_t height)
{
    std::vector<uint8_t> bytes = resourceBytes(kRgb2x2);
    for (int i = 0; i < 4; ++i) {  // big-endian, right after "IHDR"
        bytes[16 + i] = static_cast<uint8_t>(width >> (24 - 8 * i));
        bytes[20 + i] = static_cast<uint8_t>(height >> (24 - 8 * i));
    }
    uint32_t crc = 0xffffffffu;
    for (size_t i = 12; i < 12 + 4 + 13; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    crc ^= 0xffffffffu;
    for (int i = 0; i < 4; ++i)
        bytes[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    return bytes;
}

}  // namespace

TEST(PngDecoder, RefusesImagesLargerThanTheLimitsBeforeAllocating)
{
    // Too wide; and each side allowed, but too many pixels in all.
    for (const auto& [width, height] : {std::pair<uint32_t, uint32_t>{65536, 2}, {8000, 8000}}) {
        const std::vector<uint8_t> bytes = withClaimedSize(width, height);
        VectorDestination destination(false);
        EXPECT_FALSE(PngDecoder::decode(bytes.data(), bytes.size(), destination)) << width << " x " << height;
        EXPECT_TRUE(destination.storage.empty()) << width << " x " << height;
    }
}
