// A knob drawn as one frame of a film strip: frameCount pictures of frameHeight pixels
// stacked vertically, the first for the minimum, the last for the maximum. The frame shown
// is the value's share of the strip, rounded down to a frame boundary.
#pragma once

#include "gui/CKnob.h"

class CAnimKnob : public CKnob {
public:
    CAnimKnob(const CBox& size, CControlListener* listener, int32_t tag, int32_t frameCount,
        int32_t frameHeight, CImage* strip, CPos offset = CPos());

    // Shows the last frame for the minimum and the first for the maximum.
    void setInverseStrip(bool inverse);
    // The strip's vertical offset of the frame for the current value.
    int32_t frameOffset() const;

    void draw(CGraphics* context) override;
    // Not dirty while it would show the frame last drawn, unless marked.
    bool isDirty() const override;

    bool isOfType(const char* name) const override;

private:
    int32_t frameCount_;
    int32_t frameHeight_;
    bool inverseStrip_ = false;
    int32_t drawnFrameOffset_ = -1;
};
