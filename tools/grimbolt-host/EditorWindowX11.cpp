// The editor's window on the X display named by DISPLAY, with a fixed size and the window
// manager's close button.
#include "tools/grimbolt-host/EditorWindow.h"

#include "tools/hostkit/HostError.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

struct EditorWindow::Native {
    Display* display = nullptr;
    Window window = 0;
    Atom deleteWindow = 0;
};

EditorWindow::EditorWindow(int32_t width, int32_t height, const std::string& title)
    : native_(std::make_unique<Native>())
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        throw HostError("cannot open the X display; is DISPLAY set?");
    native_->display = display;
    const int screen = DefaultScreen(display);
    native_->window
        = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
            static_cast<unsigned>(height), 0, BlackPixel(display, screen), BlackPixel(display, screen));
    XSizeHints* hints = XAllocSizeHints();
    if (hints) {
        hints->flags = PMinSize | PMaxSize;
        hints->min_width = hints->max_width = width;
        hints->min_height = hints->max_height = height;
        XSetWMNormalHints(display, native_->window, hints);
        XFree(hints);
    }
    XStoreName(display, native_->window, title.c_str());
    native_->deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, native_->window, &native_->deleteWindow, 1);
    XSelectInput(display, native_->window, StructureNotifyMask);
    XMapWindow(display, native_->window);
    XSync(display, False);
}

EditorWindow::~EditorWindow()
{
    XDestroyWindow(native_->display, native_->window);
    XCloseDisplay(native_->display);
}

void* EditorWindow::parentHandle() const
{
    return reinterpret_cast<void*>(static_cast<uintptr_t>(native_->window));
}

bool EditorWindow::handleMessages()
{
    bool open = true;
    while (XPending(native_->display) > 0) {
        XEvent event;
        XNextEvent(native_->display, &event);
        if (event.type == ClientMessage
            && static_cast<Atom>(event.xclient.data.l[0]) == native_->deleteWindow)
            open = false;
        else if (event.type == DestroyNotify && event.xdestroywindow.window == native_->window)
            open = false;
    }
    return open;
}
