// The functions a platform must define besides drawing: the frame's child window, the input
// and clock the toolkit polls, the paint pump, resources, and the system services a frame
// holds while it lives. One implementation per folder under gui/platform/, chosen by CMake.
// Everything runs on the thread that owns the editor window.
#pragma once

#include "gui/CBox.h"
#include "gui/CRgba.h"

#include <cstddef>
#include <cstdint>

struct PlatformWindow;  // native window state, defined by the platform
struct NativeSurface;

// What a platform window reports to its owner; native event code only translates into these.
class WindowEventHandler {
public:
    virtual ~WindowEventHandler() = default;
    // The system wants area repainted; windowSurface draws onto the window meanwhile.
    virtual void onWindowPaint(NativeSurface* windowSurface, const CBox& area) = 0;
    // A mouse button went down at where (window coordinates). buttons: the CButtonState bits
    // of the press, or -1 when the press is handled at once and the state now is the press's.
    virtual void onWindowMouseDown(CPos where, int32_t buttons) = 0;
    // distance: wheel notches, positive away from the user.
    virtual void onWindowWheel(CPos where, float distance) = 0;
    virtual void onWindowDestroyed() = 0;
    // Whether a drag over the window may be dropped.
    virtual bool wantsDrops() const { return false; }
    // Something was dropped at where; drag is the platform's data (a CDropFiles for files).
    // True: taken.
    virtual bool onWindowDrop(CPos /*where*/, void* /*drag*/) { return false; }
    // The colours for a text-entry control inside the window; false: the system's own.
    virtual bool textEntryColors(CRgba& /*text*/, CRgba& /*background*/) const { return false; }
};

struct ResourceBytes {
    const uint8_t* data = nullptr;  // null when there is no such resource
    size_t size = 0;
};

namespace platform {

// A visible child window of parent at (0, 0); null when parent is null or creation failed.
PlatformWindow* createWindow(void* parent, int32_t width, int32_t height, WindowEventHandler& handler);
// Reports onWindowDestroyed to the handler before it returns.
void destroyWindow(PlatformWindow* window);
// The window system's id of the window (an HWND, an X11 window); 0 for none.
uintptr_t nativeWindowId(const PlatformWindow* window);
CPos windowScreenOrigin(const PlatformWindow* window);
// The window's rectangle in its parent's coordinates, as the window system has it; empty
// for a null window.
CBox windowBox(const PlatformWindow* window);
// Gives the window a new size, its top-left corner staying; what it showed is lost and a
// paint of the whole window follows. False when it could not be done.
bool resizeWindow(PlatformWindow* window, int32_t width, int32_t height);
// As resizeWindow, and then the parent windows grow with it, as ParentResizeWalk says: for
// hosts that cannot size their editor window themselves.
bool resizeWindowAndParents(PlatformWindow* window, int32_t width, int32_t height);
// A surface that draws onto the window; null for a null window.
NativeSurface* createWindowSurface(PlatformWindow* window);

CPos cursorScreenPosition();
// CButtonState bits of the buttons and modifier keys held now.
int32_t currentButtons();
// A CCursor kind; kinds without a system cursor restore the one in use before the first call.
void setCursor(int32_t kind);

// Milliseconds; wraps around after 2^32.
uint32_t tickCount();
// The longest interval, in milliseconds, between two clicks the user means as a double click.
uint32_t doubleClickTime();
void sleepMilliseconds(uint32_t milliseconds);
// Handles one paint request waiting for a window of this thread; false when none waited.
bool dispatchOnePendingPaint();
// Handles what the window system queued for window (paints, presses, wheel turns, its end)
// where no message loop of the host delivers it; elsewhere nothing.
void dispatchWindowEvents(PlatformWindow* window);

// The PNG resource with this id in the module that contains the toolkit.
ResourceBytes findResource(int32_t id);

// Per-thread services behind file drops; counted, every successful init needs a release.
bool initComponentServices();
void releaseComponentServices();
// What image blending needs (a run-time library on Windows); counted like the above.
void loadDrawingServices();
void unloadDrawingServices();

}  // namespace platform
