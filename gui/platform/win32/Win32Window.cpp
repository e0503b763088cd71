// The frame's child window: the class "Plugin<module handle in hex>", registered while any
// frame window exists, and a window procedure that only translates messages.
#include "gui/platform/ParentResizeWalk.h"
#include "gui/platform/Platform.h"
#include "gui/platform/win32/CDropTarget.h"
#include "gui/platform/win32/Win32Surface.h"

#include <cinttypes>
#include <cstdio>
#include <new>

struct PlatformWindow {
    HWND hwnd;
    WindowEventHandler& handler;
    CDropTarget* dropTarget;
    HBRUSH textEntryBrush;  // the background given to text-entry controls, kept until the end
    COLORREF textEntryBrushColor;
};

namespace {

int classUseCount = 0;
bool buttonsSwapped = false;

const char* className()
{
    static char name[32];
    // The whole handle, so that two modules loaded above 4 GB never share a class name.
    std::snprintf(name, sizeof name, "Plugin%" PRIxPTR, reinterpret_cast<uintptr_t>(win32::toolkitModule()));
    return name;
}

PlatformWindow* windowOf(HWND hwnd)
{
    return reinterpret_cast<PlatformWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void paint(HWND hwnd, PlatformWindow& window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc) {
        NativeSurface surface(NativeSurface::Kind::paint, dc, hwnd);
        const RECT& area = paint.rcPaint;
        window.handler.onWindowPaint(&surface, CBox(area.left, area.top, area.right, area.bottom));
        win32::releaseSurfaceObjects(surface);
    }
    EndPaint(hwnd, &paint);
}

COLORREF colorRef(const CRgba& color)
{
    return RGB(color.red, color.green, color.blue);
}

// A text-entry control asks how to draw itself: in the colours its view gives, when it gives any.
LRESULT textEntryColors(HWND hwnd, PlatformWindow& window, WPARAM wParam, LPARAM lParam)
{
    HDC dc = reinterpret_cast<HDC>(wParam);
    CRgba text;
    CRgba background;
    if (!window.handler.textEntryColors(text, background))
        return DefWindowProcA(hwnd, WM_CTLCOLOREDIT, wParam, lParam);
    const COLORREF backgroundRef = colorRef(background);
    if (!window.textEntryBrush || window.textEntryBrushColor != backgroundRef) {
        HBRUSH brush = CreateSolidBrush(backgroundRef);
        if (!brush)
            return DefWindowProcA(hwnd, WM_CTLCOLOREDIT, wParam, lParam);
        if (window.textEntryBrush)
            DeleteObject(window.textEntryBrush);
        window.textEntryBrush = brush;
        window.textEntryBrushColor = backgroundRef;
    }
    SetTextColor(dc, colorRef(text));
    SetBkColor(dc, backgroundRef);
    return reinterpret_cast<LRESULT>(window.textEntryBrush);
}

// The window's box in its parent's coordinates.
CBox boxInParent(HWND hwnd)
{
    RECT rect;
    if (!GetWindowRect(hwnd, &rect))
        return CBox();
    MapWindowPoints(HWND_DESKTOP, GetAncestor(hwnd, GA_PARENT), reinterpret_cast<POINT*>(&rect), 2);
    return CBox(rect.left, rect.top, rect.right, rect.bottom);
}

bool setWindowSize(HWND hwnd, int32_t width, int32_t height)
{
    return SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
}

// The parent a resize may carry on to: none above a top-level window or at an MDI host's
// client area, whose windows the host arranges itself.
HWND growableParent(HWND hwnd)
{
    HWND parent = GetAncestor(hwnd, GA_PARENT);
    if (!parent || parent == GetDesktopWindow())
        return nullptr;
    char name[16];
    if (GetClassNameA(parent, name, sizeof name) && lstrcmpiA(name, "MDIClient") == 0)
        return nullptr;
    return parent;
}

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    PlatformWindow* window = windowOf(hwnd);
    if (!window)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY:
        window->handler.onWindowDestroyed();
        break;
    case WM_PAINT: {
        RECT update;
        if (GetUpdateRect(hwnd, &update, FALSE)) {
            paint(hwnd, *window);
            return 0;
        }
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        window->handler.onWindowMouseDown(CPos(LOWORD(lParam), HIWORD(lParam)), -1);
        return 0;
    case WM_MOUSEWHEEL: {
        POINT where = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(hwnd, &where);
        // WHEEL_DELTA (120) a notch, scaled by a multiplication: three notches give 3.0000002.
        const float notches = static_cast<short>(HIWORD(wParam)) * 0.008333334f;
        window->handler.onWindowWheel(CPos(where.x, where.y), notches);
        break;  // the parent gets the wheel too
    }
    case WM_CTLCOLOREDIT:
        return textEntryColors(hwnd, *window, wParam, lParam);
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool registerClass()
{
    if (classUseCount++ > 0)
        return true;
    buttonsSwapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    WNDCLASSA windowClass = {};
    windowClass.style = CS_GLOBALCLASS;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = win32::toolkitModule();
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className();
    if (RegisterClassA(&windowClass))
        return true;
    classUseCount = 0;
    return false;
}

void unregisterClass()
{
    if (--classUseCount == 0)
        UnregisterClassA(className(), win32::toolkitModule());
}

}  // namespace

namespace win32 {

bool mouseButtonsSwapped()
{
    return buttonsSwapped;
}

}  // namespace win32

namespace platform {

PlatformWindow* createWindow(void* parent, int32_t width, int32_t height, WindowEventHandler& handler)
{
    if (!parent || !registerClass())
        return nullptr;
    HWND hwnd = CreateWindowExA(0, className(), "Window", WS_CHILD | WS_VISIBLE, 0, 0, width, height,
        static_cast<HWND>(parent), nullptr, win32::toolkitModule(), nullptr);
    auto* window = hwnd ? new (std::nothrow) PlatformWindow{hwnd, handler, nullptr, nullptr, 0} : nullptr;
    if (!window) {
        if (hwnd)
            DestroyWindow(hwnd);
        unregisterClass();
        return nullptr;
    }
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    // Needs OLE on this thread; without it the window simply takes no drops.
    auto* dropTarget = new (std::nothrow) CDropTarget(handler, hwnd);
    if (dropTarget && RegisterDragDrop(hwnd, dropTarget) == S_OK)
        window->dropTarget = dropTarget;
    else if (dropTarget)
        dropTarget->Release();
    return window;
}

void destroyWindow(PlatformWindow* window)
{
    if (!window)
        return;
    if (window->dropTarget) {
        RevokeDragDrop(window->hwnd);
        window->dropTarget->Release();
    }
    // Messages from here on go to the default procedure; the handler hears of it directly.
    SetWindowLongPtrA(window->hwnd, GWLP_USERDATA, 0);
    if (IsWindow(window->hwnd))
        DestroyWindow(window->hwnd);
    window->handler.onWindowDestroyed();
    if (window->textEntryBrush)
        DeleteObject(window->textEntryBrush);
    delete window;
    unregisterClass();
}

uintptr_t nativeWindowId(const PlatformWindow* window)
{
    return window ? reinterpret_cast<uintptr_t>(window->hwnd) : 0;
}

CPos windowScreenOrigin(const PlatformWindow* window)
{
    RECT rect;
    if (!window || !GetWindowRect(window->hwnd, &rect))
        return CPos();
    return CPos(rect.left, rect.top);
}

CBox windowBox(const PlatformWindow* window)
{
    return window ? boxInParent(window->hwnd) : CBox();
}

bool resizeWindow(PlatformWindow* window, int32_t width, int32_t height)
{
    if (!window || width <= 0 || height <= 0 || !setWindowSize(window->hwnd, width, height))
        return false;
    // The system repaints only what a grown window gained; the frame's back buffer is new.
    InvalidateRect(window->hwnd, nullptr, FALSE);
    return true;
}

bool resizeWindowAndParents(PlatformWindow* window, int32_t width, int32_t height)
{
    if (!window)
        return false;
    CBox childBefore = boxInParent(window->hwnd);
    if (!resizeWindow(window, width, height))
        return false;
    ParentResizeWalk walk(width, height, 2 * GetSystemMetrics(SM_CYDLGFRAME));
    HWND child = window->hwnd;
    int32_t parentWidth = 0;
    int32_t parentHeight = 0;
    for (HWND parent = growableParent(child); parent; parent = growableParent(child)) {
        const CBox parentBefore = boxInParent(parent);
        if (!walk.nextParentSize(childBefore, parentBefore, parentWidth, parentHeight))
            break;
        setWindowSize(parent, parentWidth, parentHeight);
        child = parent;
        childBefore = parentBefore;
    }
    return true;
}

NativeSurface* createWindowSurface(PlatformWindow* window)
{
    if (!window)
        return nullptr;
    HDC dc = GetDC(window->hwnd);
    if (!dc)
        return nullptr;
    auto* surface = new (std::nothrow) NativeSurface(NativeSurface::Kind::window, dc, window->hwnd);
    if (!surface)
        ReleaseDC(window->hwnd, dc);
    return surface;
}

bool dispatchOnePendingPaint()
{
    MSG message;
    if (!PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        return false;
    DispatchMessageA(&message);
    return true;
}

// The host's message loop delivers the window's messages to the window procedure.
void dispatchWindowEvents(PlatformWindow*) { }

}  // namespace platform
