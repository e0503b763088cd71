// A box that shows its value as text ("%2.2f"). Style bits choose the box's look; the text is
// in font 3 of the font table, centred, over the box without a fill of its own.
#pragma once

#include "gui/CControl.h"
#include "gui/CRgba.h"
#include "gui/platform/DrawingBackend.h"

class CParamDisplay : public CControl {
public:
    enum StyleBit : int32_t {
        kShadowText = 4,
        kSunkenFrame = 128,
        kRaisedFrame = 256,
        kNoText = 2048,
        kNoDrawing = 4096,
        kNoFrame = 16384,
    };
    // A display with no listener and tag 0; background may be null.
    CParamDisplay(const CBox& size, CImage* background = nullptr, int32_t style = 0);

    // CFontTable face bits: bold, italic, underline.
    void setFontFace(int32_t face);
    void setFontColor(CRgba colour);
    void setBorderColor(CRgba colour);

    void draw(CGraphics* context) override;

    bool isOfType(const char* name) const override;

protected:
    // The box in its style, then text (none: the box alone) in the display's font.
    void drawText(CGraphics* context, const char* text);

private:
    void drawBox(CGraphics* context);
    void drawBevel(CGraphics* context);
    template <typename T> void change(T& member, T value);

    int32_t style_;
    int32_t fontFace_ = 0;
    CRgba fontColor_ = kWhiteCRgba;
    CRgba borderColor_ = kBlackCRgba;
};
