#include "tests/editor/PanelHost.h"

#include "gui/CButtonState.h"
#include "shell/PluginEntry.h"
#include "tests/gui/support/FramePixels.h"
#include "tests/gui/support/TestParentWindow.h"

PanelHost* PanelHost::current = nullptr;

PanelHost::PanelHost()
{
    current = this;
    TestMouse::releaseAll();
    effect = createGrimboltEffect(&PanelHost::callback);
}

PanelHost::~PanelHost()
{
    if (effect)
        dispatch(effClose);
    current = nullptr;
}

intptr_t PanelHost::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt)
{
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

void PanelHost::setParameter(int32_t index, float value)
{
    effect->setParameter(effect, index, value);
}

bool PanelHost::open()
{
    if (dispatch(effEditOpen, 0, 0, TestParentWindow::shared().handle()) != 1)
        return false;
    paintPendingWindows();
    idle();
    return true;
}

void PanelHost::gesture(const std::vector<MouseScript::Step>& steps)
{
    script_ = MouseScript(frame(), steps);
    script_.press();
}

GrimboltEditor& PanelHost::editor() const
{
    return *static_cast<GrimboltEditor*>(static_cast<AudioEffect*>(effect->object)->getEditor());
}

std::vector<HostEvent> PanelHost::automation() const
{
    std::vector<HostEvent> result;
    for (const HostEvent& event : events)
        if (event.opcode == audioMasterAutomate)
            result.push_back(event);
    return result;
}

intptr_t VST_CALLBACK PanelHost::callback(AEffect*, int32_t opcode, int32_t index, intptr_t, void*, float opt)
{
    if (current && opcode == current->closeOnOpcode) {
        current->closeOnOpcode = -1;
        current->close();
    }
    switch (opcode) {
    case audioMasterVersion:
        return 2400;
    case audioMasterIdle:
        if (current)
            current->script_.step();
        return 0;
    case audioMasterAutomate:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        if (current)
            current->events.push_back({opcode, index, opcode == audioMasterAutomate ? opt : 0.0f});
        return 1;
    default:
        return 0;
    }
}
