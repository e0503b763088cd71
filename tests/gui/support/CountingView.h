// A view for tests: fills its whole size with one colour (fillRect leaves out the top row and
// left column, so the fill covers one pixel more on each of those sides) and counts draws,
// clicks, keys and wheel turns.
#pragma once

#include "gui/CButtonState.h"
#include "gui/CGraphics.h"
#include "gui/CView.h"

class CountingView : public CView {
public:
    CountingView(const CBox& size, CRgba colour)
        : CView(size)
        , colour_(colour)
    {
    }

    void draw(CGraphics* context) override
    {
        ++draws;
        context->setFillColor(colour_);
        context->fillRect(CBox(size_.left - 1, size_.top - 1, size_.right, size_.bottom));
        setDirty(false);
    }
    void mouse(CGraphics*, CPos& where, int32_t buttons) override
    {
        ++clicks;
        lastClick = where;
        lastButtons = buttons;
    }
    int32_t onKeyDown(const CKeyCode&) override
    {
        ++keys;
        return keyAnswer;
    }
    bool onWheel(CGraphics*, const CPos&, float distance) override
    {
        wheel += distance;
        return true;
    }

    int draws = 0;
    int clicks = 0;
    int keys = 0;
    int32_t keyAnswer = -1;
    float wheel = 0.0f;
    CPos lastClick;
    int32_t lastButtons = 0;

private:
    CRgba colour_;
};
