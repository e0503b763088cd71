// The X11 window side's window: a child of the host's window on a display connection of its
// own, showing pixels kept in memory (the software platform draws into them). What is drawn
// reaches the server when the drawing surface is released, only the rows that changed;
// exposed areas are repainted from the frame's back buffer. Every call runs on the thread
// that opened the window, and every Xlib call sits inside an X11ErrorTrap.
#pragma once

#include "gui/CBox.h"
#include "gui/platform/Platform.h"
#include "gui/platform/software/SoftwareSurface.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

class X11ErrorTrap;

struct PlatformWindow final : private SurfaceOwner {
    // Null when there is no display, parent is no window on it, or its screen's pixels are
    // not 32-bit red, green, blue.
    static PlatformWindow* open(void* parent, int32_t width, int32_t height, WindowEventHandler& handler);
    // Closes the connection, which takes the window and everything else of ours on the server.
    ~PlatformWindow() override;
    PlatformWindow(const PlatformWindow&) = delete;
    PlatformWindow& operator=(const PlatformWindow&) = delete;

    WindowEventHandler& handler() const { return handler_; }
    Window id() const { return window_; }
    // A surface that draws onto the window; null when memory is short.
    NativeSurface* createSurface();
    CPos screenOrigin() const;
    // In the parent's coordinates, as the server has it.
    CBox box() const;
    // Pixels and window take the new size; the whole window is exposed to be painted anew.
    bool resize(int32_t width, int32_t height);
    // As resize, then the parent windows grow with it (ParentResizeWalk), up to a top-level one.
    bool resizeWithParents(int32_t width, int32_t height);
    // Hands every queued event to the handler: exposures, presses, wheel turns, the end.
    void dispatchEvents();
    // One waiting exposure painted; false when none waited.
    bool paintOneExposure();
    // The pointer on the window's screen and the X button and modifier mask; false when it
    // cannot be read.
    bool queryPointer(CPos& where, unsigned& mask);
    // shape: an X cursor font shape, or -1 for the parent's cursor.
    void showCursor(int shape);

    // This thread's windows, the one pressed or opened last first.
    static PlatformWindow* firstOfThread();
    PlatformWindow* nextOfThread() const { return nextOfThread_; }

private:
    PlatformWindow(Display* display, int32_t width, int32_t height, WindowEventHandler& handler);
    bool create(Window parent);
    void surfaceReleased() override;
    void present(const CBox& area);
    bool nextEvent(XEvent& event);
    void handle(const XEvent& event);
    void press(const XButtonEvent& event);
    void paint(const CBox& area);
    // After a trap: a lost connection ends the window for its handler.
    void check(const X11ErrorTrap& trap) const;
    bool usable() const { return !lost_ && !destroyed_; }
    PixelMap pixelMap() { return PixelMap{drawn_.data(), width_, height_, width_}; }
    void linkFirstOfThread();
    void unlinkFromThread();

    Display* display_;
    Window window_ = 0;
    Window root_ = 0;
    Visual* visual_ = nullptr;  // the screen's, which our pixels fit
    GC gc_ = nullptr;
    XImage* image_ = nullptr;  // over drawn_
    int32_t width_;
    int32_t height_;
    std::vector<uint32_t> drawn_;  // what the frame drew
    std::vector<uint32_t> shown_;  // what the server was given
    WindowEventHandler& handler_;
    mutable bool lost_ = false;  // the connection broke
    bool destroyed_ = false;     // the server destroyed the window (its parent went)
    PlatformWindow* nextOfThread_ = nullptr;
};
