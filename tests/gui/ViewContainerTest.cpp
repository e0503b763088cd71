// The view tree: ownership, hit testing, draw and click order, dirty propagation.
#include "gui/CFrame.h"
#include "gui/CImage.h"
#include "tests/gui/TestImages.h"
#include "tests/gui/support/CountingView.h"
#include "tests/gui/support/FramePixels.h"
#include "tests/gui/support/TestParentWindow.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

const CRgba kFirst = {200, 0, 0, 255};
const CRgba kSecond = {0, 0, 200, 255};

// How often each view, by name, has been destroyed.
using Deaths = std::map<std::string, int>;

class ObservedView : public CView {
public:
    ObservedView(Deaths& deaths, const char* name)
        : CView(CBox(0, 0, 5, 5))
        , deaths_(deaths)
        , name_(name)
    {
    }
    ~ObservedView() override { ++deaths_[name_]; }

private:
    Deaths& deaths_;
    std::string name_;
};

class ObservedContainer : public CViewContainer {
public:
    ObservedContainer(Deaths& deaths, const char* name, CFrame* frame)
        : CViewContainer(CBox(0, 0, 30, 30), frame)
        , deaths_(deaths)
        , name_(name)
    {
    }
    ~ObservedContainer() override { ++deaths_[name_]; }

private:
    Deaths& deaths_;
    std::string name_;
};

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

TEST_F(ViewTree, AFrameOrContainerThatGoesTakesEveryViewBelowItOnce)
{
    for (const bool isFrame : {true, false}) {
        Deaths deaths;
        CViewContainer* root = isFrame ? new CFrame(CBox(0, 0, 60, 40), nullptr, nullptr)
                                       : new CViewContainer(CBox(0, 0, 60, 40), frame);
        CFrame* rootFrame = isFrame ? static_cast<CFrame*>(root) : frame;
        auto* outer = new ObservedContainer(deaths, "outer", rootFrame);
        auto* inner = new ObservedContainer(deaths, "inner", rootFrame);
        inner->addView(new ObservedView(deaths, "deep"));
        inner->addView(new ObservedView(deaths, "deeper"));
        outer->addView(new ObservedView(deaths, "middle"));
        outer->addView(inner);
        root->addView(new ObservedView(deaths, "top"));
        root->addView(outer);
        EXPECT_TRUE(deaths.empty());
        root->release();
        const Deaths expected
            = {{"top", 1}, {"outer", 1}, {"middle", 1}, {"inner", 1}, {"deep", 1}, {"deeper", 1}};
        EXPECT_EQ(deaths, expected) << (isFrame ? "frame" : "container");
    }
}

TEST_F(ViewTree, AViewTakenOutOfItsContainerLivesAsLongAsItsHoldersSay)
{
    enum Before { kNothing, kRemoved, kRemovedKept, kRetained };
    const struct {
        Before before;
        int deadBeforeTheContainerGoes, deadAfter;
    } cases[] = {{kNothing, 0, 1}, {kRemoved, 1, 1}, {kRemovedKept, 0, 0}, {kRetained, 0, 0}};
    for (const auto& c : cases) {
        Deaths deaths;
        auto* container = new CViewContainer(CBox(0, 0, 60, 40), frame);
        // A container with a child, so that whatever happens to it happens to both.
        auto* view = new ObservedContainer(deaths, "view", frame);
        view->addView(new ObservedView(deaths, "child"));
        container->addView(view);
        container->addView(new ObservedView(deaths, "sibling"));
        if (c.before == kRemoved || c.before == kRemovedKept) {
            EXPECT_TRUE(container->removeView(view, c.before == kRemoved)) << c.before;
        } else if (c.before == kRetained) {
            view->retain();
        }
        EXPECT_EQ(deaths["view"], c.deadBeforeTheContainerGoes) << c.before;
        EXPECT_EQ(deaths["child"], c.deadBeforeTheContainerGoes) << c.before;
        if (c.before == kRemovedKept) {
            EXPECT_FALSE(container->removeView(view)) << "no longer a child";
        }
        container->release();
        EXPECT_EQ(deaths["sibling"], 1) << c.before;
        EXPECT_EQ(deaths["view"], c.deadAfter) << c.before;
        EXPECT_EQ(deaths["child"], c.deadAfter) << c.before;
        if (c.deadAfter == 0) {
            EXPECT_EQ(view->getFrame(), nullptr) << c.before;
            view->release();  // the last holder lets go
            EXPECT_EQ(deaths["view"], 1) << c.before;
            EXPECT_EQ(deaths["child"], 1) << c.before;
        }
    }
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
