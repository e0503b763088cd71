// What a frame needs from the editor that owns it: the idle pump that keeps the window and
// the host alive during a mouse-tracking loop, the edit gestures for the host, and the knob
// mode. Called on the thread that owns the editor window.
#pragma once

#include <cstdint>

// A window the host opens on a frame's request: what the frame asks for, and the host's window.
struct HostWindowRecord {
    char title[64] = "";
    int32_t width = 0;
    int32_t height = 0;
    void* window = nullptr;  // the host's, set by the editor that opened it
};

class CEditor {
public:
    virtual ~CEditor() = default;
    // Called repeatedly by tracking loops; throttles itself.
    virtual void doIdleStuff() = 0;
    // A control starts / ends a gesture on parameter index; true when the host accepted.
    virtual bool beginEdit(int32_t index) = 0;
    virtual bool endEdit(int32_t index) = 0;
    // How knobs follow a drag: 2 linear, other values circular (Alt swaps the two).
    virtual int32_t getKnobMode() const = 0;
    // Asks the host to give the editor window width x height; true when the host did.
    // Editors without such a host answer false.
    virtual bool sizeWindow(int32_t /*width*/, int32_t /*height*/) { return false; }
    // Asks the host for a window as record describes, and sets record.window to it; false
    // when the host opens none.
    virtual bool openHostWindow(HostWindowRecord& /*record*/) { return false; }
    // Gives back a window that openHostWindow got.
    virtual void closeHostWindow(HostWindowRecord& /*record*/) { }
};
