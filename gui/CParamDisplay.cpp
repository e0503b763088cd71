#include "gui/CParamDisplay.h"

#include "gui/CGraphics.h"
#include "gui/CImage.h"

#include <cstdio>
#include <cstring>

CParamDisplay::CParamDisplay(const CBox& size, CImage* background, int32_t style)
    : CControl(size, nullptr, 0, background)
    , style_(style)
{
    if (style & kNoDrawing)
        setDirty(false);
}

template <typename T> void CParamDisplay::change(T& member, T value)
{
    if (member != value) {
        member = value;
        setDirty(true);
    }
}

void CParamDisplay::setFontIndex(int32_t index)
{
    change(fontIndex_, index);
}

void CParamDisplay::setBoxColor(CRgba colour)
{
    change(boxColor_, colour);
}

void CParamDisplay::setShadowColor(CRgba colour)
{
    change(shadowColor_, colour);
}

void CParamDisplay::setTextAlign(CTextAlign align)
{
    change(textAlign_, align);
}

void CParamDisplay::setStyle(int32_t style)
{
    change(style_, style);
}

void CParamDisplay::setValueToTextWithData(ValueToTextWithData convert, void* data)
{
    valueToTextWithData_ = convert;
    convertData_ = data;
}

void CParamDisplay::setValueToText(ValueToText convert)
{
    valueToText_ = convert;
}

void CParamDisplay::setFontFace(int32_t face)
{
    change(fontFace_, face);
}

void CParamDisplay::setFontColor(CRgba colour)
{
    change(fontColor_, colour);
}

void CParamDisplay::setBorderColor(CRgba colour)
{
    change(borderColor_, colour);
}

void CParamDisplay::draw(CGraphics* context)
{
    char text[256] = "";
    if (valueToTextWithData_)
        valueToTextWithData_(value_, text, convertData_);
    else if (valueToText_)
        valueToText_(value_, text);
    else
        std::snprintf(text, sizeof text, "%2.2f", static_cast<double>(value_));
    // A conversion that filled the whole buffer still leaves a string.
    text[sizeof text - 1] = '\0';
    drawText(context, text);
}

void CParamDisplay::drawText(CGraphics* context, const char* text)
{
    setDirty(false);
    if (style_ & kNoDrawing)
        return;
    drawBox(context);
    if (style_ & (kSunkenFrame | kRaisedFrame))
        drawBevel(context);
    if ((style_ & kNoText) || !text || !*text)
        return;

    const CBox oldClip = context->getClipRect();
    context->setClipRect(size_.intersected(oldClip));
    context->setFont(fontIndex_, 0, fontFace_);
    if (style_ & kShadowText) {
        context->setFontColor(shadowColor_);
        context->drawString(text, size_.moved(1, 1), false, textAlign_);
    }
    context->setFontColor(fontColor_);
    if (!textWithoutFill_)
        context->setFillColor(boxColor_);
    context->drawString(text, size_, !textWithoutFill_, textAlign_);
    context->setClipRect(oldClip);
}

void CParamDisplay::drawBox(CGraphics* context)
{
    if (background_) {
        drawBackground(context, size_, imageOffset_);
        return;
    }
    context->setFillColor(boxColor_);
    context->fillRect(size_);
    if (style_ & (kSunkenFrame | kRaisedFrame | kNoFrame))
        return;
    context->setFrameColor(borderColor_);
    context->moveTo(CPos(size_.left, size_.top));
    context->lineTo(CPos(size_.right - 1, size_.top));
    context->lineTo(CPos(size_.right - 1, size_.bottom - 1));
    context->lineTo(CPos(size_.left, size_.bottom - 1));
    context->lineTo(CPos(size_.left, size_.top));
}

void CParamDisplay::drawBevel(CGraphics* context)
{
    const bool sunken = (style_ & kSunkenFrame) != 0;
    context->setFrameColor(sunken ? boxColor_ : borderColor_);
    context->moveTo(CPos(size_.left, size_.bottom));
    context->lineTo(CPos(size_.left, size_.top));
    context->lineTo(CPos(size_.right + 1, size_.top));
    context->setFrameColor(sunken ? borderColor_ : boxColor_);
    context->moveTo(CPos(size_.right, size_.top + 1));
    context->lineTo(CPos(size_.right, size_.bottom));
    context->lineTo(CPos(size_.left, size_.bottom));
}

bool CParamDisplay::isOfType(const char* name) const
{
    return (name && std::strcmp(name, "CParamDisplay") == 0) || CControl::isOfType(name);
}

bool CParamDisplay::getTextEntryColors(CRgba& text, CRgba& background) const
{
    text = fontColor_;
    background = boxColor_;
    return true;
}
