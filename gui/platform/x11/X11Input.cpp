// The pointer, buttons and cursor through this thread's windows (any of them: they share one
// server), and the monotonic clock.
#include "gui/platform/Platform.h"
#include "gui/platform/x11/X11Buttons.h"
#include "gui/platform/x11/X11Window.h"

#include <X11/cursorfont.h>

#include <cerrno>
#include <ctime>

namespace {

// The cursor font shape for a CCursorType kind, -1 for kinds without one.
int cursorShapeFor(int32_t kind)
{
    switch (kind) {
    case 1:
        return XC_watch;
    case 2:
        return XC_sb_h_double_arrow;
    case 3:
        return XC_sb_v_double_arrow;
    case 4:
        return XC_fleur;
    case 5:
        return XC_bottom_left_corner;
    case 6:
        return XC_bottom_right_corner;
    case 8:
        return XC_X_cursor;
    default:
        return -1;
    }
}

}  // namespace

namespace platform {

CPos cursorScreenPosition()
{
    CPos where;
    unsigned mask = 0;
    PlatformWindow* window = PlatformWindow::firstOfThread();
    return window && window->queryPointer(where, mask) ? where : CPos();
}

int32_t currentButtons()
{
    CPos where;
    unsigned mask = 0;
    PlatformWindow* window = PlatformWindow::firstOfThread();
    return window && window->queryPointer(where, mask) ? x11::buttonState(mask) : 0;
}

void setCursor(int32_t kind)
{
    for (PlatformWindow* window = PlatformWindow::firstOfThread(); window; window = window->nextOfThread())
        window->showCursor(cursorShapeFor(kind));
}

uint32_t doubleClickTime()
{
    // X has no system-wide setting; this is the common desktop default.
    return 400;
}

uint32_t tickCount()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(
        static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

void sleepMilliseconds(uint32_t milliseconds)
{
    timespec remaining{
        static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&remaining, &remaining) == -1 && errno == EINTR) { }
}

}  // namespace platform
