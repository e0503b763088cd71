// doIdleStuff's timing and a mouse-tracking loop, against the offscreen platform's scripted
// clock and mouse.
#include "gui/platform/offscreen/OffscreenWindow.h"
#include "gui/platform/offscreen/ScriptedInput.h"
#include "tests/gui/support/FramePixels.h"
#include "tests/gui/support/TestParentWindow.h"
#include "tests/plugin/gui/PanelEditor.h"

#include <gtest/gtest.h>

namespace {

// Follows the pointer while the left button is held, as a knob's drag does.
class TrackingView : public CView {
public:
    using CView::CView;

    void mouse(CGraphics* context, CPos& where, int32_t buttons) override
    {
        if (!(buttons & kLButton))
            return;
        do {
            if (locations.empty() || locations.back() != where) {
                locations.push_back(where);
                setDirty(true);
            }
            getMouseLocation(context, where);
            getFrame()->doIdleStuff();
        } while (CGraphics::getCurrentButtons() & kLButton);
    }
    void draw(CGraphics* context) override
    {
        ++draws;
        context->setFillColor(kGreenCRgba);
        context->fillRect(CBox(size_.left - 1, size_.top - 1, size_.right, size_.bottom));
        setDirty(false);
    }

    std::vector<CPos> locations;
    int draws = 0;
};

class Schedule : public ::testing::Test {
protected:
    Schedule() { ScriptedInput::instance().reset(); }
    ~Schedule() override { ScriptedInput::instance().reset(); }

    ScriptedInput& input = ScriptedInput::instance();
};

}  // namespace

// A pass sets the next one 100 ms ahead; each call before that sleeps 4 ms, and the first
// call that lands within 50 ms of it after the sleep already passes: 12 sleeps, so a pass
// every 52 ms when called without pause.
TEST_F(Schedule, CalledWithoutPauseAPassRunsEvery52Milliseconds)
{
    EditorHost host;
    std::vector<uint32_t> passes;
    host.onIdle = [&] { passes.push_back(input.now()); };
    while (input.now() < 300) {
        const uint32_t before = input.now();
        const size_t passesBefore = passes.size();
        host.editor->doIdleStuff();
        const bool passed = passes.size() > passesBefore;
        EXPECT_EQ(input.now() - before, before == 0 && passed ? 0u : 4u) << "call at " << before;
    }
    EXPECT_EQ(passes, (std::vector<uint32_t>{0, 52, 104, 156, 208, 260}));
}

TEST_F(Schedule, ALateCallPassesAtOnceWithoutSleeping)
{
    EditorHost host;
    int passes = 0;
    host.onIdle = [&] { ++passes; };
    host.editor->doIdleStuff();
    input.advance(500);
    host.editor->doIdleStuff();
    EXPECT_EQ(passes, 2);
    EXPECT_EQ(input.now(), 500u);
}

TEST_F(Schedule, APassRunsTheEditorIdleAndOnePendingPaint)
{
    EditorHost host;
    host.dispatch(effEditOpen, 0, 0, TestParentWindow::shared().handle());
    PlatformWindow* window = host.editor->getFrame()->getPlatformWindow();
    host.editor->doIdleStuff();
    EXPECT_EQ(host.editor->updates, 1);
    EXPECT_EQ(host.editor->view->draws, 1);  // the window's first paint
    offscreen::requestPaint(window, CBox(0, 0, 5, 5));
    input.advance(100);
    host.editor->doIdleStuff();
    EXPECT_EQ(host.editor->view->draws, 1);  // the paint area misses the view
    EXPECT_EQ(paintPendingWindows(), 0);
}

TEST_F(Schedule, TrackingLoopFollowsAScriptedDragAndRedrawsOnTheWay)
{
    EditorHost host;
    host.dispatch(effEditOpen, 0, 0, TestParentWindow::shared().handle());
    CFrame* frame = host.editor->getFrame();
    auto* tracker = new TrackingView(CBox(30, 0, 60, 40));
    frame->addView(tracker);
    paintPendingWindows();
    const int drawsBefore = tracker->draws;
    offscreen::setScreenOrigin(frame->getPlatformWindow(), CPos(100, 200));

    // Screen coordinates: the window's origin plus where in the window.
    input.at(0, CPos(140, 210), kLButton);
    input.at(30, CPos(145, 212), kLButton);
    input.at(90, CPos(150, 220), kLButton | kShift);
    input.at(200, CPos(150, 220), 0);
    offscreen::pressMouse(frame->getPlatformWindow(), CPos(40, 10));

    EXPECT_EQ(tracker->locations, (std::vector<CPos>{{40, 10}, {45, 12}, {50, 20}}));
    EXPECT_GE(input.now(), 200u);
    EXPECT_LT(input.now(), 260u);
    // About one pass per 52 ms of the drag; each one redraws the tracker while it is dirty.
    EXPECT_GE(tracker->draws - drawsBefore, 2);
    EXPECT_EQ(rgb(offscreen::windowPixels(frame->getPlatformWindow()).at(45, 20)), 0x00ff00u);
}

TEST_F(Schedule, WheelGoesToTheViewUnderTheScriptedCursor)
{
    EditorHost host;
    host.dispatch(effEditOpen, 0, 0, TestParentWindow::shared().handle());
    offscreen::setScreenOrigin(host.editor->getFrame()->getPlatformWindow(), CPos(100, 200));
    input.at(0, CPos(115, 215), 0);
    EXPECT_TRUE(host.editor->onWheel(0.5f));
    EXPECT_EQ(host.editor->view->wheel, 0.5f);
    input.at(1, CPos(100, 200), 0);
    input.advance(1);
    EXPECT_FALSE(host.editor->onWheel(0.5f));
}
