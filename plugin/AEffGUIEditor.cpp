#include "plugin/AEffGUIEditor.h"

#include "gui/CFrame.h"
#include "gui/CGraphics.h"
#include "gui/CWindowThread.h"
#include "plugin/AudioEffectX.h"

namespace {

// A pass sets the next one 100 ms ahead, and a call that finds itself within 50 ms of that
// time after its 4 ms sleep already runs it: during a drag a pass comes about every 50 ms.
const uint32_t kSleepMs = 4;
const uint32_t kPassIntervalMs = 100;
const uint32_t kEarlyPassMs = 50;

// True when tick a comes before tick b, also across the counter's wrap after 49 days.
bool earlier(uint32_t a, uint32_t b)
{
    return static_cast<int32_t>(a - b) < 0;
}

CKeyCode toolkitKey(const VstKeyCode& key)
{
    CKeyCode code;
    code.character = key.character;
    code.virt = key.virt;
    code.modifier = key.modifier;
    return code;
}

}  // namespace

int32_t AEffGUIEditor::knobMode = 0;

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect)
    : AEffEditor(effect)
    , rect_{0, 0, 0, 0}
    , frame_(nullptr)
    , nextIdleTime_(CWindowThread::tickCount())
    , inIdle_(false)
    , componentServices_(CWindowThread::initComponentServices())
{
    if (effect)
        effect->setEditor(this);
}

AEffGUIEditor::~AEffGUIEditor()
{
    if (componentServices_)
        CWindowThread::releaseComponentServices();
}

int32_t AEffGUIEditor::getRect(ERect** rect)
{
    *rect = &rect_;
    return 1;
}

int32_t AEffGUIEditor::open(void* window)
{
    postUpdate();
    systemWindow_ = window;
    return 0;
}

void AEffGUIEditor::idle()
{
    if (inIdle_)
        return;
    AEffEditor::idle();
    if (frame_)
        frame_->idle();
}

int32_t AEffGUIEditor::onKeyDown(VstKeyCode& keyCode)
{
    return frame_ ? frame_->onKeyDown(toolkitKey(keyCode)) : -1;
}

int32_t AEffGUIEditor::onKeyUp(VstKeyCode& keyCode)
{
    return frame_ ? frame_->onKeyUp(toolkitKey(keyCode)) : -1;
}

int32_t AEffGUIEditor::setKnobMode(int32_t mode)
{
    knobMode = mode;
    return 1;
}

bool AEffGUIEditor::onWheel(float distance)
{
    if (!frame_)
        return false;
    // The context holds the frame, which the host may close while the wheel is handled.
    const CKeepAlive keep(frame_);
    const CScoped<CGraphics> context(frame_);
    const CPos where = frame_->getCurrentLocation();
    return frame_->onWheel(context.get(), where, distance);
}

void AEffGUIEditor::setParameter(int32_t, float)
{
    postUpdate();
}

void AEffGUIEditor::draw(ERect* rect)
{
    if (!frame_)
        return;
    const CScoped<CGraphics> context(frame_);
    if (rect)
        frame_->drawRect(context.get(), CBox(rect->left, rect->top, rect->right, rect->bottom));
    else
        frame_->draw(context.get());
}

void AEffGUIEditor::doIdleStuff()
{
    uint32_t now = CWindowThread::tickCount();
    if (earlier(now, nextIdleTime_)) {
        CWindowThread::sleepMilliseconds(kSleepMs);
        now += kSleepMs;
        if (earlier(now, nextIdleTime_ - kEarlyPassMs))
            return;
    }
    idle();
    CWindowThread::dispatchOnePendingPaint();
    nextIdleTime_ = now + kPassIntervalMs;
    if (effect_) {
        inIdle_ = true;
        effect_->masterIdle();
        inIdle_ = false;
    }
}

bool AEffGUIEditor::beginEdit(int32_t index)
{
    return effect_ && effect_->beginEdit(index);
}

bool AEffGUIEditor::endEdit(int32_t index)
{
    return effect_ && effect_->endEdit(index);
}

bool AEffGUIEditor::sizeWindow(int32_t width, int32_t height)
{
    auto* effect = dynamic_cast<AudioEffectX*>(effect_);
    return effect && effect->canHostDo("sizeWindow") && effect->sizeWindow(width, height);
}
