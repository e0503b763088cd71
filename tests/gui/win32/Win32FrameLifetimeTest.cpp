#include "tests/gui/support/FrameCycle.h"
#include "tests/gui/support/GdiObjects.h"
#include "tests/gui/support/TestParentWindow.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <windows.h>

namespace {

bool frameClassRegistered()
{
    char name[32];
    std::snprintf(
        name, sizeof name, "Plugin%" PRIxPTR, reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr)));
    WNDCLASSA info;
    return GetClassInfoA(GetModuleHandleA(nullptr), name, &info) != 0;
}

}  // namespace

TEST(Win32FrameLifetime, TwoHundredCyclesLeaveTheGdiObjectCountUnchanged)
{
    // The first cycle creates what the system keeps for the rest of the process.
    openPaintAndCloseFrame(TestParentWindow::shared().handle());
    const int before = liveGdiObjects();
    ASSERT_GT(before, 0);
    for (int cycle = 0; cycle < 200; ++cycle)
        openPaintAndCloseFrame(TestParentWindow::shared().handle());
    EXPECT_EQ(liveGdiObjects(), before);
}

TEST(Win32FrameLifetime, WindowClassLivesWhileAnyFrameWindowDoes)
{
    EXPECT_FALSE(frameClassRegistered());
    auto* first = new CFrame(CBox(0, 0, 10, 10), TestParentWindow::shared().handle(), nullptr);
    auto* second = new CFrame(CBox(0, 0, 10, 10), TestParentWindow::shared().handle(), nullptr);
    EXPECT_TRUE(frameClassRegistered());
    first->release();
    EXPECT_TRUE(frameClassRegistered());
    second->release();
    EXPECT_FALSE(frameClassRegistered());
    auto* again = new CFrame(CBox(0, 0, 10, 10), TestParentWindow::shared().handle(), nullptr);
    EXPECT_TRUE(frameClassRegistered());
    EXPECT_NE(again->getPlatformWindow(), nullptr);
    again->release();
    EXPECT_FALSE(frameClassRegistered());
}

TEST(Win32FrameLifetime, DestroyedParentLeavesTheFrameNotAlive)
{
    auto* parent = new TestParentWindow(80, 60);
    auto* frame = new CFrame(CBox(0, 0, 10, 10), parent->handle(), nullptr);
    EXPECT_TRUE(frame->isAlive());
    delete parent;
    EXPECT_FALSE(frame->isAlive());
    frame->release();
    EXPECT_FALSE(frameClassRegistered());
}
