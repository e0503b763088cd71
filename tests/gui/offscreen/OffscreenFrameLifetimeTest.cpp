#include "gui/CDropFiles.h"
#include "gui/platform/offscreen/OffscreenWindow.h"
#include "tests/gui/support/DropView.h"
#include "tests/gui/support/FrameCycle.h"
#include "tests/gui/support/TestParentWindow.h"

#include <gtest/gtest.h>

// Memory leaks of these cycles show under valgrind (the ctest entry that runs this test there).
TEST(OffscreenFrameLifetime, TwoHundredCyclesLeaveNoWindowAndRestoreTheCursor)
{
    for (int cycle = 0; cycle < 200; ++cycle) {
        openPaintAndCloseFrame(TestParentWindow::shared().handle());
        ASSERT_EQ(offscreen::openWindowCount(), 0) << "cycle " << cycle;
        ASSERT_EQ(offscreen::currentCursor(), kCursorDefault) << "cycle " << cycle;
    }
}

TEST(OffscreenWindow, PaintsOnlyTheRequestedAreaAfterTheFirstPaint)
{
    auto* frame = new CFrame(CBox(0, 0, 40, 30), TestParentWindow::shared().handle(), nullptr);
    auto* view = new CountingView(CBox(0, 0, 40, 30), kRedCRgba);
    frame->addView(view);
    EXPECT_EQ(paintPendingWindows(), 1);
    EXPECT_EQ(paintPendingWindows(), 0);

    // Stale back-buffer content outside the requested area stays off the window.
    CBackBuffer* buffer = frame->getBackBuffer();
    buffer->setFillColor(kWhiteCRgba);
    buffer->fillRect(CBox(-1, -1, 40, 30));
    offscreen::requestPaint(frame->getPlatformWindow(), CBox(0, 0, 10, 10));
    EXPECT_EQ(paintPendingWindows(), 1);
    const PixelMap& shown = offscreen::windowPixels(frame->getPlatformWindow());
    EXPECT_EQ(rgb(shown.at(5, 5)), 0xff0000u);
    EXPECT_EQ(rgb(shown.at(20, 20)), 0xff0000u);
    EXPECT_EQ(view->draws, 2);
    frame->release();
}

TEST(OffscreenWindow, DropsReachTheViewUnderThePointOnlyWhileTheFrameTakesThem)
{
    auto* frame = new CFrame(CBox(0, 0, 40, 30), TestParentWindow::shared().handle(), nullptr);
    auto* inner = new CViewContainer(CBox(10, 10, 40, 30), frame);
    auto* view = new DropView(CBox(5, 5, 15, 15));
    inner->addView(view);
    frame->addView(inner);
    CDropFiles files{{"/amps/crunch.fxp"}};
    struct Case {
        bool enabled;
        CPos where;
        bool taken;
        CPos at;
    };
    const Case cases[] = {
        {false, CPos(20, 20), false, CPos(-1, -1)},
        {true, CPos(2, 2), false, CPos(-1, -1)},
        {true, CPos(20, 20), true, CPos(10, 10)},
    };
    for (const Case& c : cases) {
        frame->enableDrop(c.enabled);
        EXPECT_EQ(offscreen::drop(frame->getPlatformWindow(), c.where, &files), c.taken);
        EXPECT_EQ(view->at, c.at);
    }
    EXPECT_EQ(view->names, files.names);
    frame->release();
}
