// The window side without a window system: windows are pixel maps in memory, input and the
// clock come from ScriptedInput.
#include "gui/platform/Platform.h"
#include "gui/platform/offscreen/OffscreenWindow.h"
#include "gui/platform/offscreen/ScriptedInput.h"
#include "gui/platform/software/SoftwareSurface.h"

#include <algorithm>
#include <new>
#include <vector>

struct PlatformWindow {
    PlatformWindow(int32_t width, int32_t height, WindowEventHandler& eventHandler)
        : pixels(static_cast<size_t>(width) * height, 0)
        , map{pixels.data(), width, height, width}
        , handler(eventHandler)
        , pendingPaint(0, 0, width, height)  // a new visible window waits for its first paint
    {
    }

    std::vector<uint32_t> pixels;
    PixelMap map;
    WindowEventHandler& handler;
    CBox pendingPaint;
    CPos screenOrigin;
};

namespace {

std::vector<PlatformWindow*>& openWindows()
{
    static std::vector<PlatformWindow*> windows;
    return windows;
}

int32_t cursorKind = 0;
int parentToken = 0;

CBox unite(const CBox& a, const CBox& b)
{
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    return CBox(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
        std::max(a.bottom, b.bottom));
}

}  // namespace

namespace platform {

PlatformWindow* createWindow(void* parent, int32_t width, int32_t height, WindowEventHandler& handler)
{
    if (!parent || width <= 0 || height <= 0)
        return nullptr;
    try {
        auto* window = new PlatformWindow(width, height, handler);
        openWindows().push_back(window);
        return window;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void destroyWindow(PlatformWindow* window)
{
    if (!window)
        return;
    auto& windows = openWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
    window->handler.onWindowDestroyed();
    delete window;
}

// A window here is only memory; its address stands for it.
uintptr_t nativeWindowId(const PlatformWindow* window)
{
    return reinterpret_cast<uintptr_t>(window);
}

CPos windowScreenOrigin(const PlatformWindow* window)
{
    return window ? window->screenOrigin : CPos();
}

CBox windowBox(const PlatformWindow* window)
{
    return window ? CBox(0, 0, window->map.width, window->map.height) : CBox();
}

bool resizeWindow(PlatformWindow* window, int32_t width, int32_t height)
{
    if (!window || width <= 0 || height <= 0)
        return false;
    try {
        window->pixels.assign(static_cast<size_t>(width) * height, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    window->map = PixelMap{window->pixels.data(), width, height, width};
    window->pendingPaint = CBox(0, 0, width, height);
    return true;
}

// The stand-in parent has no size of its own to keep.
bool resizeWindowAndParents(PlatformWindow* window, int32_t width, int32_t height)
{
    return resizeWindow(window, width, height);
}

NativeSurface* createWindowSurface(PlatformWindow* window)
{
    return window ? new (std::nothrow) NativeSurface(window->map) : nullptr;
}

CPos cursorScreenPosition()
{
    return ScriptedInput::instance().cursor();
}

int32_t currentButtons()
{
    return ScriptedInput::instance().buttons();
}

void setCursor(int32_t kind)
{
    cursorKind = kind;
}

uint32_t doubleClickTime()
{
    return 400;
}

uint32_t tickCount()
{
    return ScriptedInput::instance().now();
}

void sleepMilliseconds(uint32_t milliseconds)
{
    ScriptedInput::instance().advance(milliseconds);
}

bool dispatchOnePendingPaint()
{
    for (PlatformWindow* window : openWindows()) {
        if (window->pendingPaint.isEmpty())
            continue;
        const CBox area = window->pendingPaint;
        window->pendingPaint = CBox();
        NativeSurface surface(window->map);
        window->handler.onWindowPaint(&surface, area);
        return true;
    }
    return false;
}

// Tests deliver paints, presses and wheel turns themselves.
void dispatchWindowEvents(PlatformWindow*) { }

}  // namespace platform

namespace offscreen {

void* parentWindow()
{
    return &parentToken;
}

const PixelMap& windowPixels(const PlatformWindow* window)
{
    return window->map;
}

void setScreenOrigin(PlatformWindow* window, CPos origin)
{
    window->screenOrigin = origin;
}

void requestPaint(PlatformWindow* window, const CBox& area)
{
    window->pendingPaint
        = unite(window->pendingPaint, area.intersected(CBox(0, 0, window->map.width, window->map.height)));
}

void pressMouse(PlatformWindow* window, CPos where)
{
    window->handler.onWindowMouseDown(where, -1);
}

void turnWheel(PlatformWindow* window, CPos where, float distance)
{
    window->handler.onWindowWheel(where, distance);
}

bool drop(PlatformWindow* window, CPos where, void* drag)
{
    return window->handler.wantsDrops() && window->handler.onWindowDrop(where, drag);
}

int32_t openWindowCount()
{
    return static_cast<int32_t>(openWindows().size());
}

int32_t currentCursor()
{
    return cursorKind;
}

}  // namespace offscreen
