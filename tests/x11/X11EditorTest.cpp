// The panel in a real X11 window on the display ctest starts (Xvfb): what the window shows,
// the mouse through XTest, bad and vanishing parents, several panels at once, and the host's
// error handler left in place.
#include "plugin/Parameters.h"
#include "tests/x11/TestDisplay.h"
#include "tests/x11/X11PanelHost.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>

namespace {

constexpr int32_t kWidth = X11PanelHost::kWidth;
constexpr int32_t kHeight = X11PanelHost::kHeight;
const CPos kParentOrigin(40, 30);

int hostErrors = 0;
int countingErrorHandler(Display*, XErrorEvent*)
{
    ++hostErrors;
    return 0;
}

class X11Editor : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!screen.isOpen())
            GTEST_SKIP() << "no X display";
        parent = screen.createParent(kParentOrigin, kWidth, kHeight);
    }

    void TearDown() override
    {
        if (screen.isOpen())
            screen.destroy(parent);
    }

    // Opens host's panel into parent and waits until the window shows it.
    void openAndShow(X11PanelHost& host, Window into)
    {
        ASSERT_EQ(host.open(into), 1);
        ASSERT_NE(screen.childOf(into), 0u);
        ASSERT_TRUE(host.idleUntilShowing([&] { return screen.read(screen.childOf(into), kWidth, kHeight); }))
            << "the window does not show the panel's picture";
    }

    CPos onScreen(CPos where) const { return CPos(where).offset(kParentOrigin.h, kParentOrigin.v); }

    // The pointer at where (panel coordinates), then a press, and each later step at one of
    // the editor's idle passes while the press is tracked.
    void dragThrough(X11PanelHost& host, CPos from, std::vector<CPos> through)
    {
        std::vector<std::function<void()>> steps;
        for (const CPos& where : through)
            steps.push_back([this, where] { screen.movePointer(onScreen(where)); });
        steps.push_back([this] { screen.setButton(Button1, false); });
        host.onIdles(steps);
        screen.movePointer(onScreen(from));
        screen.setButton(Button1, true);
        host.idle();
    }

    TestDisplay screen;
    Window parent = 0;
};

}  // namespace

TEST_F(X11Editor, WindowShowsTheSoftwareRenderingAndFollowsTheHost)
{
    X11PanelHost host;
    host.setParameter(kChannel, 0.5f);
    host.setParameter(kDrive, 0.8f);
    openAndShow(host, parent);
    host.setParameter(kDrive, 0.1f);
    host.setParameter(kChannel, 1.0f);
    host.setParameter(kBypassCabinet, 1.0f);
    EXPECT_TRUE(host.idleUntilShowing([&] { return screen.read(screen.childOf(parent), kWidth, kHeight); }))
        << "the window does not follow the host's changes";
    host.close();
    EXPECT_EQ(screen.childOf(parent), 0u) << "closing removes the window";
}

TEST_F(X11Editor, ExposedAreasArePaintedAgain)
{
    X11PanelHost host;
    openAndShow(host, parent);
    const Window child = screen.childOf(parent);
    // Cleared areas are the server's, so only an exposure can bring the panel back.
    XClearArea(screen.display(), child, 0, 0, kWidth, kHeight, True);
    XSync(screen.display(), False);
    EXPECT_TRUE(host.idleUntilShowing([&] { return screen.read(child, kWidth, kHeight); }));
    host.close();
}

TEST_F(X11Editor, KnobDragReachesTheHostAsOneGesture)
{
    X11PanelHost host;
    host.setParameter(kDrive, 0.5f);
    openAndShow(host, parent);
    const CPos knob(82, 71);
    dragThrough(host, knob, {CPos(92, 71), CPos(102, 71)});
    ASSERT_GE(host.events.size(), 3u);
    EXPECT_EQ(host.events.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(host.events.front().index, kDrive);
    EXPECT_EQ(host.events.back().opcode, audioMasterEndEdit);
    EXPECT_EQ(host.events.back().index, kDrive);
    for (size_t i = 1; i + 1 < host.events.size(); ++i) {
        EXPECT_EQ(host.events[i].opcode, audioMasterAutomate);
        EXPECT_EQ(host.events[i].index, kDrive);
    }
    // 200 pixels span the range: 20 to the right add 0.1.
    EXPECT_FLOAT_EQ(host.events[host.events.size() - 2].value, 0.6f);
    EXPECT_FLOAT_EQ(host.parameter(kDrive), 0.6f);
    host.close();
}

TEST_F(X11Editor, ChannelArrowClicksStepTheChannelEvenWhenReadLate)
{
    X11PanelHost host;
    openAndShow(host, parent);
    const struct {
        CPos arrow;
        float value;
    } clicks[] = {{CPos(252, 16), 0.6f}, {CPos(252, 16), 0.90000004f}, {CPos(133, 16), 0.6f}};
    for (const auto& click : clicks) {
        host.events.clear();
        // Pressed and released before the editor's next idle reads the press.
        screen.movePointer(onScreen(click.arrow));
        screen.setButton(Button1, true);
        screen.setButton(Button1, false);
        host.idle();
        ASSERT_EQ(host.events.size(), 3u);
        EXPECT_EQ(host.events[0].opcode, audioMasterBeginEdit);
        EXPECT_EQ(host.events[1].opcode, audioMasterAutomate);
        EXPECT_EQ(host.events[1].index, kChannel);
        EXPECT_EQ(host.events[1].value, click.value);
        EXPECT_EQ(host.events[2].opcode, audioMasterEndEdit);
    }
    host.close();
}

TEST_F(X11Editor, WheelTurnsTheKnobUnderThePointer)
{
    X11PanelHost host;
    host.setParameter(kTreble, 0.5f);
    openAndShow(host, parent);
    screen.movePointer(onScreen(CPos(244, 71)));
    for (const unsigned button : {Button4, Button4, Button5}) {
        screen.setButton(button, true);
        screen.setButton(button, false);
    }
    host.idle();
    EXPECT_GT(host.parameter(kTreble), 0.5f) << "two notches up, one down";
    host.close();
}

TEST_F(X11Editor, BadParentsAnswerZeroAndTheHostsErrorHandlerStays)
{
    const XErrorHandler before = XSetErrorHandler(countingErrorHandler);
    hostErrors = 0;
    const Window gone = screen.createParent(CPos(0, 0), 10, 10);
    screen.destroy(gone);
    X11PanelHost host;
    for (const unsigned long window : {static_cast<unsigned long>(gone), 0x1fffff0ul})
        EXPECT_EQ(host.open(window), 0) << std::hex << window;
    EXPECT_EQ(XSetErrorHandler(before), countingErrorHandler) << "ours left installed";
    EXPECT_EQ(hostErrors, 0) << "our errors reached the host's handler";
    openAndShow(host, parent);
    host.close();
}

TEST_F(X11Editor, ParentDestroyedBeforeCloseEndsTheWindowQuietly)
{
    X11PanelHost host;
    openAndShow(host, parent);
    screen.destroy(parent);
    parent = screen.createParent(kParentOrigin, kWidth, kHeight);
    for (int round = 0; round < 5; ++round)
        host.idle();
    host.close();
    openAndShow(host, parent);
    host.close();
}

TEST_F(X11Editor, SeveralPanelsOpenAtOnce)
{
    X11PanelHost first;
    X11PanelHost second;
    first.setParameter(kChannel, 0.0f);
    second.setParameter(kChannel, 1.0f);
    const Window secondParent = screen.createParent(CPos(40, 200), kWidth, kHeight);
    openAndShow(first, parent);
    openAndShow(second, secondParent);
    EXPECT_FALSE(samePicture(first.snapshot(), second.snapshot()));
    first.close();
    EXPECT_TRUE(
        second.idleUntilShowing([&] { return screen.read(screen.childOf(secondParent), kWidth, kHeight); }));
    second.close();
    screen.destroy(secondParent);
}

TEST_F(X11Editor, FiftyOpenCloseCycles)
{
    X11PanelHost host;
    for (int cycle = 0; cycle < 50; ++cycle) {
        ASSERT_EQ(host.open(parent), 1) << "cycle " << cycle;
        host.setParameter(kDrive, static_cast<float>(cycle) / 50.0f);
        host.idle();
        host.close();
    }
}
