#include "tests/gui/support/TestParentWindow.h"

#include "gui/platform/offscreen/OffscreenWindow.h"

TestParentWindow::TestParentWindow(int32_t, int32_t)
    : handle_(offscreen::parentWindow())
{
}

TestParentWindow::~TestParentWindow() = default;

TestParentWindow& TestParentWindow::shared()
{
    static auto* window = new TestParentWindow(200, 150);
    return *window;
}
