// A box that shows its value as text: by default "%2.2f", or through a conversion function.
// Style bits choose the box's look; the font is an index into the font table with face bits.
#pragma once

#include "gui/CControl.h"
#include "gui/CRgba.h"
#include "gui/platform/DrawingBackend.h"

#include <cstddef>

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
    static constexpr size_t kTextCapacity = 256;
    // Writes the text for value into text (kTextCapacity bytes).
    using ValueToText = void (*)(float value, char* text);

    // A display with no listener and tag 0; background may be null.
    CParamDisplay(const CBox& size, CImage* background = nullptr, int32_t style = 0);

    void setFontIndex(int32_t index);
    // CFontTable face bits: bold, italic, underline.
    void setFontFace(int32_t face);
    void setFontColor(CRgba colour);
    void setBoxColor(CRgba colour);
    void setBorderColor(CRgba colour);
    void setShadowColor(CRgba colour);
    void setTextAlign(CTextAlign align);
    void setStyle(int32_t style);
    int32_t getStyle() const { return style_; }
    // Only stores: the text's background is filled with the box colour when false.
    void setTextWithoutFill(bool withoutFill) { textWithoutFill_ = withoutFill; }
    void setValueToText(ValueToText convert) { valueToText_ = convert; }

    void draw(CGraphics* context) override;

protected:
    // The box in its style, then text (none: the box alone) in the display's font.
    void drawText(CGraphics* context, const char* text);

private:
    void drawBox(CGraphics* context);
    void drawBevel(CGraphics* context);
    template <typename T> void change(T& member, T value);

    ValueToText valueToText_ = nullptr;
    CTextAlign textAlign_ = kCenterText;
    int32_t style_;
    int32_t fontIndex_ = 3;
    int32_t fontFace_ = 0;
    CRgba fontColor_ = kWhiteCRgba;
    CRgba boxColor_ = kBlackCRgba;
    CRgba borderColor_ = kBlackCRgba;
    CRgba shadowColor_ = kRedCRgba;
    bool textWithoutFill_ = true;
};
