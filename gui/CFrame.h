// The root of a view tree and its child window in the host's editor window. Nothing is drawn
// when a view changes: the editor's idle calls idle(), which first lets the platform hand
// over the window's queued events (where no host message loop does), then redraws the dirty
// views into a back buffer of the frame's size and copies the whole frame to the window. Window paints
// draw their area into the back buffer and copy that area. Mouse presses reach the
// last-added view under the pointer; keys reach the focus view, then the modal view.
// Everything runs on the thread that owns the window.
#pragma once

#include "gui/CViewContainer.h"
#include "gui/platform/Platform.h"

#include <cstdint>
#include <memory>

class CBackBuffer;
class CEditor;
struct HostWindowRecord;

enum CCursorType : int32_t {
    kCursorDefault = 0,
    kCursorWait = 1,
    kCursorHSize = 2,
    kCursorVSize = 3,
    kCursorSizeAll = 4,
    kCursorNESWSize = 5,
    kCursorNWSESize = 6,
    kCursorNotAllowed = 8,
};

class CFrame : public CViewContainer, private WindowEventHandler {
public:
    // Makes the child window of parentWindow at once; a null parent makes a frame without
    // a window, which draws nothing. editor may be null.
    CFrame(const CBox& size, void* parentWindow, CEditor* editor);
    // Destroys the window (and the host's, when it opened one for the frame) and every child view.
    ~CFrame() override;

    // For a frame made without a parent window: asks the editor's host for a window titled
    // title at the frame's size and opens the frame's window in it. False when the frame
    // already has a window or the host opens none.
    bool openInHostWindow(const char* title);
    // Closes the frame's window and gives the host's back; false when not in a host window.
    bool closeHostWindow();

    // Handles the window's queued events, then redraws the dirty views once the window has
    // been painted for the first time. Events wait while a press handled here is tracked.
    void idle();
    // The editor's idle pump, for tracking loops.
    void doIdleStuff();
    // The editor's knob mode; 0 without an editor.
    int32_t getKnobMode() const;
    // The system's milliseconds; 0 without an editor, as nothing then paces idle passes.
    uint32_t getTicks() const;
    bool beginEdit(int32_t tag);
    bool endEdit(int32_t tag);
    CEditor* getEditor() const { return editor_; }

    // False once the window was destroyed.
    bool isAlive() const { return alive_; }
    int32_t getWidth() const { return size_.width(); }
    int32_t getHeight() const { return size_.height(); }
    PlatformWindow* getPlatformWindow() const { return window_; }
    // The window system's id of the frame's window (an HWND, an X11 window), for hosts that
    // take it as the plug-in's widget; 0 without a window.
    uintptr_t getNativeWindowId() const { return platform::nativeWindowId(window_); }
    // Window and frame take the new size and the back buffer is made anew; false without a
    // window, for a size below 1 or when the size is the same. The editor's host sizes its window when it
    // can; otherwise the parent windows grow with the frame's up to one of the host's own.
    bool setSize(int32_t width, int32_t height);
    // Where the window lies in its parent, as the window system has it; false without one.
    bool getPosition(int32_t& x, int32_t& y) const;
    // The window's rectangle in its parent, as the window system has it; false without one.
    bool getSize(CBox& box) const;
    // The window's position on the screen; (0, 0) without a window.
    CPos getWindowOrigin() const;
    // The mouse position now, in window coordinates.
    CPos getCurrentLocation() const;
    void setCursor(CCursorType kind);
    // Made on first use at the frame's size; null when the system cannot make one.
    CBackBuffer* getBackBuffer();

    // The modal view takes clicks first and is a child while set. Refused while another is set.
    bool setModalView(CView* view);
    CView* getModalView() const { return modalView_; }
    // The modal view while one is set, else the child under the mouse.
    CView* getCurrentView() const override;
    void setFocusView(CView* view);
    CView* getFocusView() const { return focusView_; }
    // Whether the frame wants drops; off until enabled.
    void enableDrop(bool enable) { dropEnabled_ = enable; }
    bool isDropEnabled() const { return dropEnabled_; }
    // Marks every child whose size overlaps box (edges included) dirty.
    void invalidate(const CBox& box);
    // Draws view (or the whole frame, when view is not a child) at once onto the window.
    void invalidate(CView* view);
    // While disabled, update draws nothing and dirty views stay dirty. Returns the old value.
    bool setUpdatesDisabled(bool disabled);
    bool getUpdatesDisabled() const { return updatesDisabled_; }

    void drawRect(CGraphics* context, const CBox& updateBox) override;
    void mouse(CGraphics* context, CPos& where, int32_t buttons) override;
    int32_t onKeyDown(const CKeyCode& key) override;
    int32_t onKeyUp(const CKeyCode& key) override;
    bool onWheel(CGraphics* context, const CPos& where, float distance) override;
    // Draws what is dirty into the back buffer and copies the whole frame onto context.
    void update(CGraphics* context) override;
    // As setSize: the frame always sits at its window's origin.
    void setViewSize(const CBox& size) override;

    bool isOfType(const char* name) const override;

private:
    void onWindowPaint(NativeSurface* windowSurface, const CBox& area) override;
    void onWindowMouseDown(CPos where, int32_t buttons) override;
    void onWindowWheel(CPos where, float distance) override;
    void onWindowDestroyed() override;
    bool wantsDrops() const override { return dropEnabled_; }
    bool onWindowDrop(CPos where, void* drag) override;
    // A text-entry control takes the colours of the current view, when it gives any.
    bool textEntryColors(CRgba& text, CRgba& background) const override;
    void advanceFocus(bool backwards);
    void releaseBackBuffer();
    void drawDirtyChildren(CGraphics* target);

    CEditor* editor_;
    CView* modalView_ = nullptr;
    CView* focusView_ = nullptr;
    bool notYetPainted_ = true;
    bool alive_ = true;
    bool dropEnabled_ = false;
    bool updatesDisabled_ = false;
    bool dispatchingEvents_ = false;  // idle is inside the platform's event dispatch
    bool componentServices_ = false;  // this frame holds a count of them
    PlatformWindow* window_ = nullptr;
    CBackBuffer* backBuffer_ = nullptr;
    std::unique_ptr<HostWindowRecord> hostWindow_;  // while the window lives in one of the host's
};
