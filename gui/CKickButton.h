// A momentary button: 1 while pressed, 0 otherwise. Its image holds two frames of
// frameHeight pixels, released above pressed. Held with the left button alone, it follows
// the pointer: pressed inside, released outside. It reports each change of value and, always,
// the 0 of the final release.
#pragma once

#include "gui/CControl.h"

class CKickButton : public CControl {
public:
    CKickButton(const CBox& size, CControlListener* listener, int32_t tag, int32_t frameHeight, CImage* image,
        CPos offset = CPos());

    void draw(CGraphics* context) override;
    void mouse(CGraphics* context, CPos& where, int32_t buttons) override;

    bool isOfType(const char* name) const override;

private:
    void trackPointer(CGraphics* context, CPos& where, float pressState);

    CPos offset_;
    int32_t frameHeight_;
};
