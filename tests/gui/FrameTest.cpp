// The frame's redraw cycle, paint path and input dispatch.
#include "gui/CBackBuffer.h"
#include "gui/CFrame.h"
#include "tests/gui/support/CountingView.h"
#include "tests/gui/support/FramePixels.h"
#include "tests/gui/support/ScriptedEditor.h"
#include "tests/gui/support/TestMouse.h"
#include "tests/gui/support/TestParentWindow.h"

#include <gtest/gtest.h>

namespace {

const CRgba kFirst = {200, 0, 0, 255};
const CRgba kSecond = {0, 0, 200, 255};

class Frame : public ::testing::Test {
protected:
    Frame()
        : frame(new CFrame(CBox(0, 0, 60, 40), TestParentWindow::shared().handle(), nullptr))
        , first(new CountingView(CBox(5, 5, 15, 15), kFirst))
        , second(new CountingView(CBox(20, 5, 30, 15), kSecond))
    {
        frame->addView(first);
        frame->addView(second);
    }
    ~Frame() override { frame->release(); }

    CKeyCode key(uint8_t virt, uint8_t modifier = 0)
    {
        CKeyCode code;
        code.virt = virt;
        code.modifier = modifier;
        return code;
    }

    CFrame* frame;
    CountingView* first;
    CountingView* second;
};

}  // namespace

TEST_F(Frame, NothingIsDrawnBeforeTheFirstPaint)
{
    first->setDirty(true);
    frame->idle();
    EXPECT_EQ(first->draws, 0);
    EXPECT_EQ(second->draws, 0);
    EXPECT_GE(paintPendingWindows(), 1);
    EXPECT_EQ(first->draws, 1);
    EXPECT_EQ(second->draws, 1);
    EXPECT_EQ(rgb(windowPixels(*frame, CBox(10, 10, 11, 11))[0]), 0xc80000u);
}

TEST_F(Frame, IdleRedrawsOnlyDirtyViewsAndCopiesTheWholeFrame)
{
    paintPendingWindows();
    frame->idle();
    ASSERT_EQ(first->draws, 1);
    ASSERT_EQ(second->draws, 1);

    // Something in the back buffer that the window does not show yet, away from both views.
    CBackBuffer* buffer = frame->getBackBuffer();
    buffer->setFillColor(kWhiteCRgba);
    buffer->fillRect(CBox(44, 29, 50, 35));
    EXPECT_EQ(rgb(windowPixels(*frame, CBox(47, 32, 48, 33))[0]), 0u);

    second->setDirty(true);
    frame->idle();
    EXPECT_EQ(first->draws, 1);
    EXPECT_EQ(second->draws, 2);
    EXPECT_EQ(rgb(windowPixels(*frame, CBox(47, 32, 48, 33))[0]), 0xffffffu);

    frame->idle();
    EXPECT_EQ(second->draws, 2);
}

TEST_F(Frame, WithoutAParentWindowNothingIsDrawn)
{
    auto* windowless = new CFrame(CBox(0, 0, 20, 20), nullptr, nullptr);
    auto* view = new CountingView(CBox(0, 0, 5, 5), kFirst);
    windowless->addView(view);
    EXPECT_EQ(windowless->getPlatformWindow(), nullptr);
    EXPECT_TRUE(windowless->isAlive());
    windowless->idle();
    EXPECT_EQ(view->draws, 0);
    windowless->release();
}

TEST_F(Frame, KeysGoToTheFocusViewThenTheModalViewAndTabMovesFocus)
{
    first->setFocusable(true);
    second->setFocusable(true);
    EXPECT_EQ(frame->onKeyDown(key(kVirtualKeyUp)), -1);
    EXPECT_EQ(first->keys + second->keys, 0);

    frame->setFocusView(first);
    first->keyAnswer = 1;
    EXPECT_EQ(frame->onKeyDown(key(kVirtualKeyUp)), 1);
    EXPECT_EQ(first->keys, 1);

    first->keyAnswer = -1;
    auto* modal = new CountingView(CBox(0, 0, 60, 40), kFirst);
    modal->keyAnswer = 7;
    EXPECT_TRUE(frame->setModalView(modal));
    EXPECT_EQ(frame->onKeyDown(key(kVirtualKeyUp)), 7);
    EXPECT_EQ(first->keys, 2);
    EXPECT_TRUE(frame->setModalView(nullptr));
    modal->release();

    EXPECT_EQ(frame->onKeyDown(key(kVirtualKeyTab)), 1);
    EXPECT_EQ(frame->getFocusView(), second);
    EXPECT_EQ(frame->onKeyDown(key(kVirtualKeyTab)), 1);
    EXPECT_EQ(frame->getFocusView(), first);
    EXPECT_EQ(frame->onKeyDown(key(kVirtualKeyTab, kKeyModifierShift)), 1);
    EXPECT_EQ(frame->getFocusView(), second);
}

TEST_F(Frame, ModalViewTakesClicksFirstAndOnlyOneIsAllowed)
{
    auto* modal = new CountingView(CBox(0, 0, 12, 12), kSecond);
    auto* other = new CountingView(CBox(0, 0, 1, 1), kSecond);
    EXPECT_TRUE(frame->setModalView(modal));
    EXPECT_FALSE(frame->setModalView(other));
    other->release();
    CPos inside(10, 10);
    frame->mouse(nullptr, inside, kLButton);
    EXPECT_EQ(modal->clicks, 1);
    EXPECT_EQ(first->clicks, 0);
    CPos outside(25, 10);
    frame->mouse(nullptr, outside, kLButton);
    EXPECT_EQ(second->clicks, 1);
    // A modal view stays its creator's.
    frame->setModalView(nullptr);
    modal->release();
}

TEST_F(Frame, ClickClearsTheFocusAndWheelReachesTheViewUnderThePointer)
{
    first->setFocusable(true);
    frame->setFocusView(first);
    CPos where(50, 30);
    frame->mouse(nullptr, where, kLButton);
    EXPECT_EQ(frame->getFocusView(), nullptr);

    EXPECT_TRUE(frame->onWheel(nullptr, CPos(25, 10), 2.0f));
    EXPECT_EQ(second->wheel, 2.0f);
    EXPECT_FALSE(frame->onWheel(nullptr, CPos(50, 30), 1.0f));
}

TEST_F(Frame, RemovingTheFocusViewClearsTheFocus)
{
    first->setFocusable(true);
    frame->setFocusView(first);
    frame->removeView(first);
    EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(Frame, DisabledUpdatesLeaveDirtyViewsForLater)
{
    paintPendingWindows();
    EXPECT_FALSE(frame->setUpdatesDisabled(true));
    EXPECT_TRUE(frame->getUpdatesDisabled());
    first->setDirty(true);
    frame->idle();
    EXPECT_EQ(first->draws, 1);
    EXPECT_TRUE(first->isDirty());

    EXPECT_TRUE(frame->setUpdatesDisabled(false));
    frame->idle();
    EXPECT_EQ(first->draws, 2);
    EXPECT_FALSE(first->isDirty());
}

TEST_F(Frame, CurrentViewIsTheModalViewElseTheOneUnderTheMouse)
{
    const CPos origin = frame->getWindowOrigin();
    struct Case {
        CPos where;
        bool modal;
        CView* expected;
    };
    auto* modal = new CountingView(CBox(40, 20, 50, 30), kFirst);
    const Case cases[] = {
        {CPos(10, 10), false, first},
        {CPos(25, 10), false, second},
        {CPos(50, 35), false, nullptr},
        {CPos(10, 10), true, modal},
    };
    for (const Case& c : cases) {
        TestMouse::place(CPos(origin.h + c.where.h, origin.v + c.where.v), 0);
        frame->setModalView(c.modal ? modal : nullptr);
        EXPECT_EQ(frame->getCurrentView(), c.expected) << c.where.h << "," << c.where.v;
        EXPECT_EQ(frame->getModalView(), c.modal ? modal : nullptr);
    }
    frame->setModalView(nullptr);
    modal->release();
    TestMouse::releaseAll();
}

TEST_F(Frame, TicksFollowTheClockOnlyWithAnEditor)
{
    EXPECT_EQ(frame->getTicks(), 0u);
    ScriptedEditor editor;
    auto* edited = new CFrame(CBox(0, 0, 20, 20), nullptr, &editor);
    const uint32_t before = edited->getTicks();
    platform::sleepMilliseconds(100);
    // Coarse system clocks tick in steps of up to about 16 ms.
    EXPECT_GE(edited->getTicks() - before, 60u);
    edited->release();
}

TEST_F(Frame, DropsAreOffUntilEnabled)
{
    EXPECT_FALSE(frame->isDropEnabled());
    frame->enableDrop(true);
    EXPECT_TRUE(frame->isDropEnabled());
    frame->enableDrop(false);
    EXPECT_FALSE(frame->isDropEnabled());
}

TEST_F(Frame, SetSizeResizesTheWindowAndTheBackBuffer)
{
    struct Case {
        int32_t width;
        int32_t height;
        bool changed;
    };
    const Case cases[] = {{60, 40, false}, {90, 70, true}, {25, 18, true}};
    frame->setBackgroundColor(kSecond);
    for (const Case& c : cases) {
        EXPECT_EQ(frame->setSize(c.width, c.height), c.changed) << c.width;
        paintPendingWindows();
        CBox box;
        ASSERT_TRUE(frame->getSize(box));
        EXPECT_EQ(box, CBox(0, 0, c.width, c.height));
        int32_t x = -1;
        int32_t y = -1;
        ASSERT_TRUE(frame->getPosition(x, y));
        EXPECT_EQ(CPos(x, y), CPos());
        EXPECT_EQ(frame->getViewSize(), CBox(0, 0, c.width, c.height));
        CBackBuffer* buffer = frame->getBackBuffer();
        ASSERT_NE(buffer, nullptr);
        // The first view shows, and the frame's background reaches the new far corner.
        EXPECT_EQ(rgb(windowPixels(*frame, CBox(10, 10, 11, 11))[0]), 0xc80000u);
        const CBox corner(c.width - 1, c.height - 1, c.width, c.height);
        EXPECT_EQ(rgb(windowPixels(*frame, corner)[0]), 0x0000c8u);
        EXPECT_EQ(rgb(readPixels(*buffer, corner)[0]), 0x0000c8u);
    }
}

TEST_F(Frame, WindowlessFrameKeepsItsSizeAndHasNoWindowBox)
{
    auto* windowless = new CFrame(CBox(0, 0, 20, 20), nullptr, nullptr);
    CBox box;
    int32_t x;
    int32_t y;
    EXPECT_FALSE(windowless->setSize(30, 30));
    EXPECT_FALSE(windowless->getSize(box));
    EXPECT_FALSE(windowless->getPosition(x, y));
    EXPECT_EQ(windowless->getWidth(), 20);
    windowless->release();
}

TEST_F(Frame, SetSizeAsksTheHostFirstAndResizesEitherWay)
{
    ScriptedEditor editor;
    auto* sized = new CFrame(CBox(0, 0, 60, 40), TestParentWindow::shared().handle(), &editor);
    for (const bool hostSizes : {false, true}) {
        editor.log.clear();
        editor.hostSizesWindow = hostSizes;
        const int32_t width = hostSizes ? 90 : 70;
        ASSERT_TRUE(sized->setSize(width, 50)) << hostSizes;
        EXPECT_EQ(editor.log, std::vector<std::string>{"size " + std::to_string(width) + " x 50"});
        CBox box;
        ASSERT_TRUE(sized->getSize(box));
        EXPECT_EQ(box.width(), width);
        EXPECT_EQ(sized->getViewSize(), CBox(0, 0, width, 50));
    }
    editor.log.clear();
    EXPECT_FALSE(sized->setSize(0, 50));
    EXPECT_FALSE(sized->setSize(90, -1));
    EXPECT_TRUE(editor.log.empty()) << "the host was asked for an impossible size";
    sized->release();
}

TEST_F(Frame, OpensInAWindowTheHostGivesAndClosesItAgain)
{
    ScriptedEditor editor;
    auto* floating = new CFrame(CBox(0, 0, 40, 30), nullptr, &editor);
    floating->addView(new CountingView(CBox(0, 0, 40, 30), kFirst));
    EXPECT_FALSE(floating->openInHostWindow("Grimbolt")) << "the host gave no window";
    EXPECT_EQ(floating->getPlatformWindow(), nullptr);
    EXPECT_FALSE(floating->closeHostWindow());

    editor.hostWindow = TestParentWindow::shared().handle();
    for (int round = 0; round < 2; ++round) {
        editor.log.clear();
        ASSERT_TRUE(floating->openInHostWindow("Grimbolt"));
        EXPECT_FALSE(floating->openInHostWindow("again")) << "a second window for one frame";
        ASSERT_NE(floating->getPlatformWindow(), nullptr);
        EXPECT_TRUE(floating->isAlive());
        paintPendingWindows();
        EXPECT_EQ(rgb(windowPixels(*floating, CBox(20, 20, 21, 21))[0]), 0xc80000u);
        EXPECT_TRUE(floating->closeHostWindow());
        EXPECT_EQ(floating->getPlatformWindow(), nullptr);
        EXPECT_EQ(editor.log, (std::vector<std::string>{"open Grimbolt 40 x 30", "close"}));
    }
    EXPECT_FALSE(frame->openInHostWindow("Grimbolt")) << "a frame with a window of its own";

    editor.log.clear();
    ASSERT_TRUE(floating->openInHostWindow("Grimbolt"));
    floating->release();
    EXPECT_EQ(editor.log.back(), "close") << "the frame's end gives the host's window back";
}
