// A box that shows its value as text ("%2.2f", or what the owner's conversion makes of it).
// Style bits choose the box's look; the text is in font 3 of the font table by default,
// centred, over the box without a fill of its own.
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
    // Write the text for value into text, which holds 256 bytes.
    using ValueToText = void (*)(float value, char* text);
    using ValueToTextWithData = void (*)(float value, char* text, void* data);
    using TextToValue = void (*)(const char* text, float& value, void* data);

    // A display with no listener and tag 0; background may be null.
    CParamDisplay(const CBox& size, CImage* background = nullptr, int32_t style = 0);

    // An index into the CFontTable.
    void setFontIndex(int32_t index);
    // CFontTable face bits: bold, italic, underline.
    void setFontFace(int32_t face);
    void setFontColor(CRgba colour);
    // The fill behind the text when there is no background image, and the sunken bevel's shade.
    void setBoxColor(CRgba colour);
    void setBorderColor(CRgba colour);
    // The text's shadow, with the shadow style bit.
    void setShadowColor(CRgba colour);
    void setTextAlign(CTextAlign align);
    void setStyle(int32_t style);
    int32_t getStyle() const { return style_; }

    // The conversion with data wins over the one without; neither: "%2.2f". They only store:
    // the caller marks the display dirty when the text should change.
    void setValueToTextWithData(ValueToTextWithData convert, void* data);
    void setValueToText(ValueToText convert);
    // Kept for the owner; the display never reads text back.
    void setTextToValue(TextToValue convert) { textToValue_ = convert; }
    TextToValue getTextToValue() const { return textToValue_; }
    // False fills the text's box with the box colour behind the text.
    void setTextWithoutFill(bool withoutFill) { textWithoutFill_ = withoutFill; }

    void draw(CGraphics* context) override;
    // In the font and box colours, as a text-entry view over the display.
    bool getTextEntryColors(CRgba& text, CRgba& background) const override;

    bool isOfType(const char* name) const override;

protected:
    // The box in its style, then text (none: the box alone) in the display's font.
    void drawText(CGraphics* context, const char* text);

private:
    void drawBox(CGraphics* context);
    void drawBevel(CGraphics* context);
    template <typename T> void change(T& member, T value);

    ValueToText valueToText_ = nullptr;
    ValueToTextWithData valueToTextWithData_ = nullptr;
    TextToValue textToValue_ = nullptr;
    void* convertData_ = nullptr;
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
