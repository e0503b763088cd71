#include "gui/CKickButton.h"

#include "gui/CButtonState.h"
#include "gui/CGraphics.h"
#include "gui/CImage.h"

#include <cstring>

CKickButton::CKickButton(const CBox& size, CControlListener* listener, int32_t tag, int32_t frameHeight,
    CImage* image, CPos offset)
    : CControl(size, listener, tag, image)
    , offset_(offset)
    , frameHeight_(frameHeight)
{
}

void CKickButton::draw(CGraphics* context)
{
    clampValue();
    CPos source = offset_;
    if (value_ != 0.0f)
        source.v += frameHeight_;
    if (background_)
        drawBackground(context, size_, source);
    setDirty(false);
}

void CKickButton::mouse(CGraphics* context, CPos& where, int32_t buttons)
{
    if (!mouseEnabled_)
        return;
    if (buttons == -1)
        buttons = CGraphics::getCurrentButtons();
    if (listenerTookModifierClick(context, buttons))
        return;
    if (!(buttons & kLButton))
        return;

    const float pressState = value_;
    beginEdit();
    if (CGraphics::getCurrentButtons() == kLButton) {
        trackPointer(context, where, pressState);
    } else {
        // Other buttons or modifiers held: a plain press without following the pointer.
        value_ = value_ == 0.0f ? 1.0f : 0.0f;
        report(context);
    }
    value_ = 0.0f;
    report(context);
    endEdit();
}

void CKickButton::trackPointer(CGraphics* context, CPos& where, float pressState)
{
    const float pressed = pressState == 0.0f ? 1.0f : 0.0f;
    float reported = pressState;
    while (CGraphics::getCurrentButtons() == kLButton) {
        value_ = size_.containsInclusive(where) ? pressed : pressState;
        if (value_ != reported) {
            reported = value_;
            report(context);
        }
        getMouseLocation(context, where);
        doIdleStuff();
    }
}

bool CKickButton::isOfType(const char* name) const
{
    return (name && std::strcmp(name, "CKickButton") == 0) || CControl::isOfType(name);
}
