#include "gui/COnOffButton.h"

#include "gui/CButtonState.h"
#include "gui/CGraphics.h"
#include "gui/CImage.h"

#include <cstring>

COnOffButton::COnOffButton(
    const CBox& size, CControlListener* listener, int32_t tag, CImage* image, Style style)
    : CControl(size, listener, tag, image)
    , style_(style)
{
}

void COnOffButton::draw(CGraphics* context)
{
    if (background_) {
        const CPos source(0, value_ != 0.0f ? background_->getHeight() / 2 : 0);
        drawBackground(context, size_, source);
    }
    setDirty(false);
}

void COnOffButton::mouse(CGraphics* context, CPos&, int32_t buttons)
{
    if (!mouseEnabled_)
        return;
    if (buttons == -1)
        buttons = CGraphics::getCurrentButtons();
    if (!(buttons & kLButton))
        return;
    if (listenerTookModifierClick(context, buttons))
        return;
    value_ = static_cast<int32_t>(value_) != 0 ? 0.0f : 1.0f;
    if (style_ == kReportBeforeRedraw)
        reportAsGesture(context);
    doIdleStuff();
    if (style_ == kReportAfterRedraw)
        reportAsGesture(context);
}

bool COnOffButton::isOfType(const char* name) const
{
    return (name && std::strcmp(name, "COnOffButton") == 0) || CControl::isOfType(name);
}
