#include "gui/CTextLabel.h"

#include <cstring>

CTextLabel::CTextLabel(const CBox& size, const char* text, CImage* background, int32_t style)
    : CParamDisplay(size, background, style)
{
    setText(text);
}

void CTextLabel::setText(const char* text)
{
    text_ = text ? text : "";
}

void CTextLabel::draw(CGraphics* context)
{
    drawText(context, text_.c_str());
}

bool CTextLabel::isOfType(const char* name) const
{
    return (name && std::strcmp(name, "CTextLabel") == 0) || CParamDisplay::isOfType(name);
}
