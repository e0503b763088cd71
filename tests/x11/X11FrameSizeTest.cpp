// The frame's size in a real X11 child window: the server's window follows setSize, the
// frame answers its box from the server, and the window shows the frame at the new size.
#include "gui/CFrame.h"
#include "gui/platform/Platform.h"
#include "tests/x11/TestDisplay.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <utility>
#include <thread>

namespace {

const CRgba kFill = {0, 0, 200, 255};

class X11Frame : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!screen.isOpen())
            GTEST_SKIP() << "no X display";
        parent = screen.createParent(CPos(40, 30), 200, 150);
        frame = new CFrame(CBox(0, 0, 60, 40), reinterpret_cast<void*>(parent), nullptr);
        frame->setBackgroundColor(kFill);
    }

    void TearDown() override
    {
        if (frame)
            frame->release();
        if (screen.isOpen())
            screen.destroy(parent);
    }

    CBox serverBox()
    {
        XWindowAttributes attributes;
        XSync(screen.display(), False);
        if (!XGetWindowAttributes(screen.display(), screen.childOf(parent), &attributes))
            return CBox();
        return CBox(
            attributes.x, attributes.y, attributes.x + attributes.width, attributes.y + attributes.height);
    }

    // Idles the frame until the window shows the fill at its far corner.
    bool showsFillAt(int32_t width, int32_t height)
    {
        for (int i = 0; i < 200; ++i) {
            frame->idle();
            const auto pixels = screen.read(screen.childOf(parent), width, height);
            if (!pixels.empty() && pixels.back() == 0x0000c8u)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    TestDisplay screen;
    Window parent = 0;
    CFrame* frame = nullptr;
};

}  // namespace

TEST_F(X11Frame, SetSizeResizesTheChildWindowAndTheFrameReadsItBack)
{
    ASSERT_NE(frame->getPlatformWindow(), nullptr);
    ASSERT_TRUE(showsFillAt(60, 40));
    struct Case {
        int32_t width;
        int32_t height;
    };
    for (const Case c : {Case{120, 90}, Case{30, 20}}) {
        ASSERT_TRUE(frame->setSize(c.width, c.height));
        const CBox expected(0, 0, c.width, c.height);
        EXPECT_EQ(serverBox(), expected);
        CBox box;
        ASSERT_TRUE(frame->getSize(box));
        EXPECT_EQ(box, expected);
        int32_t x = -1;
        int32_t y = -1;
        ASSERT_TRUE(frame->getPosition(x, y));
        EXPECT_EQ(CPos(x, y), CPos());
        EXPECT_TRUE(showsFillAt(c.width, c.height)) << c.width << " x " << c.height;
    }
}

TEST_F(X11Frame, ANewSizeGrowsAWrappingParentWithItsBorderButNotTheHostsOwnWindow)
{
    // A top level that fits a bordered wrapper, which fits the frame: both keep their borders.
    // The fixture's parent, 140 pixels wider than its frame, is the host's own and stays.
    const Window outer = screen.createParent(CPos(300, 30), 66, 46);
    Display* display = screen.display();
    const Window wrapper = XCreateSimpleWindow(display, outer, 2, 2, 60, 40, 1, 0, 0);
    XMapWindow(display, wrapper);
    XSync(display, False);
    auto* wrapped = new CFrame(CBox(0, 0, 60, 40), reinterpret_cast<void*>(wrapper), nullptr);
    ASSERT_NE(wrapped->getPlatformWindow(), nullptr);
    const auto sizeOf = [display](Window window) {
        XWindowAttributes attributes;
        XSync(display, False);
        XGetWindowAttributes(display, window, &attributes);
        return std::make_pair(attributes.width, attributes.height);
    };

    ASSERT_TRUE(wrapped->setSize(100, 70));
    EXPECT_EQ(sizeOf(wrapper), std::make_pair(100, 70)) << "the wrapper's border is outside its size";
    EXPECT_EQ(sizeOf(outer), std::make_pair(106, 76));
    ASSERT_TRUE(frame->setSize(90, 60));
    EXPECT_EQ(sizeOf(parent), std::make_pair(200, 150));

    wrapped->release();
    screen.destroy(outer);
}
