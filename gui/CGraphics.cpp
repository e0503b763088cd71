#include "gui/CGraphics.h"

#include "gui/CFontTable.h"
#include "gui/CFrame.h"
#include "gui/platform/Platform.h"

namespace {

// Without a frame there is no window size to clip to; this covers any panel.
const CBox kFramelessClip(0, 0, 1000, 1000);

CBox frameArea(const CFrame* frame)
{
    return frame ? CBox(0, 0, frame->getWidth(), frame->getHeight()) : kFramelessClip;
}

}  // namespace

CGraphics::CGraphics(CFrame* frame)
    : CGraphics(platform::createWindowSurface(frame ? frame->getPlatformWindow() : nullptr),
        frame ? frame->getWindowOrigin() : CPos(), frameArea(frame))
{
}

CGraphics::CGraphics(NativeSurface* borrowedSurface, CFrame* frame)
    : CGraphics(borrowedSurface, frame ? frame->getWindowOrigin() : CPos(), frameArea(frame))
{
    ownsSurface_ = false;
}

CGraphics::CGraphics(NativeSurface* ownedSurface, CPos windowOrigin, const CBox& clip)
    : surface_(ownedSurface)
    , ownsSurface_(true)
    , windowOrigin_(windowOrigin)
    , font_(CFontTable::font(0, 0, 0))
    , clipBox_(clip)
{
}

CGraphics::~CGraphics()
{
    if (ownsSurface_)
        drawing::destroySurface(surface_);
}

void CGraphics::setFont(int32_t index, int32_t size, int32_t face)
{
    font_ = CFontTable::font(CFontTable::validIndex(index), size, face);
}

void CGraphics::setClipRect(const CBox& box)
{
    const CBox device = box.moved(offset_.h, offset_.v);
    if (device == clipBox_)
        return;
    clipBox_ = device;
    if (surface_)
        drawing::setClip(surface_, clipBox_);
}

void CGraphics::lineTo(CPos where)
{
    if (surface_) {
        const CPos from = CPos(penPosition_).offset(offset_.h, offset_.v);
        const CPos to = CPos(where).offset(offset_.h, offset_.v);
        drawing::drawLine(surface_, from, to, LinePen{penColor_, lineStyle_, lineWidth_}, drawMode_);
    }
    penPosition_ = where;
}

void CGraphics::fillRect(const CBox& box)
{
    if (surface_)
        drawing::fillRect(surface_,
            CBox(box.left + 1, box.top + 1, box.right, box.bottom).offset(offset_.h, offset_.v), fillColor_);
}

void CGraphics::drawString(const char* text, const CBox& box, bool opaque, CTextAlign align)
{
    if (!surface_ || !text)
        return;
    CBox device = box.moved(offset_.h, offset_.v);
    if (align != kCenterText && align != kRightText) {
        align = kLeftText;
        device.left += 1;
    }
    drawing::drawText(surface_, text, device, font_, fontColor_, opaque ? &fillColor_ : nullptr, align);
}

void CGraphics::drawImage(const NativeImage* image, const CBox& box, CPos source, uint8_t alpha)
{
    if (surface_ && image)
        drawing::blendImage(surface_, box.moved(offset_.h, offset_.v), image, source, alpha);
}

void CGraphics::copyImage(const NativeImage* image, const CBox& box, CPos source, const CRgba* key)
{
    if (!surface_ || !image)
        return;
    const CBox device = box.moved(offset_.h, offset_.v);
    if (key)
        drawing::copyImageKeyed(surface_, device, image, source, *key);
    else
        drawing::copyImage(surface_, device, image, source);
}

void CGraphics::copyTo(CGraphics* destination, const CBox& box, CPos sourcePos) const
{
    if (!surface_ || !destination || !destination->surface_)
        return;
    const CBox target = box.moved(destination->offset_.h, destination->offset_.v);
    drawing::copySurface(
        destination->surface_, target, surface_, CPos(sourcePos).offset(offset_.h, offset_.v));
}

bool CGraphics::readPixels(const CBox& box, uint32_t* out) const
{
    return surface_ && drawing::readPixels(surface_, box.moved(offset_.h, offset_.v), out);
}

int32_t CGraphics::getCurrentButtons()
{
    return platform::currentButtons();
}
