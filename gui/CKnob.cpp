#include "gui/CKnob.h"

#include "base/MathConstants.h"
#include "gui/CButtonState.h"
#include "gui/CFrame.h"
#include "gui/CGraphics.h"
#include "gui/CImage.h"

#include <cmath>
#include <cstring>

namespace {

// The angles are worked in float, as the knob's values are.
constexpr float kPiF = static_cast<float>(kPi);
constexpr float kTwoPiF = static_cast<float>(kTwoPi);
constexpr float kStartAngle = 5.0f * kPiF / 4.0f;   // the minimum, lower left
constexpr float kRangeAngle = -3.0f * kPiF / 2.0f;  // clockwise to the maximum, lower right
constexpr float kPixelsPerRange = 200.0f;

float wrapOnce(float angle)
{
    if (angle < 0.0f)
        return angle + kTwoPiF;
    if (angle > kTwoPiF)
        return angle - kTwoPiF;
    return angle;
}

}  // namespace

CKnob::CKnob(const CBox& size, CControlListener* listener, int32_t tag, CImage* background, CPos offset)
    : CControl(size, listener, tag, background)
    , offset_(offset)
    , startAngle_(kStartAngle)
    , rangeAngle_(kRangeAngle)
    , radius_(static_cast<float>(size.width()) / 2.0f)
{
    anglesChanged();
    setFocusable(true);
}

CKnob::~CKnob()
{
    if (handleImage_)
        handleImage_->release();
}

// Worked from the current min and max rather than stored with the angles, so that a range
// set after the angles still maps onto the whole arc.
float CKnob::angleScale() const
{
    return (maxValue_ - minValue_) / rangeAngle_;
}

float CKnob::angleBase() const
{
    return minValue_ - angleScale() * startAngle_;
}

void CKnob::anglesChanged()
{
    gapHalfAngle_ = (kTwoPiF - std::fabs(rangeAngle_)) / 2.0f;
    setDirty(true);
}

void CKnob::setStartAngle(float angle)
{
    startAngle_ = angle;
    anglesChanged();
}

void CKnob::setRangeAngle(float angle)
{
    rangeAngle_ = angle;
    anglesChanged();
}

void CKnob::setHandleColor(CRgba colour)
{
    handleColor_ = colour;
    setDirty(true);
}

void CKnob::setHandleShadowColor(CRgba colour)
{
    handleShadowColor_ = colour;
    setDirty(true);
}

void CKnob::setHandleImage(CImage* image)
{
    if (image)
        image->retain();
    if (handleImage_)
        handleImage_->release();
    handleImage_ = image;
    handleInset_ = image ? static_cast<int32_t>(image->getWidth() * 0.5 + 2.5) : 3;
    setDirty(true);
}

void CKnob::setHandleInset(int32_t inset)
{
    handleInset_ = inset;
    setDirty(true);
}

void CKnob::draw(CGraphics* context)
{
    if (background_)
        drawBackground(context, size_, offset_);
    drawHandle(context);
    setDirty(false);
}

void CKnob::drawHandle(CGraphics* context)
{
    const CPos tip = valueToPoint().offset(size_.left, size_.top);
    if (handleImage_) {
        const int32_t width = handleImage_->getWidth();
        const int32_t height = handleImage_->getHeight();
        const CBox box(
            tip.h - width / 2, tip.v - height / 2, tip.h - width / 2 + width, tip.v - height / 2 + height);
        handleImage_->draw(context, box);
        return;
    }
    const CPos centre(size_.left + size_.width() / 2, size_.top + size_.height() / 2);
    context->setFrameColor(handleShadowColor_);
    context->moveTo(CPos(tip.h - 1, tip.v));
    context->lineTo(CPos(centre.h - 1, centre.v));
    context->setFrameColor(handleColor_);
    context->moveTo(CPos(tip.h, tip.v - 1));
    context->lineTo(CPos(centre.h, centre.v - 1));
}

CPos CKnob::valueToPoint() const
{
    const double alpha = (value_ - angleBase()) / angleScale();
    const double length = radius_ - handleInset_;
    return CPos(static_cast<int32_t>(radius_ + std::cos(alpha) * length + 0.5),
        static_cast<int32_t>(radius_ - std::sin(alpha) * length + 0.5));
}

float CKnob::valueFromPoint(CPos point) const
{
    float alpha = static_cast<float>(std::atan2(radius_ - point.v, point.h - radius_));
    if (alpha < 0.0f)
        alpha += kTwoPiF;
    if (rangeAngle_ >= 0.0f) {
        // Counterclockwise: alpha2 is the point's angle counterclockwise from the minimum,
        // give or take a whole turn; past the arc, the gap's first half lies nearer the
        // maximum and its second half nearer the minimum.
        float alpha2 = alpha - startAngle_;
        const float alpha3 = wrapOnce(alpha2);
        const float bound = rangeAngle_ + gapHalfAngle_;
        if (alpha3 > bound)
            return minValue_;
        if (alpha3 > rangeAngle_)
            return maxValue_;
        if (alpha2 > bound)
            alpha2 -= kTwoPiF;
        else if (alpha2 < -gapHalfAngle_)
            alpha2 += kTwoPiF;
        return minValue_ + angleScale() * alpha2;
    }
    // alpha counts counterclockwise, the knob's range clockwise: alpha2 is the point's angle
    // counterclockwise from the maximum, give or take a whole turn, and the value falls
    // linearly with it from the maximum (0) to the minimum (-rangeAngle). alpha3, alpha2
    // folded into one turn, only tells the arc from the gap beyond, whose first half lies
    // nearer the minimum and second half nearer the maximum; on the arc the turn is then
    // taken off alpha2 itself.
    float alpha2 = alpha - startAngle_ - rangeAngle_;
    const float alpha3 = wrapOnce(alpha2);
    const float maxBound = gapHalfAngle_ - rangeAngle_;
    if (alpha3 > maxBound)
        return maxValue_;
    if (alpha3 > -rangeAngle_)
        return minValue_;
    if (alpha2 > maxBound)
        alpha2 -= kTwoPiF;
    else if (alpha2 < -gapHalfAngle_)
        alpha2 += kTwoPiF;
    return maxValue_ + angleScale() * alpha2;
}

void CKnob::mouse(CGraphics* context, CPos& where, int32_t buttons)
{
    if (!mouseEnabled_)
        return;
    if (buttons == -1)
        buttons = CGraphics::getCurrentButtons();
    if (!(buttons & kLButton))
        return;
    if (listenerTookModifierClick(context, buttons))
        return;
    if (resetOnCtrlClick(context, buttons))
        return;

    const bool linearMode = parentFrame_ && parentFrame_->getKnobMode() == kLinearKnobMode;
    const bool alt = (buttons & kAlt) != 0;
    beginEdit();
    if (linearMode != alt)
        dragLinearly(context, where, buttons);
    else
        dragCircularly(context, where);
    endEdit();
}

void CKnob::dragLinearly(CGraphics* context, CPos& where, int32_t buttons)
{
    const float span = maxValue_ - minValue_;
    const auto coefficientFor = [&](int32_t held) {
        return span / ((held & kShift) ? fineFactor_ * kPixelsPerRange : kPixelsPerRange);
    };
    float baseValue = value_;
    float coefficient = coefficientFor(buttons);
    int32_t oldButtons = buttons;
    const CPos start = where;
    CPos oldWhere(-1, -1);
    do {
        buttons = CGraphics::getCurrentButtons();
        if (where != oldWhere) {
            oldWhere = where;
            const auto diff = static_cast<float>((where.h - start.h) + (start.v - where.v));
            if (buttons != oldButtons) {
                // Re-base so that pressing or releasing Shift mid-drag does not make the value jump.
                const float newCoefficient = coefficientFor(buttons);
                baseValue += diff * (coefficient - newCoefficient);
                coefficient = newCoefficient;
                oldButtons = buttons;
            }
            const float before = value_;
            value_ = baseValue + diff * coefficient;
            clampValue();
            reportIfChanged(context, before);
        }
        getMouseLocation(context, where);
        doIdleStuff();
    } while (buttons & kLButton);
}

void CKnob::dragCircularly(CGraphics* context, CPos& where)
{
    const float half = (maxValue_ - minValue_) * 0.5f;
    float startValue = valueFromPoint(CPos(where).offset(-size_.left, -size_.top));
    CPos oldWhere(-1, -1);
    int32_t buttons;
    do {
        buttons = CGraphics::getCurrentButtons();
        if (where != oldWhere) {
            oldWhere = where;
            const float before = value_;
            value_ = valueFromPoint(CPos(where).offset(-size_.left, -size_.top));
            // A jump of more than half the range went through the gap: stay at that end.
            if (startValue - value_ > half)
                value_ = maxValue_;
            else if (value_ - startValue > half)
                value_ = minValue_;
            else
                startValue = value_;
            reportIfChanged(context, before);
        }
        getMouseLocation(context, where);
        doIdleStuff();
    } while (buttons & kLButton);
}

int32_t CKnob::onKeyDown(const CKeyCode& key)
{
    float direction;
    switch (key.virt) {
    case kVirtualKeyLeft:
    case kVirtualKeyDown:
        direction = -1.0f;
        break;
    case kVirtualKeyUp:
    case kVirtualKeyRight:
        direction = 1.0f;
        break;
    default:
        return -1;
    }
    const float fine = (key.modifier & kKeyModifierShift) ? 0.1f : 1.0f;
    stepBy(nullptr, direction * wheelStep_ * fine);
    return 1;
}

bool CKnob::onWheel(CGraphics* context, const CPos&, float distance)
{
    if (!mouseEnabled_)
        return false;
    const float fine = (CGraphics::getCurrentButtons() & kShift) ? 0.1f : 1.0f;
    stepBy(context, distance * wheelStep_ * fine);
    return true;
}

void CKnob::stepBy(CGraphics* context, float delta)
{
    const float before = value_;
    value_ += delta;
    clampValue();
    if (value_ != before)
        reportAsGesture(context);
}

bool CKnob::isOfType(const char* name) const
{
    return (name && std::strcmp(name, "CKnob") == 0) || CControl::isOfType(name);
}
