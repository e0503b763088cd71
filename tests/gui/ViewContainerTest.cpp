// The view tree: ownership, hit testing, draw and click order, dirty propagation.
#include "gui/CFrame.h"
#include "gui/CImage.h"
#include "tests/gui/TestImages.h"
#include "tests/gui/support/CountingView.h"
#include "tests/gui/support/FramePixels.h"
#include "tests/gui/support/TestParentWindow.h"

#include <gtest/gtest.h>

namespace {

const CRgba kFirst = {200, 0, 0, 255};
const CRgba kSecond = {0, 0, 200, 255};

class ViewTree : public ::testing::Test {
protected:
    ViewTree()
        : frame(new CFrame(CBox(0, 0, 60, 40), TestParentWindow::shared().handle(), nullptr))
    {
    }
    ~ViewTree() override { frame->release(); }

    void click(CPos where) { frame->mouse(nullptr, where, kLButton); }

    CFrame* frame;
};

}  // namespace

TEST_F(ViewTree, ClickOnAnyEdgeOfTheClickAreaReachesTheView)
{
    auto* view = new CountingView(CBox(10, 10, 20, 15), kFirst);
    frame->addView(view);
    const struct {
        CPos where;
        bool reaches;
    } cases[] = {
        {{10, 10}, true},
        {{20, 10}, true},
        {{10, 15}, true},
        {{20, 15}, true},
        {{15, 12}, true},
        {{9, 12}, false},
        {{21, 12}, false},
        {{15, 9}, false},
        {{15, 16}, false},
    };
    for (const auto& c : cases) {
        const int before = view->clicks;
        click(c.where);
        EXPECT_EQ(view->clicks - before, c.reaches ? 1 : 0) << c.where.h << ", " << c.where.v;
    }
    EXPECT_EQ(view->lastButtons, kLButton);
}

TEST_F(ViewTree, DrawingLeavesTheRightAndBottomEdgesAlone)
{
    auto* image = new CImage(kSceneBackground);
    auto* view = new CView(CBox(10, 10, 20, 15));
    view->setBackground(image);
    image->release();
    frame->addView(view);
    paintPendingWindows();
    CBackBuffer* buffer = frame->getBackBuffer();
    ASSERT_NE(buffer, nullptr);
    const std::vector<uint32_t> column = readPixels(*buffer, CBox(20, 10, 21, 16));
    const std::vector<uint32_t> row = readPixels(*buffer, CBox(10, 15, 21, 16));
    for (uint32_t pixel : column)
        EXPECT_EQ(rgb(pixel), 0u);
    for (uint32_t pixel : row)
        EXPECT_EQ(rgb(pixel), 0u);
    EXPECT_NE(rgb(readPixels(*buffer, CBox(19, 14, 20, 15))[0]), 0u);
}

TEST_F(ViewTree, LastAddedOfOverlappingViewsIsOnTopAndGetsTheClick)
{
    auto* first = new CountingView(CBox(5, 5, 25, 25), kFirst);
    auto* second = new CountingView(CBox(15, 15, 35, 35), kSecond);
    frame->addView(first);
    frame->addView(second);
    paintPendingWindows();

    const std::vector<uint32_t> overlap = windowPixels(*frame, CBox(20, 20, 21, 21));
    ASSERT_EQ(overlap.size(), 1u);
    EXPECT_EQ(rgb(overlap[0]), 0x0000c8u);
    EXPECT_EQ(rgb(windowPixels(*frame, CBox(10, 10, 11, 11))[0]), 0xc80000u);

    click(CPos(20, 20));
    EXPECT_EQ(second->clicks, 1);
    EXPECT_EQ(first->clicks, 0);
    click(CPos(10, 10));
    EXPECT_EQ(first->clicks, 1);

    second->setMouseEnabled(false);
    click(CPos(20, 20));
    EXPECT_EQ(first->clicks, 2);
    EXPECT_EQ(frame->getViewAt(CPos(20, 20)), second);
}

TEST_F(ViewTree, ChildContainersTakeClicksAndWheelInTheirOwnCoordinates)
{
    auto* box = new CViewContainer(CBox(20, 10, 50, 30), frame);
    auto* inner = new CountingView(CBox(5, 5, 10, 10), kFirst);
    box->addView(inner);
    frame->addView(box);
    click(CPos(27, 17));
    EXPECT_EQ(inner->clicks, 1);
    EXPECT_EQ(inner->lastClick, CPos(7, 7));
    EXPECT_TRUE(frame->onWheel(nullptr, CPos(27, 17), 1.0f));
    EXPECT_EQ(inner->wheel, 1.0f);
    EXPECT_EQ(frame->getViewAt(CPos(27, 17), true), inner);
    EXPECT_EQ(frame->getViewAt(CPos(27, 17), false), box);
    EXPECT_EQ(inner->toFrame(CPos(7, 7)), CPos(27, 17));
}

TEST_F(ViewTree, ContainerOwnsItsChildren)
{
    auto* view = new CountingView(CBox(0, 0, 5, 5), kFirst);
    view->retain();  // the test's own look at it
    frame->addView(view);
    EXPECT_EQ(view->getRetainCount(), 3);
    EXPECT_EQ(view->getFrame(), frame);
    EXPECT_TRUE(frame->removeView(view));
    EXPECT_EQ(view->getRetainCount(), 1);
    EXPECT_EQ(view->getFrame(), nullptr);
    EXPECT_FALSE(frame->removeView(view));
    view->release();
}

TEST_F(ViewTree, ContainerIsDirtyOnlyForDirtyChildrenItShows)
{
    auto* inside = new CountingView(CBox(5, 5, 10, 10), kFirst);
    auto* outside = new CountingView(CBox(70, 5, 80, 10), kFirst);
    frame->addView(inside);
    frame->addView(outside);
    paintPendingWindows();
    frame->idle();
    EXPECT_FALSE(frame->isDirty());
    outside->setDirty(true);
    EXPECT_FALSE(frame->isDirty());
    inside->setDirty(true);
    EXPECT_TRUE(frame->isDirty());
}
