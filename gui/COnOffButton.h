// A two-state button: each click flips the value between 0 and 1. Its image holds two
// frames, off above on. Style says whether the listener hears of a click before or after
// the button has been redrawn.
#pragma once

#include "gui/CControl.h"

class COnOffButton : public CControl {
public:
    enum Style : int32_t { kReportAfterRedraw = 0, kReportBeforeRedraw = 1 };

    COnOffButton(const CBox& size, CControlListener* listener, int32_t tag, CImage* image,
        Style style = kReportBeforeRedraw);

    Style getStyle() const { return style_; }
    void setStyle(Style style) { style_ = style; }

    void draw(CGraphics* context) override;
    void mouse(CGraphics* context, CPos& where, int32_t buttons) override;

    bool isOfType(const char* name) const override;

private:
    Style style_;
};
