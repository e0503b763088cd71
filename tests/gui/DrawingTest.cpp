// Pixel rules of the drawing contexts, the same on every platform: checked in a frame's back
// buffer, which is what every view draws into.
#include "gui/CBackBuffer.h"
#include "gui/CFrame.h"
#include "gui/CImage.h"
#include "gui/CView.h"
#include "tests/gui/TestImages.h"
#include "tests/gui/support/FramePixels.h"
#include "tests/gui/support/TestParentWindow.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace {

using PixelSet = std::set<std::pair<int32_t, int32_t>>;

const CRgba kPaint = {200, 40, 10, 255};

class Drawing : public ::testing::Test {
protected:
    Drawing()
        : frame(new CFrame(CBox(0, 0, kWidth, kHeight), TestParentWindow::shared().handle(), nullptr))
        , buffer(frame->getBackBuffer())
    {
    }
    ~Drawing() override { frame->release(); }

    void clear(CRgba colour)
    {
        buffer->setFillColor(colour);
        buffer->fillRect(CBox(-1, -1, kWidth, kHeight));
    }
    // The pixels of box that are no longer black.
    PixelSet painted(const CBox& box)
    {
        const std::vector<uint32_t> pixels = readPixels(*buffer, box);
        PixelSet set;
        for (int32_t y = box.top; y < box.bottom; ++y)
            for (int32_t x = box.left; x < box.right; ++x)
                if (rgb(pixels[(y - box.top) * box.width() + (x - box.left)]) != 0)
                    set.insert({x, y});
        return set;
    }

    static constexpr int32_t kWidth = 40;
    static constexpr int32_t kHeight = 30;
    CFrame* frame;
    CBackBuffer* buffer;
};

PixelSet boxPixels(const CBox& box)
{
    PixelSet set;
    for (int32_t y = box.top; y < box.bottom; ++y)
        for (int32_t x = box.left; x < box.right; ++x)
            set.insert({x, y});
    return set;
}

}  // namespace

TEST_F(Drawing, BackBufferStartsBlack)
{
    ASSERT_NE(buffer, nullptr);
    EXPECT_TRUE(painted(CBox(0, 0, kWidth, kHeight)).empty());
}

TEST_F(Drawing, FillLeavesOutTopRowAndLeftColumn)
{
    buffer->setFillColor(kPaint);
    buffer->fillRect(CBox(2, 3, 8, 10));
    EXPECT_EQ(painted(CBox(0, 0, 12, 12)), boxPixels(CBox(3, 4, 8, 10)));
}

// Each line leaves out its end point. Where the ideal line runs exactly between two pixels,
// the upper one is taken on mostly horizontal lines and the left one on mostly vertical
// lines, whichever way the line is drawn (measured under wine for every octant).
TEST_F(Drawing, LinesLeaveOutTheirEndPointAndBreakTiesUpOrLeft)
{
    struct Case {
        CPos from;
        CPos to;
        PixelSet pixels;
    };
    const Case cases[] = {
        {{1, 12}, {10, 12},
            {{1, 12}, {2, 12}, {3, 12}, {4, 12}, {5, 12}, {6, 12}, {7, 12}, {8, 12}, {9, 12}}},
        {{3, 2}, {3, 7}, {{3, 2}, {3, 3}, {3, 4}, {3, 5}, {3, 6}}},
        {{12, 12}, {16, 16}, {{12, 12}, {13, 13}, {14, 14}, {15, 15}}},
        {{10, 10}, {14, 11}, {{10, 10}, {11, 10}, {12, 10}, {13, 11}}},
        {{14, 11}, {10, 10}, {{14, 11}, {13, 11}, {12, 10}, {11, 10}}},
        {{10, 10}, {11, 14}, {{10, 10}, {10, 11}, {10, 12}, {11, 13}}},
        {{11, 14}, {10, 10}, {{11, 14}, {11, 13}, {10, 12}, {10, 11}}},
    };
    buffer->setFrameColor(kPaint);
    for (const Case& c : cases) {
        clear(kBlackCRgba);
        buffer->moveTo(c.from);
        buffer->lineTo(c.to);
        EXPECT_EQ(painted(CBox(0, 0, kWidth, kHeight)), c.pixels)
            << "(" << c.from.h << ", " << c.from.v << ") to (" << c.to.h << ", " << c.to.v << ")";
    }
}

// A dotted line draws three pixels and leaves out three, counted along its longer axis from
// its own start, so every lineTo starts the pattern afresh (GDI's dotted pen under wine).
TEST_F(Drawing, DottedLinesDrawThreeAndLeaveOutThreeFromEachLinesStart)
{
    struct Case {
        std::vector<CPos> points;
        PixelSet pixels;
    };
    const Case cases[] = {
        {{{1, 12}, {12, 12}}, {{1, 12}, {2, 12}, {3, 12}, {7, 12}, {8, 12}, {9, 12}}},
        {{{12, 12}, {1, 12}}, {{12, 12}, {11, 12}, {10, 12}, {6, 12}, {5, 12}, {4, 12}}},
        {{{3, 11}, {3, 2}}, {{3, 11}, {3, 10}, {3, 9}, {3, 5}, {3, 4}, {3, 3}}},
        {{{10, 10}, {20, 14}}, {{10, 10}, {11, 10}, {12, 11}, {16, 12}, {17, 13}, {18, 13}}},
        {{{1, 5}, {5, 5}, {12, 5}}, {{1, 5}, {2, 5}, {3, 5}, {5, 5}, {6, 5}, {7, 5}, {11, 5}}},
    };
    buffer->setFrameColor(kPaint);
    buffer->setLineStyle(kLineDotted);
    for (const Case& c : cases) {
        clear(kBlackCRgba);
        buffer->moveTo(c.points[0]);
        for (size_t i = 1; i < c.points.size(); ++i)
            buffer->lineTo(c.points[i]);
        EXPECT_EQ(painted(CBox(0, 0, kWidth, kHeight)), c.pixels)
            << "from (" << c.points[0].h << ", " << c.points[0].v << ")";
    }
    clear(kBlackCRgba);
    buffer->setLineStyle(kLineSolid);
    buffer->moveTo(CPos(1, 12));
    buffer->lineTo(CPos(8, 12));
    EXPECT_EQ(painted(CBox(0, 0, kWidth, kHeight)), boxPixels(CBox(1, 12, 8, 13)));
}

// Premultiplied source-over with (colour x alpha) >> 8 at load time and the destination
// scaled by (255 - alpha) / 255, rounded to nearest.
TEST_F(Drawing, HalfTransparentImageBlendsOverAColour)
{
    struct Case {
        CRgba background;
        std::vector<uint32_t> expected;
    };
    const Case cases[] = {
        {{255, 255, 255, 255}, {0xfe7f7f, 0x7f7ffe, 0xfefefe, 0x56d37d}},
        {{30, 60, 90, 255}, {0x8e1e2d, 0x0f1eac, 0x556c82, 0x25a959}},
    };
    auto* image = new CImage(kHalfAlpha4x1);
    ASSERT_EQ(image->getWidth(), 4);
    for (const Case& c : cases) {
        clear(c.background);
        image->draw(buffer, CBox(5, 6, 9, 7));
        std::vector<uint32_t> pixels = readPixels(*buffer, CBox(5, 6, 9, 7));
        for (uint32_t& pixel : pixels)
            pixel = rgb(pixel);
        EXPECT_EQ(pixels, c.expected);
    }
    image->release();
}

// With a constant alpha every premultiplied channel, alpha too, is first scaled by alpha / 255
// rounded to nearest, then blended as above: what AlphaBlend gives under wine for every
// constant alpha over these images and four backgrounds.
TEST_F(Drawing, BlendedImageIsScaledByTheConstantAlphaFirst)
{
    struct Case {
        uint8_t alpha;
        CRgba background;
        std::vector<uint32_t> expected;
    };
    const Case cases[] = {
        {0, {255, 255, 255, 255}, {0xffffff, 0xffffff, 0xffffff, 0xffffff}},
        {77, {255, 255, 255, 255}, {0xfed8d8, 0xd8d8fe, 0xffffff, 0xccf2d8}},
        {77, {30, 60, 90, 255}, {0x3f334c, 0x193372, 0x2f4b66, 0x205d5a}},
        {128, {30, 60, 90, 255}, {0x562d43, 0x162d83, 0x3a546f, 0x22725a}},
        {255, {30, 60, 90, 255}, {0x8e1e2d, 0x0f1eac, 0x556c82, 0x25a959}},
    };
    auto* image = new CImage(kHalfAlpha4x1);
    for (const Case& c : cases) {
        clear(c.background);
        image->drawBlended(buffer, CBox(5, 6, 9, 7), CPos(), c.alpha);
        std::vector<uint32_t> pixels = readPixels(*buffer, CBox(5, 6, 9, 7));
        for (uint32_t& pixel : pixels)
            pixel = rgb(pixel);
        EXPECT_EQ(pixels, c.expected) << "alpha " << int(c.alpha);
    }
    image->release();
}

TEST_F(Drawing, ImageDrawsTheBlockAtItsSourceOffset)
{
    auto* image = new CImage(kRgb2x2);
    image->draw(buffer, CBox(3, 3, 4, 4), CPos(1, 1));
    EXPECT_EQ(rgb(readPixels(*buffer, CBox(3, 3, 4, 4))[0]), 0x274f77u);
    image->release();
}

// AlphaBlend refuses a source block that is not wholly inside the image (measured under wine).
TEST_F(Drawing, ImageBlockReachingPastTheImageDrawsNothing)
{
    auto* image = new CImage(kRgb2x2);
    image->draw(buffer, CBox(3, 3, 6, 6));
    image->draw(buffer, CBox(10, 3, 12, 5), CPos(1, 0));
    image->draw(buffer, CBox(20, 3, 22, 5), CPos(0, -1));
    EXPECT_TRUE(painted(CBox(0, 0, kWidth, kHeight)).empty());
    image->release();
}

TEST_F(Drawing, ClipKeepsEveryOperationInside)
{
    const CBox clip(5, 4, 15, 12);
    buffer->setClipRect(clip);
    buffer->setFillColor(kPaint);
    buffer->fillRect(CBox(-1, -1, kWidth, kHeight));
    EXPECT_EQ(painted(CBox(0, 0, kWidth, kHeight)), boxPixels(clip));

    clear(kBlackCRgba);
    buffer->setFrameColor(kPaint);
    buffer->moveTo(CPos(0, 8));
    buffer->lineTo(CPos(30, 8));
    EXPECT_EQ(painted(CBox(0, 0, kWidth, kHeight)), boxPixels(CBox(5, 8, 15, 9)));

    clear(kBlackCRgba);
    auto* image = new CImage(kSceneOverlay);
    image->draw(buffer, CBox(10, 0, 26, 16));
    const PixelSet drawn = painted(CBox(0, 0, kWidth, kHeight));
    const PixelSet inside = boxPixels(clip);
    EXPECT_FALSE(drawn.empty());
    for (const auto& pixel : drawn)
        EXPECT_EQ(inside.count(pixel), 1u) << pixel.first << ", " << pixel.second;
    image->release();
}

TEST_F(Drawing, OffsetMovesEveryCoordinate)
{
    buffer->setOffset(CPos(10, 5));
    buffer->setFillColor(kPaint);
    buffer->fillRect(CBox(0, 0, 3, 3));
    EXPECT_EQ(buffer->getClipRect(), CBox(-10, -5, kWidth - 10, kHeight - 5));
    buffer->setOffset(CPos());
    EXPECT_EQ(painted(CBox(0, 0, kWidth, kHeight)), boxPixels(CBox(11, 6, 13, 8)));
}

TEST_F(Drawing, TextIsClippedToItsBoxAndDrawnInTheFontColour)
{
    const CBox box(2, 4, 38, 24);
    const CRgba yellow = {253, 255, 115, 255};
    for (const CTextAlign align : {kLeftText, kCenterText, kRightText}) {
        clear(kBlackCRgba);
        buffer->setFont(3, 0, 2);
        buffer->setFontColor(yellow);
        buffer->drawString("crunch", box, false, align);
        const PixelSet drawn = painted(CBox(0, 0, kWidth, kHeight));
        ASSERT_FALSE(drawn.empty()) << "align " << align;
        const std::vector<uint32_t> pixels = readPixels(*buffer, CBox(0, 0, kWidth, kHeight));
        const PixelSet inside = boxPixels(box);
        for (const auto& pixel : drawn) {
            EXPECT_EQ(inside.count(pixel), 1u) << pixel.first << ", " << pixel.second;
            EXPECT_EQ(rgb(pixels[pixel.second * kWidth + pixel.first]), 0xfdff73u);
        }
    }
}

TEST_F(Drawing, ImageThatFailedToLoadIsEmptyAndDrawsNothing)
{
    auto* image = new CImage(kMissingImage);
    EXPECT_EQ(image->getWidth(), 0);
    EXPECT_EQ(image->getHeight(), 0);
    image->draw(buffer, CBox(0, 0, kWidth, kHeight));
    EXPECT_TRUE(painted(CBox(0, 0, kWidth, kHeight)).empty());

    const ResourceBytes good = platform::findResource(kRgb2x2);
    ASSERT_TRUE(image->loadPng(good.data, good.size));
    EXPECT_EQ(image->getWidth(), 2);
    EXPECT_FALSE(image->loadPng(good.data, good.size - 20));
    EXPECT_EQ(image->getWidth(), 0);
    image->draw(buffer, CBox(0, 0, 2, 2));
    EXPECT_TRUE(painted(CBox(0, 0, kWidth, kHeight)).empty());
    image->release();
}

// With no PNG of its id, a bitmap resource gives an image without alpha: draw copies it as it
// is, white included; drawKeyed leaves out the key colour (white unless set), its alpha aside.
TEST_F(Drawing, BitmapResourceIsCopiedAndKeyedCopiesLeaveOutTheKeyColour)
{
    // Drawn directly, or as the background of a view, which keys it when it is transparent.
    enum class Through { Image, OpaqueView, TransparentView };
    struct Case {
        bool keyed;
        CRgba key;
        std::vector<uint32_t> expected;
        Through through = Through::Image;
    };
    const std::vector<uint32_t> copied = {0xffffff, 0x0a141e, 0xfffffe, 0xc80064, 0xffffff, 0x000000};
    const std::vector<uint32_t> whiteLeftOut = {0x1e3c5a, 0x0a141e, 0xfffffe, 0xc80064, 0x1e3c5a, 0x000000};
    const Case cases[] = {
        {false, {255, 255, 255, 0}, copied},
        {true, {255, 255, 255, 0}, whiteLeftOut},
        {true, {0, 0, 0, 255}, {0xffffff, 0x0a141e, 0xfffffe, 0xc80064, 0xffffff, 0x1e3c5a}},
        {false, {255, 255, 255, 0}, copied, Through::OpaqueView},
        {true, {255, 255, 255, 0}, whiteLeftOut, Through::TransparentView},
    };
    auto* image = new CImage(kKeyedBitmap3x2);
    EXPECT_TRUE(image->withoutAlpha());
    ASSERT_EQ(image->getWidth(), 3);
    ASSERT_EQ(image->getHeight(), 2);
    EXPECT_EQ(image->getKeyColor(), (CRgba{255, 255, 255, 0}));
    buffer->setOffset(CPos(4, 2));
    for (const Case& c : cases) {
        clear(CRgba{30, 60, 90, 255});
        image->setKeyColor(c.key);
        if (c.through != Through::Image) {
            auto* view = new CView(CBox(1, 1, 4, 3));
            view->setBackground(image);
            view->setTransparency(c.through == Through::TransparentView);
            view->draw(buffer);
            view->release();
        } else if (c.keyed) {
            image->drawKeyed(buffer, CBox(1, 1, 4, 3));
        } else {
            image->draw(buffer, CBox(1, 1, 4, 3));
        }
        std::vector<uint32_t> pixels = readPixels(*buffer, CBox(1, 1, 4, 3));
        for (uint32_t& pixel : pixels)
            pixel = rgb(pixel);
        EXPECT_EQ(pixels, c.expected) << (c.keyed ? "keyed" : "copied");
    }
    image->release();
}

// A PNG has alpha whatever its colour type: drawKeyed blends it like draw, white included.
TEST_F(Drawing, KeyedDrawingOfAPngBlendsIt)
{
    auto* image = new CImage(kHalfAlpha4x1);
    EXPECT_FALSE(image->withoutAlpha());
    clear(kWhiteCRgba);
    image->drawKeyed(buffer, CBox(5, 6, 9, 7));
    std::vector<uint32_t> pixels = readPixels(*buffer, CBox(5, 6, 9, 7));
    for (uint32_t& pixel : pixels)
        pixel = rgb(pixel);
    EXPECT_EQ(pixels, (std::vector<uint32_t>{0xfe7f7f, 0x7f7ffe, 0xfefefe, 0x56d37d}));
    image->release();
}

TEST_F(Drawing, LoadingFromAPathEmptiesTheImage)
{
    auto* image = new CImage(kRgb2x2);
    EXPECT_FALSE(image->loadFromPath("rgb-2x2.png"));
    EXPECT_EQ(image->getWidth(), 0);
    image->draw(buffer, CBox(0, 0, 2, 2));
    EXPECT_TRUE(painted(CBox(0, 0, kWidth, kHeight)).empty());
    image->release();
}

// Lines in or and exclusive-or mode combine their colour with what is there; drawing the same
// line twice in exclusive-or mode puts it back; copy mode, as before, replaces it.
TEST_F(Drawing, LinesCombineWithWhatIsThereByTheDrawMode)
{
    struct Case {
        CDrawMode mode;
        int passes;
        uint32_t expected;
    };
    const Case cases[] = {
        {kCopyMode, 1, 0xc8280a},
        {kOrMode, 1, 0xde3c5a},
        {kXorMode, 1, 0xd61450},
        {kXorMode, 2, 0x1e3c5a},
    };
    buffer->setFrameColor(kPaint);
    for (const Case& c : cases) {
        clear(CRgba{30, 60, 90, 255});
        buffer->setDrawMode(c.mode);
        for (int pass = 0; pass < c.passes; ++pass) {
            buffer->moveTo(CPos(2, 3));
            buffer->lineTo(CPos(9, 3));
        }
        const std::vector<uint32_t> pixels = readPixels(*buffer, CBox(1, 3, 10, 4));
        EXPECT_EQ(rgb(pixels[0]), 0x1e3c5au) << "mode " << c.mode;
        for (int x = 1; x <= 7; ++x)
            EXPECT_EQ(rgb(pixels[x]), c.expected) << "mode " << c.mode << " pass " << c.passes;
        EXPECT_EQ(rgb(pixels[8]), 0x1e3c5au) << "mode " << c.mode;
    }
    buffer->setDrawMode(kCopyMode);
}
