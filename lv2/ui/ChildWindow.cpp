#include "lv2/ui/ChildWindow.h"

#include "gui/platform/x11/X11ErrorTrap.h"

#include <X11/Xlib.h>

unsigned long newestChildOf(unsigned long parent)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
    Window child = 0;
    {
        X11ErrorTrap trap(display);
        Window root = 0;
        Window parentOfParent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display, parent, &root, &parentOfParent, &children, &count) && count > 0)
            child = children[count - 1];  // bottom to top: the last is topmost
        if (children)
            XFree(children);
        if (!trap.succeeded())
            child = 0;
    }
    XCloseDisplay(display);
    return child;
}
