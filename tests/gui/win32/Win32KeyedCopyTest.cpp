// Without TransparentBlt (Windows 9x) a keyed copy goes through a mask made by hand: the same
// pixels, and every GDI object it makes is deleted again.
#include "gui/CImage.h"
#include "gui/platform/win32/Win32Surface.h"
#include "tests/gui/TestImages.h"
#include "tests/gui/support/FramePixels.h"
#include "tests/gui/support/GdiObjects.h"
#include "tests/gui/support/TestParentWindow.h"

#include <gtest/gtest.h>

TEST(Win32KeyedCopy, MaskMadeByHandLeavesOutTheKeyColourAndKeepsNoObjects)
{
    auto* frame = new CFrame(CBox(0, 0, 20, 10), TestParentWindow::shared().handle(), nullptr);
    CBackBuffer* buffer = frame->getBackBuffer();
    ASSERT_NE(buffer, nullptr);
    const win32::TransparentBltFunction transparent = win32::transparentBlt();
    win32::replaceTransparentBlt(nullptr);
    auto* image = new CImage(kKeyedBitmap3x2);
    buffer->setFillColor(CRgba{30, 60, 90, 255});
    buffer->fillRect(CBox(-1, -1, 20, 10));
    image->drawKeyed(buffer, CBox(2, 3, 5, 5));
    std::vector<uint32_t> pixels = readPixels(*buffer, CBox(2, 3, 5, 5));
    for (uint32_t& pixel : pixels)
        pixel = rgb(pixel);
    EXPECT_EQ(pixels, (std::vector<uint32_t>{0x1e3c5a, 0x0a141e, 0xfffffe, 0xc80064, 0x1e3c5a, 0x000000}));
    const int before = liveGdiObjects();
    for (int i = 0; i < 50; ++i)
        image->drawKeyed(buffer, CBox(2, 3, 5, 5));
    EXPECT_EQ(liveGdiObjects(), before);
    win32::replaceTransparentBlt(transparent);
    image->release();
    frame->release();
}
