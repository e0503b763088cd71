#include "lv2/ui/PanelWindow.h"

#include "gui/platform/x11/X11ErrorTrap.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// Topmost child of parent, or 0.
Window newestChild(Display* display, Window parent)
{
    Window root = 0;
    Window parentOfParent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window child = 0;
    if (XQueryTree(display, parent, &root, &parentOfParent, &children, &count) && count > 0)
        child = children[count - 1];  // bottom to top: the last is topmost
    if (children)
        XFree(children);
    return child;
}

void fixSize(Display* display, Window window, int width, int height)
{
    XSizeHints hints{};
    hints.flags = PMinSize | PMaxSize | PBaseSize;
    hints.min_width = hints.max_width = hints.base_width = width;
    hints.min_height = hints.max_height = hints.base_height = height;
    XSetWMNormalHints(display, window, &hints);
}

}  // namespace

unsigned long claimPanelWindow(unsigned long parent, int width, int height)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
    Window child = 0;
    {
        X11ErrorTrap trap(display);
        child = newestChild(display, parent);
        if (child)
            fixSize(display, child, width, height);
        if (!trap.succeeded())
            child = 0;
    }
    XCloseDisplay(display);
    return child;
}
