// What a frame needs from the editor that owns it: the idle pump that keeps the window and
// the host alive during a mouse-tracking loop, the edit gestures for the host, and the knob
// mode. Called on the thread that owns the editor window.
#pragma once

#include <cstdint>

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
};
