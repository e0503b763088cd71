// The UI module's entry: the descriptor LV2 hosts look up, with callbacks that never let an
// exception out.
#include "lv2/PortLayout.h"
#include "lv2/ui/PanelUi.h"

#include <cstring>

namespace {

PanelUi* uiOf(LV2UI_Handle handle)
{
    return static_cast<PanelUi*>(handle);
}

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*,
    LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
    const LV2_Feature* const* features)
{
    if (!pluginUri || std::strcmp(pluginUri, kPluginUri) != 0)
        return nullptr;
    try {
        return PanelUi::create(write, controller, widget, features).release();
    } catch (...) {
        return nullptr;
    }
}

void cleanup(LV2UI_Handle handle)
{
    delete uiOf(handle);
}

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer)
{
    if (handle)
        uiOf(handle)->portEvent(port, bufferSize, format, buffer);
}

int idle(LV2UI_Handle handle)
{
    if (!handle)
        return 1;
    try {
        return uiOf(handle)->idle();
    } catch (...) {
        return 1;
    }
}

const LV2UI_Idle_Interface kIdleInterface = {idle};

const void* extensionData(const char* uri)
{
    return uri && std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &kIdleInterface : nullptr;
}

const LV2UI_Descriptor kDescriptor = {kUiUri, instantiate, cleanup, portEvent, extensionData};

}  // namespace

LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index)
{
    return index == 0 ? &kDescriptor : nullptr;
}
