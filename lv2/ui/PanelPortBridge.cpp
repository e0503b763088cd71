#include "lv2/ui/PanelPortBridge.h"

#include "lv2/PortLayout.h"
#include "lv2/PortUnits.h"
#include "plugin/AEffEditor.h"
#include "shell/ParameterTable.h"

#include <cmath>

namespace {
constexpr intptr_t kHostVstVersion = 2400;
}

PanelPortBridge::PanelPortBridge(
    LV2UI_Write_Function write, LV2UI_Controller controller, const LV2UI_Touch* touch)
    : AudioEffectX(&PanelPortBridge::fromPanel, 1, kNumParams)
    , write_(write)
    , controller_(controller)
    , touch_(touch)
{
    for (int32_t p = 0; p < kNumParams; ++p)
        values_[p] = kParameterTable[p].defaultValue;
}

void PanelPortBridge::setParameter(int32_t index, float value)
{
    if (!isParameterIndex(index))
        return;
    values_[index] = value;
    if (AEffEditor* editor = getEditor())
        editor->setParameter(editorTagOf(index, value), value);
}

float PanelPortBridge::getParameter(int32_t index)
{
    return isParameterIndex(index) ? values_[index] : 0.0f;
}

void PanelPortBridge::showPortValue(uint32_t port, float value)
{
    if (isControlPort(port) && std::isfinite(value))
        setParameter(parameterOfPort(port), normalisedFromPort(parameterOfPort(port), value));
}

intptr_t VST_CALLBACK PanelPortBridge::fromPanel(
    AEffect* effect, int32_t opcode, int32_t index, intptr_t, void*, float opt)
{
    auto* bridge
        = effect ? static_cast<PanelPortBridge*>(static_cast<AudioEffect*>(effect->object)) : nullptr;
    if (opcode == audioMasterVersion)
        return kHostVstVersion;
    if (!bridge || !isParameterIndex(index))
        return 0;
    switch (opcode) {
    case audioMasterAutomate:
        bridge->writePort(index, opt);
        return 1;
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        bridge->touch(index, opcode == audioMasterBeginEdit);
        return 1;
    default:
        return 0;
    }
}

void PanelPortBridge::writePort(int32_t index, float normalised) const
{
    const float value = portFromNormalised(index, normalised);
    if (write_)
        write_(controller_, controlPortOf(index), sizeof value, 0, &value);
}

void PanelPortBridge::touch(int32_t index, bool grabbed) const
{
    if (touch_ && touch_->touch)
        touch_->touch(touch_->handle, controlPortOf(index), grabbed);
}
