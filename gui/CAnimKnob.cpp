#include "gui/CAnimKnob.h"

#include "gui/CImage.h"

#include <cstring>

CAnimKnob::CAnimKnob(const CBox& size, CControlListener* listener, int32_t tag, int32_t frameCount,
    int32_t frameHeight, CImage* strip, CPos offset)
    : CKnob(size, listener, tag, strip, offset)
    , frameCount_(frameCount)
    , frameHeight_(frameHeight)
{
}

void CAnimKnob::setInverseStrip(bool inverse)
{
    inverseStrip_ = inverse;
    setDirty(true);
}

int32_t CAnimKnob::frameOffset() const
{
    if (value_ < 0.0f || frameHeight_ <= 0 || frameCount_ <= 1)
        return 0;
    const int32_t span = frameHeight_ * (frameCount_ - 1);
    const float share = inverseStrip_ ? 1.0f - value_ : value_;
    if (share >= 1.0f)
        return span;
    const auto y = static_cast<int32_t>(share * static_cast<float>(span));
    return y < 0 ? 0 : y / frameHeight_ * frameHeight_;
}

void CAnimKnob::draw(CGraphics* context)
{
    drawnFrameOffset_ = frameOffset();
    if (background_)
        drawBackground(context, size_, CPos(offset_.h, offset_.v + drawnFrameOffset_));
    setDirty(false);
}

bool CAnimKnob::isDirty() const
{
    if (!dirty_ && frameOffset() == drawnFrameOffset_)
        return false;
    return CControl::isDirty();
}

bool CAnimKnob::isOfType(const char* name) const
{
    return (name && std::strcmp(name, "CAnimKnob") == 0) || CKnob::isOfType(name);
}
