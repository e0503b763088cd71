// The frame's child window under X11; presses, exposures and the window's end arrive as
// events on its own connection, which the frame asks for from the editor's idle.
#include "gui/platform/x11/X11Window.h"

#include "gui/CButtonState.h"
#include "gui/platform/ParentResizeWalk.h"
#include "gui/platform/x11/X11ErrorTrap.h"
#include "gui/platform/x11/X11Buttons.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace {

thread_local PlatformWindow* windowsOfThread = nullptr;

// Xlib calls this once a connection of ours broke and our handler returned; returning here
// leaves the connection dead but the process alive.
void keepProcess(Display*, void*) { }

// Our pixels as they are: 32 bits each, red, green and blue in the low three bytes.
bool takesOurPixels(Display* display, const Visual* visual, int depth)
{
    if (visual->c_class != TrueColor || visual->red_mask != 0xff0000 || visual->green_mask != 0xff00
        || visual->blue_mask != 0xff)
        return false;
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
    bool found = false;
    for (int i = 0; i < count; ++i)
        found = found || (formats[i].depth == depth && formats[i].bits_per_pixel == 32);
    if (formats)
        XFree(formats);
    return found;
}

// The window's size is the frame's: hosts that embed it in a window of their own (LV2's
// wrappers) read its normal hints and keep it at that size rather than stretch it.
void fixSize(Display* display, Window window, int32_t width, int32_t height)
{
    XSizeHints hints{};
    hints.flags = PMinSize | PMaxSize | PBaseSize;
    hints.min_width = hints.max_width = hints.base_width = width;
    hints.min_height = hints.max_height = hints.base_height = height;
    XSetWMNormalHints(display, window, &hints);
}

// As many parents as a resize may grow on Windows with its usual dialog frame.
constexpr int32_t kMaxGrownParents = 6;

// The window's box in its parent with its border; border is set to the border's width.
CBox outerBox(Display* display, Window window, unsigned& border)
{
    Window root;
    int x = 0;
    int y = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned depth = 0;
    border = 0;
    if (!XGetGeometry(display, window, &root, &x, &y, &width, &height, &border, &depth))
        return CBox();
    const auto outer = [border](unsigned size) { return static_cast<int32_t>(size + 2 * border); };
    return CBox(x, y, x + outer(width), y + outer(height));
}

Window parentOf(Display* display, Window window)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return 0;
    if (children)
        XFree(children);
    return parent == root ? 0 : parent;
}

}  // namespace

PlatformWindow* PlatformWindow::open(void* parent, int32_t width, int32_t height, WindowEventHandler& handler)
{
    if (!parent || width <= 0 || height <= 0)
        return nullptr;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    XSetIOErrorExitHandler(display, keepProcess, nullptr);
    PlatformWindow* window = nullptr;
    try {
        window = new PlatformWindow(display, width, height, handler);
    } catch (const std::bad_alloc&) {
        X11ErrorTrap trap(display);
        XCloseDisplay(display);
        return nullptr;
    }
    if (!window->create(static_cast<Window>(reinterpret_cast<uintptr_t>(parent)))) {
        delete window;
        return nullptr;
    }
    window->linkFirstOfThread();
    return window;
}

PlatformWindow::PlatformWindow(Display* display, int32_t width, int32_t height, WindowEventHandler& handler)
    : display_(display)
    , width_(width)
    , height_(height)
    , drawn_(static_cast<size_t>(width) * height, 0)
    , shown_(drawn_.size(), 0)
    , handler_(handler)
{
}

PlatformWindow::~PlatformWindow()
{
    unlinkFromThread();
    if (image_) {
        image_->data = nullptr;  // the pixels are drawn_'s
        XDestroyImage(image_);
    }
    X11ErrorTrap trap(display_);
    if (gc_)
        XFreeGC(display_, gc_);  // its client-side record; the server's part goes with the connection
    XCloseDisplay(display_);
}

bool PlatformWindow::create(Window parent)
{
    X11ErrorTrap trap(display_);
    XWindowAttributes parentAttributes;
    if (!XGetWindowAttributes(display_, parent, &parentAttributes) || !trap.succeeded())
        return false;
    const int screen = XScreenNumberOfScreen(parentAttributes.screen);
    Visual* visual = DefaultVisual(display_, screen);
    const int depth = DefaultDepth(display_, screen);
    if (!takesOurPixels(display_, visual, depth))
        return false;
    root_ = parentAttributes.root;
    visual_ = visual;
    // The parent's visual may differ from the screen's: with a colormap and border of its
    // own the child may still use the screen's.
    XSetWindowAttributes attributes = {};
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.colormap = DefaultColormap(display_, screen);
    attributes.event_mask = ExposureMask | ButtonPressMask | StructureNotifyMask;
    window_ = XCreateWindow(display_, parent, 0, 0, static_cast<unsigned>(width_),
        static_cast<unsigned>(height_), 0, depth, InputOutput, visual,
        CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask, &attributes);
    gc_ = XCreateGC(display_, window_, 0, nullptr);
    image_ = XCreateImage(display_, visual, static_cast<unsigned>(depth), ZPixmap, 0,
        reinterpret_cast<char*>(drawn_.data()), static_cast<unsigned>(width_), static_cast<unsigned>(height_),
        32, width_ * 4);
    if (!image_)
        return false;
    image_->byte_order = LSBFirst;  // as our pixels lie in memory; Xlib swaps for other servers
    fixSize(display_, window_, width_, height_);
    XMapWindow(display_, window_);
    return trap.succeeded();
}

NativeSurface* PlatformWindow::createSurface()
{
    return new (std::nothrow) NativeSurface(pixelMap(), this);
}

void PlatformWindow::surfaceReleased()
{
    const auto rowChanged = [this](int32_t y) {
        const size_t start = static_cast<size_t>(y) * width_;
        return std::memcmp(&drawn_[start], &shown_[start], static_cast<size_t>(width_) * sizeof(uint32_t))
            != 0;
    };
    int32_t top = 0;
    int32_t bottom = height_;
    while (top < bottom && !rowChanged(top))
        ++top;
    while (bottom > top && !rowChanged(bottom - 1))
        --bottom;
    if (top < bottom)
        present(CBox(0, top, width_, bottom));
}

void PlatformWindow::present(const CBox& area)
{
    const CBox visible = area.intersected(CBox(0, 0, width_, height_));
    if (!usable() || visible.isEmpty())
        return;
    X11ErrorTrap trap(display_);
    XPutImage(display_, window_, gc_, image_, visible.left, visible.top, visible.left, visible.top,
        static_cast<unsigned>(visible.width()), static_cast<unsigned>(visible.height()));
    XFlush(display_);
    check(trap);
    for (int32_t y = visible.top; y < visible.bottom; ++y) {
        const size_t start = static_cast<size_t>(y) * width_ + visible.left;
        std::copy_n(&drawn_[start], visible.width(), &shown_[start]);
    }
}

CBox PlatformWindow::box() const
{
    if (!usable())
        return CBox();
    X11ErrorTrap trap(display_);
    unsigned border = 0;  // ours has none: the outer box is the window's
    const CBox box = outerBox(display_, window_, border);
    check(trap);
    return trap.succeeded() ? box : CBox();
}

bool PlatformWindow::resize(int32_t width, int32_t height)
{
    if (!usable() || width <= 0 || height <= 0)
        return false;
    std::vector<uint32_t> drawn;
    std::vector<uint32_t> shown;
    try {
        drawn.assign(static_cast<size_t>(width) * height, 0);
        shown.assign(drawn.size(), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    X11ErrorTrap trap(display_);
    XImage* image = XCreateImage(display_, visual_, static_cast<unsigned>(image_->depth), ZPixmap, 0,
        reinterpret_cast<char*>(drawn.data()), static_cast<unsigned>(width), static_cast<unsigned>(height),
        32, width * 4);
    if (!image)
        return false;
    image->byte_order = LSBFirst;
    image_->data = nullptr;  // the pixels are drawn_'s
    XDestroyImage(image_);
    image_ = image;
    drawn_.swap(drawn);
    shown_.swap(shown);
    width_ = width;
    height_ = height;
    fixSize(display_, window_, width, height);
    XResizeWindow(display_, window_, static_cast<unsigned>(width), static_cast<unsigned>(height));
    // The server sends an exposure for the grown part only; the frame's pixels are all new.
    XClearArea(display_, window_, 0, 0, 0, 0, True);
    XFlush(display_);
    check(trap);
    return trap.succeeded();
}

bool PlatformWindow::resizeWithParents(int32_t width, int32_t height)
{
    if (!usable())
        return false;
    unsigned border = 0;
    CBox childBefore;
    {
        X11ErrorTrap trap(display_);
        childBefore = outerBox(display_, window_, border);
        check(trap);
    }
    if (!resize(width, height))
        return false;
    X11ErrorTrap trap(display_);
    ParentResizeWalk walk(width, height, kMaxGrownParents);
    Window child = window_;
    int32_t parentWidth = 0;
    int32_t parentHeight = 0;
    for (Window parent = parentOf(display_, child); parent; parent = parentOf(display_, child)) {
        const CBox parentBefore = outerBox(display_, parent, border);
        if (!walk.nextParentSize(childBefore, parentBefore, parentWidth, parentHeight))
            break;
        const auto inner = [border](int32_t size) {
            return static_cast<unsigned>(std::max<int32_t>(1, size - 2 * static_cast<int32_t>(border)));
        };
        XResizeWindow(display_, parent, inner(parentWidth), inner(parentHeight));
        child = parent;
        childBefore = parentBefore;
    }
    XFlush(display_);
    check(trap);
    return true;
}

CPos PlatformWindow::screenOrigin() const
{
    if (!usable())
        return CPos();
    X11ErrorTrap trap(display_);
    int x = 0;
    int y = 0;
    Window child;
    if (!XTranslateCoordinates(display_, window_, root_, 0, 0, &x, &y, &child))
        x = y = 0;
    check(trap);
    return CPos(x, y);
}

void PlatformWindow::dispatchEvents()
{
    XEvent event;
    while (nextEvent(event))
        handle(event);
}

bool PlatformWindow::nextEvent(XEvent& event)
{
    if (!usable())
        return false;
    X11ErrorTrap trap(display_);
    const bool waiting = XPending(display_) > 0;
    if (waiting)
        XNextEvent(display_, &event);
    check(trap);
    return waiting && !lost_;
}

bool PlatformWindow::paintOneExposure()
{
    if (!usable())
        return false;
    XEvent event;
    bool found;
    {
        X11ErrorTrap trap(display_);
        found = XCheckTypedWindowEvent(display_, window_, Expose, &event);
        check(trap);
    }
    if (found)
        handle(event);
    return found;
}

void PlatformWindow::handle(const XEvent& event)
{
    switch (event.type) {
    case Expose: {
        const XExposeEvent& exposure = event.xexpose;
        paint(CBox(exposure.x, exposure.y, exposure.x + exposure.width, exposure.y + exposure.height));
        break;
    }
    case ButtonPress:
        press(event.xbutton);
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == window_ && !destroyed_) {
            destroyed_ = true;
            handler_.onWindowDestroyed();
        }
        break;
    default:
        break;
    }
}

void PlatformWindow::press(const XButtonEvent& event)
{
    unlinkFromThread();
    linkFirstOfThread();
    const CPos where(event.x, event.y);
    switch (event.button) {
    case Button1:
    case Button2:
    case Button3:
        // The state with this press: a click the idle reads late is already over.
        handler_.onWindowMouseDown(where, x11::buttonState(event.state | x11::buttonMask(event.button)));
        break;
    case Button4:
        handler_.onWindowWheel(where, 1.0f);
        break;
    case Button5:
        handler_.onWindowWheel(where, -1.0f);
        break;
    default:
        break;
    }
}

void PlatformWindow::paint(const CBox& area)
{
    // No owner: the exposed area goes to the server below whether or not its pixels changed.
    NativeSurface surface(pixelMap());
    handler_.onWindowPaint(&surface, area);
    present(area);
}

bool PlatformWindow::queryPointer(CPos& where, unsigned& mask)
{
    if (!usable())
        return false;
    X11ErrorTrap trap(display_);
    Window root;
    Window child;
    int rootX = 0;
    int rootY = 0;
    int x;
    int y;
    unsigned state = 0;
    const bool onThisScreen = XQueryPointer(display_, root_, &root, &child, &rootX, &rootY, &x, &y, &state);
    check(trap);
    if (!onThisScreen || lost_)
        return false;
    where = CPos(rootX, rootY);
    mask = state;
    return true;
}

void PlatformWindow::showCursor(int shape)
{
    if (!usable())
        return;
    X11ErrorTrap trap(display_);
    if (shape < 0) {
        XUndefineCursor(display_, window_);
    } else {
        const Cursor cursor = XCreateFontCursor(display_, static_cast<unsigned>(shape));
        XDefineCursor(display_, window_, cursor);
        XFreeCursor(display_, cursor);  // the window keeps it
    }
    XFlush(display_);
    check(trap);
}

void PlatformWindow::check(const X11ErrorTrap& trap) const
{
    if (trap.connectionLost() && !lost_) {
        lost_ = true;
        handler_.onWindowDestroyed();
    }
}

PlatformWindow* PlatformWindow::firstOfThread()
{
    return windowsOfThread;
}

void PlatformWindow::linkFirstOfThread()
{
    nextOfThread_ = windowsOfThread;
    windowsOfThread = this;
}

void PlatformWindow::unlinkFromThread()
{
    for (PlatformWindow** link = &windowsOfThread; *link; link = &(*link)->nextOfThread_) {
        if (*link == this) {
            *link = nextOfThread_;
            break;
        }
    }
    nextOfThread_ = nullptr;
}

namespace platform {

PlatformWindow* createWindow(void* parent, int32_t width, int32_t height, WindowEventHandler& handler)
{
    return PlatformWindow::open(parent, width, height, handler);
}

void destroyWindow(PlatformWindow* window)
{
    if (!window)
        return;
    WindowEventHandler& handler = window->handler();
    delete window;
    handler.onWindowDestroyed();
}

CPos windowScreenOrigin(const PlatformWindow* window)
{
    return window ? window->screenOrigin() : CPos();
}

CBox windowBox(const PlatformWindow* window)
{
    return window ? window->box() : CBox();
}

bool resizeWindow(PlatformWindow* window, int32_t width, int32_t height)
{
    return window && window->resize(width, height);
}

bool resizeWindowAndParents(PlatformWindow* window, int32_t width, int32_t height)
{
    return window && window->resizeWithParents(width, height);
}

uintptr_t nativeWindowId(const PlatformWindow* window)
{
    return window ? window->id() : 0;
}

NativeSurface* createWindowSurface(PlatformWindow* window)
{
    return window ? window->createSurface() : nullptr;
}

bool dispatchOnePendingPaint()
{
    for (PlatformWindow* window = PlatformWindow::firstOfThread(); window; window = window->nextOfThread())
        if (window->paintOneExposure())
            return true;
    return false;
}

void dispatchWindowEvents(PlatformWindow* window)
{
    if (window)
        window->dispatchEvents();
}

}  // namespace platform
