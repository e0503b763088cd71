#include "gui/platform/x11/X11ErrorTrap.h"

#include <atomic>
#include <mutex>

namespace {

std::mutex installation;
int livingTraps = 0;  // guarded by installation
std::atomic<XErrorHandler> previousErrorHandler{nullptr};
std::atomic<XIOErrorHandler> previousConnectionHandler{nullptr};
thread_local X11ErrorTrap* innermostTrap = nullptr;

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display)
    : display_(display)
    , outer_(innermostTrap)
{
    innermostTrap = this;
    const std::lock_guard<std::mutex> lock(installation);
    if (livingTraps++ == 0) {
        previousErrorHandler = XSetErrorHandler(&X11ErrorTrap::onError);
        previousConnectionHandler = XSetIOErrorHandler(&X11ErrorTrap::onConnectionError);
    }
}

X11ErrorTrap::~X11ErrorTrap()
{
    {
        const std::lock_guard<std::mutex> lock(installation);
        if (--livingTraps == 0) {
            XSetErrorHandler(previousErrorHandler.load());
            XSetIOErrorHandler(previousConnectionHandler.load());
        }
    }
    innermostTrap = outer_;
}

bool X11ErrorTrap::succeeded()
{
    if (!lost_)
        XSync(display_, False);
    return !failed_ && !lost_;
}

X11ErrorTrap* X11ErrorTrap::watching(Display* display)
{
    for (X11ErrorTrap* trap = innermostTrap; trap; trap = trap->outer_)
        if (trap->display_ == display)
            return trap;
    return nullptr;
}

int X11ErrorTrap::onError(Display* display, XErrorEvent* error)
{
    if (X11ErrorTrap* trap = watching(display)) {
        trap->failed_ = true;
        return 0;
    }
    const XErrorHandler previous = previousErrorHandler.load();
    return previous ? previous(display, error) : 0;
}

// Returning hands over to the display's exit handler, which for our connections lets the
// process go on (see X11Window.cpp).
int X11ErrorTrap::onConnectionError(Display* display)
{
    if (X11ErrorTrap* trap = watching(display)) {
        trap->lost_ = true;
        return 0;
    }
    const XIOErrorHandler previous = previousConnectionHandler.load();
    return previous ? previous(display) : 0;
}
