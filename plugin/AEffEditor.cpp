#include "plugin/AEffEditor.h"

AEffEditor::AEffEditor(AudioEffect* owner)
    : effect_(owner)
    , systemWindow_(nullptr)
    , updatePending_(0)
{
}

AEffEditor::~AEffEditor() = default;

int32_t AEffEditor::getRect(ERect** rect)
{
    *rect = nullptr;
    return 0;
}

int32_t AEffEditor::open(void* window)
{
    systemWindow_ = window;
    return 0;
}

void AEffEditor::close() { }

void AEffEditor::idle()
{
    if (updatePending_.exchange(0, std::memory_order_acquire) != 0)
        update();
}

void AEffEditor::update() { }

void AEffEditor::postUpdate()
{
    updatePending_.store(1, std::memory_order_release);
}

int32_t AEffEditor::onKeyDown(VstKeyCode&)
{
    return -1;
}

int32_t AEffEditor::onKeyUp(VstKeyCode&)
{
    return -1;
}

int32_t AEffEditor::setKnobMode(int32_t)
{
    return 0;
}

bool AEffEditor::onWheel(float)
{
    return false;
}

void AEffEditor::setParameter(int32_t, float) { }
