// Lines of pens wider than one pixel, with the pixels GDI draws under wine: round ends
// centred on both end points, both drawn; a band between them; a dotted wide pen drawn solid;
// each pixel combined once per line in or and exclusive-or modes.
#include "gui/CBackBuffer.h"
#include "gui/CFrame.h"
#include "tests/gui/support/FramePixels.h"
#include "tests/gui/support/TestParentWindow.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>
#include <vector>

namespace {

using PixelSet = std::set<std::pair<int32_t, int32_t>>;

constexpr int32_t kSize = 64;

struct WideLineCase {
    const char* name;
    int32_t width;
    CLineStyle style;
    CDrawMode mode;
    std::vector<CPos> points;  // moveTo the first, lineTo each of the others
    std::vector<CBox> painted;
    CBox clip = CBox(0, 0, kSize, kSize);
};

PixelSet pixelsOf(const std::vector<CBox>& boxes)
{
    PixelSet set;
    for (const CBox& box : boxes)
        for (int32_t y = box.top; y < box.bottom; ++y)
            for (int32_t x = box.left; x < box.right; ++x)
                set.insert({x, y});
    return set;
}

// One box per row, as (row, left, right) triples.
std::vector<CBox> rows(std::initializer_list<std::array<int32_t, 3>> spans)
{
    std::vector<CBox> boxes;
    for (const auto& span : spans)
        boxes.emplace_back(span[1], span[0], span[2], span[0] + 1);
    return boxes;
}

PixelSet paintedPixels(CBackBuffer& buffer)
{
    const std::vector<uint32_t> pixels = readPixels(buffer, CBox(0, 0, kSize, kSize));
    PixelSet set;
    for (int32_t y = 0; y < kSize; ++y)
        for (int32_t x = 0; x < kSize; ++x)
            if (rgb(pixels[y * kSize + x]) != 0)
                set.insert({x, y});
    return set;
}

}  // namespace

TEST(WideLines, DrawGdisPixels)
{
    const WideLineCase cases[] = {
        {"width 2: squares at both ends", 2, kLineSolid, kCopyMode, {{30, 30}, {31, 30}},
            {CBox(29, 29, 32, 31)}},
        {"width 3 level: end point drawn, rounded ends", 3, kLineSolid, kCopyMode, {{20, 30}, {30, 30}},
            {CBox(20, 29, 31, 32), CBox(19, 30, 32, 31)}},
        {"width 4 upright, drawn upwards", 4, kLineSolid, kCopyMode, {{30, 30}, {30, 20}},
            {CBox(29, 18, 31, 32), CBox(28, 19, 32, 31)}},
        {"width 5 dot", 5, kLineSolid, kCopyMode, {{30, 30}, {30, 30}},
            {CBox(29, 28, 32, 33), CBox(28, 29, 33, 32)}},
        {"width 8 dot", 8, kLineSolid, kCopyMode, {{30, 30}, {30, 30}},
            {CBox(28, 26, 32, 34), CBox(27, 27, 33, 33), CBox(26, 28, 34, 32)}},
        {"width 3 diagonal upwards", 3, kLineSolid, kCopyMode, {{20, 30}, {30, 20}},
            rows({{19, 30, 31}, {20, 28, 32}, {21, 27, 31}, {22, 26, 32}, {23, 25, 31}, {24, 24, 30},
                {25, 23, 29}, {26, 22, 28}, {27, 21, 27}, {28, 20, 26}, {29, 19, 25}, {30, 19, 24},
                {31, 20, 23}})},
        {"width 3 shallow, leftwards", 3, kLineSolid, kCopyMode, {{30, 30}, {21, 33}},
            rows({{29, 30, 31}, {30, 27, 32}, {31, 24, 31}, {32, 21, 31}, {33, 20, 28}, {34, 21, 25}})},
        {"width 2 shallow", 2, kLineSolid, kCopyMode, {{20, 20}, {32, 24}},
            rows({{19, 19, 21}, {20, 19, 24}, {21, 20, 27}, {22, 23, 30}, {23, 26, 33}, {24, 29, 33}})},
        {"dotted width 3 is solid", 3, kLineDotted, kCopyMode, {{10, 30}, {50, 30}},
            {CBox(10, 29, 51, 32), CBox(9, 30, 52, 31)}},
        {"exclusive-or: the corner two lines share cancels", 3, kLineSolid, kXorMode,
            {{10, 30}, {30, 30}, {30, 45}},
            {CBox(10, 29, 30, 30), CBox(9, 30, 29, 31), CBox(10, 31, 29, 32), CBox(31, 31, 32, 32),
                CBox(29, 32, 32, 46), CBox(30, 46, 31, 47)}},
        {"clipped", 6, kLineSolid, kCopyMode, {{10, 30}, {50, 30}}, {CBox(20, 27, 40, 31)},
            CBox(20, 0, 40, 31)},
        {"width 0 draws one pixel wide, end point left out", 0, kLineSolid, kCopyMode, {{10, 10}, {20, 10}},
            {CBox(10, 10, 20, 11)}},
    };
    CFrame* frame = new CFrame(CBox(0, 0, kSize, kSize), TestParentWindow::shared().handle(), nullptr);
    CBackBuffer* buffer = frame->getBackBuffer();
    ASSERT_NE(buffer, nullptr);
    buffer->setFrameColor(CRgba{200, 40, 20, 255});
    for (const WideLineCase& c : cases) {
        buffer->setClipRect(CBox(0, 0, kSize, kSize));
        buffer->setFillColor(kBlackCRgba);
        buffer->fillRect(CBox(-1, -1, kSize, kSize));
        buffer->setClipRect(c.clip);
        buffer->setLineWidth(c.width);
        buffer->setLineStyle(c.style);
        buffer->setDrawMode(c.mode);
        buffer->moveTo(c.points[0]);
        for (size_t i = 1; i < c.points.size(); ++i)
            buffer->lineTo(c.points[i]);
        EXPECT_EQ(paintedPixels(*buffer), pixelsOf(c.painted)) << c.name;
    }
    EXPECT_EQ(buffer->getLineWidth(), 1);
    frame->release();
}
