#include "gui/CControl.h"

#include "gui/CButtonState.h"
#include "gui/CControlListener.h"
#include "gui/CFrame.h"
#include "gui/platform/Platform.h"

#include <algorithm>

namespace {
// Some systems report nothing or a few milliseconds; no hand double-clicks faster.
constexpr uint32_t kShortestDoubleClick = 250;
}  // namespace

#include <cstring>

CControl::CControl(const CBox& size, CControlListener* listener, int32_t tag, CImage* background)
    : CView(size)
    , listener_(listener)
    , tag_(tag)
    , doubleClickTime_(static_cast<int32_t>(
          std::min<uint32_t>(std::max(platform::doubleClickTime(), kShortestDoubleClick), INT32_MAX)))
{
    setBackground(background);
    setDirty(true);
}

void CControl::clampValue()
{
    if (value_ > maxValue_)
        value_ = maxValue_;
    else if (value_ < minValue_)
        value_ = minValue_;
}

void CControl::beginEdit()
{
    if (parentFrame_) {
        parentFrame_->setFocusView(this);
        parentFrame_->beginEdit(tag_);
    }
}

void CControl::endEdit()
{
    if (parentFrame_)
        parentFrame_->endEdit(tag_);
}

bool CControl::resetOnCtrlClick(CGraphics* context, int32_t buttons)
{
    if (buttons != (kLButton | kControl))
        return false;
    beginEdit();
    const float before = value_;
    value_ = defaultValue_;
    reportIfChanged(context, before);
    endEdit();
    return true;
}

bool CControl::listenerTookModifierClick(CGraphics* context, int32_t buttons)
{
    return listener_ && (buttons & kModifierMask) && listener_->onModifierClick(context, this, buttons) != 0;
}

void CControl::doIdleStuff()
{
    if (parentFrame_)
        parentFrame_->doIdleStuff();
}

bool CControl::isDirty() const
{
    return dirty_ || drawnValue_ != value_;
}

void CControl::setDirty(bool dirty)
{
    CView::setDirty(dirty);
    // A mark forgets the value drawn: -1 lies outside a control's 0..1 range, and as setValue
    // stores any value, 0 stands in when the value is -1 after all. The comparison in isDirty
    // then also holds the control dirty until its next draw stores the value drawn.
    if (dirty)
        drawnValue_ = value_ == -1.0f ? 0.0f : -1.0f;
    else
        drawnValue_ = value_;
}

void CControl::reportIfChanged(CGraphics* context, float before)
{
    if (value_ != before)
        report(context);
}

void CControl::report(CGraphics* context)
{
    if (listener_)
        listener_->valueChanged(context, this);
}

void CControl::reportAsGesture(CGraphics* context)
{
    if (!listener_)
        return;
    beginEdit();
    report(context);
    endEdit();
}

bool CControl::isOfType(const char* name) const
{
    return (name && std::strcmp(name, "CControl") == 0) || CView::isOfType(name);
}
