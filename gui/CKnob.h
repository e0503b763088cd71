// A rotary knob: the pointer turns clockwise through 270 degrees, from lower left (minimum,
// 225 degrees) to lower right (maximum, -45 degrees), leaving a 90-degree gap at the bottom.
// Dragging follows the mouse linearly (right and up increase; 200 pixels span the range,
// fineFactor times as many with Shift held) or circularly around the centre, as the editor's
// knob mode says; Alt swaps the two. The wheel and the arrow keys step by the wheel step.
// Drawn as the background image with a white pointer line, shadowed in grey, on top.
#pragma once

#include "gui/CControl.h"
#include "gui/CRgba.h"

#include <cstdint>

// The editor's knob modes (CFrame::getKnobMode), as hosts set them. Knobs drag linearly in
// the linear mode and circularly in both others.
enum CKnobMode : int32_t {
    kCircularKnobMode = 0,
    kRelativeCircularKnobMode = 1,
    kLinearKnobMode = 2,
};

class CKnob : public CControl {
public:
    CKnob(
        const CBox& size, CControlListener* listener, int32_t tag, CImage* background, CPos offset = CPos());
    ~CKnob() override;

    void draw(CGraphics* context) override;
    void mouse(CGraphics* context, CPos& where, int32_t buttons) override;
    // Arrow keys: left and down step down, up and right step up; a tenth of a step with Shift.
    int32_t onKeyDown(const CKeyCode& key) override;
    bool onWheel(CGraphics* context, const CPos& where, float distance) override;

    // Where the pointer's tip is for the current value, relative to the control's top-left.
    CPos valueToPoint() const;
    // The value whose pointer points at point (relative to the control's top-left); in the
    // gap, the nearer end.
    float valueFromPoint(CPos point) const;

    // Pixels between the rim and the pointer's tip.
    void setHandleInset(int32_t inset);
    void setHandleColor(CRgba colour);
    void setHandleShadowColor(CRgba colour);
    // An image drawn centred on the pointer's tip instead of the line; null for the line.
    // Sets the inset so that the image stays inside the rim.
    void setHandleImage(CImage* image);

    // Radians, counterclockwise from 3 o'clock: where the minimum lies, and the turn from it
    // to the maximum (negative: clockwise). The rest of the circle is the gap.
    void setStartAngle(float angle);
    float getStartAngle() const { return startAngle_; }
    void setRangeAngle(float angle);
    float getRangeAngle() const { return rangeAngle_; }

    // How many times the pixels span the range when dragging with Shift.
    void setFineFactor(float factor) { fineFactor_ = factor; }
    float getFineFactor() const { return fineFactor_; }

    bool isOfType(const char* name) const override;

protected:
    // The pointer line from the centre to valueToPoint, with a shadow one pixel left, or the
    // handle image at valueToPoint.
    void drawHandle(CGraphics* context);
    CPos offset_;

private:
    void dragLinearly(CGraphics* context, CPos& where, int32_t buttons);
    void dragCircularly(CGraphics* context, CPos& where);
    // Moves the value by delta within its range; a change is a gesture of its own.
    void stepBy(CGraphics* context, float delta);
    // The value per radian and the value at angle 0, from the angles and the range.
    float angleScale() const;
    float angleBase() const;
    void anglesChanged();

    CRgba handleColor_ = kWhiteCRgba;
    CRgba handleShadowColor_ = kGreyCRgba;
    CImage* handleImage_ = nullptr;
    int32_t handleInset_ = 3;
    float startAngle_;
    float rangeAngle_;
    float gapHalfAngle_ = 0.0f;
    float radius_;
    float fineFactor_ = 1.5f;
};
