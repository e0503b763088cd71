// The base of every view that carries a value from 0 to 1: a default of 0.5 for Control-click,
// a step of 0.1 for the wheel and arrow keys, and a listener that hears every change a user
// makes.
// Dirtiness follows the value: the control is dirty while its value differs from the one
// last drawn, so any change of value asks for a redraw without further bookkeeping.
#pragma once

#include "gui/CView.h"

#include <cstdint>

class CControlListener;

class CControl : public CView {
public:
    CControl(const CBox& size, CControlListener* listener, int32_t tag, CImage* background);

    // Only stores: the drawing it causes happens on the frame's next idle pass.
    virtual void setValue(float value) { value_ = value; }
    float getValue() const { return value_; }
    void setMin(float minValue) { minValue_ = minValue; }
    float getMin() const { return minValue_; }
    void setMax(float maxValue) { maxValue_ = maxValue; }
    float getMax() const { return maxValue_; }
    // The value at the last draw; storing a different one asks for a redraw.
    void setDrawnValue(float value) { drawnValue_ = value; }
    float getDrawnValue() const { return drawnValue_; }
    // The value Control-click resets to.
    void setDefaultValue(float value) { defaultValue_ = value; }
    float getDefaultValue() const { return defaultValue_; }
    void setTag(int32_t tag) { tag_ = tag; }
    int32_t getTag() const { return tag_; }
    // The step of one wheel notch or arrow key.
    void setWheelStep(float step) { wheelStep_ = step; }
    float getWheelStep() const { return wheelStep_; }

    // Where in the background image this control's block starts.
    void setImageOffset(CPos offset) { imageOffset_ = offset; }
    CPos getImageOffset() const { return imageOffset_; }
    // For a background as large as the parent: the block under this control.
    void imageOffsetFromOrigin() { imageOffset_ = CPos(size_.left, size_.top); }

    int32_t getDoubleClickTime() const { return doubleClickTime_; }

    // Keeps the value within min and max.
    void clampValue();
    // Makes this control the frame's focus and opens the host's edit gesture on tag.
    void beginEdit();
    void endEdit();
    // Left click with Control alone: back to the default value, reported once. True when it
    // was such a click.
    bool resetOnCtrlClick(CGraphics* context, int32_t buttons);
    // A click with a modifier goes to the listener first; true when the listener took it.
    bool listenerTookModifierClick(CGraphics* context, int32_t buttons);
    // Keeps the window painted and the host idle during a tracking loop.
    void doIdleStuff();

    // Dirty while the value differs from the one last drawn, or when marked.
    bool isDirty() const override;
    void setDirty(bool dirty) override;

    bool isOfType(const char* name) const override;

protected:
    // Tells the listener, if any, when the value is no longer before. Reports follow the
    // value, not the drawing: a change too small to show still reaches the host.
    void reportIfChanged(CGraphics* context, float before);
    void report(CGraphics* context);
    // One change as a whole gesture of its own (begin, report, end), when anyone listens.
    void reportAsGesture(CGraphics* context);

    CControlListener* listener_;
    int32_t tag_;
    float drawnValue_ = 1.0f;
    float defaultValue_ = 0.5f;
    float value_ = 0.0f;
    float minValue_ = 0.0f;
    float maxValue_ = 1.0f;
    float wheelStep_ = 0.1f;
    // For double clicks, which none of the controls acts on yet.
    int32_t lastClickTime_ = -1;
    int32_t doubleClickTime_;
    CPos imageOffset_;
};
