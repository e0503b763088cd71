#include "tests/x11/TestDisplay.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

TestDisplay::TestDisplay()
    : display_(XOpenDisplay(nullptr))
{
}

TestDisplay::~TestDisplay()
{
    if (display_)
        XCloseDisplay(display_);
}

Window TestDisplay::createParent(CPos origin, int32_t width, int32_t height)
{
    XSetWindowAttributes attributes = {};
    attributes.override_redirect = True;
    attributes.background_pixel = 0;
    const Window window = XCreateWindow(display_, DefaultRootWindow(display_), origin.h, origin.v,
        static_cast<unsigned>(width), static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
        CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapWindow(display_, window);
    XSync(display_, False);
    return window;
}

void TestDisplay::destroy(Window window)
{
    XDestroyWindow(display_, window);
    XSync(display_, False);
}

Window TestDisplay::childOf(Window parent)
{
    Window root;
    Window grandParent;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, parent, &root, &grandParent, &children, &count))
        return 0;
    const Window child = count > 0 ? children[0] : 0;
    if (children)
        XFree(children);
    return child;
}

std::vector<uint32_t> TestDisplay::read(Window window, int32_t width, int32_t height)
{
    std::vector<uint32_t> pixels;
    XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(width),
        static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image)
        return pixels;
    pixels.reserve(static_cast<size_t>(width) * height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xffffffu);
    XDestroyImage(image);
    return pixels;
}

void TestDisplay::movePointer(CPos root)
{
    XTestFakeMotionEvent(display_, -1, root.h, root.v, CurrentTime);
    XSync(display_, False);
}

void TestDisplay::setButton(unsigned button, bool down)
{
    XTestFakeButtonEvent(display_, button, down ? True : False, CurrentTime);
    XSync(display_, False);
}

bool samePicture(const std::vector<uint32_t>& shown, const std::vector<uint32_t>& expected)
{
    if (shown.size() != expected.size())
        return false;
    for (size_t i = 0; i < shown.size(); ++i)
        if ((shown[i] & 0xffffffu) != (expected[i] & 0xffffffu))
            return false;
    return true;
}
