// What a control reports to: every value change a user makes, and modifier clicks it may
// take over before the control handles them.
#pragma once

#include <cstdint>

class CControl;
class CGraphics;

class CControlListener {
public:
    virtual ~CControlListener() = default;
    // control's value changed through the mouse, wheel or keys; context may be null.
    virtual void valueChanged(CGraphics* context, CControl* control) = 0;
    // A click with Shift, Control or Alt held; non-zero consumes it.
    virtual int32_t onModifierClick(CGraphics*, CControl*, int32_t) { return 0; }
};
