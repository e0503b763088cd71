#include "lv2/ui/PanelUi.h"

#include "editor/GrimboltEditor.h"
#include "lv2/ui/PanelPortBridge.h"
#include "gui/CFrame.h"

#include <cstring>

namespace {

const void* featureData(const LV2_Feature* const* features, const char* uri)
{
    for (const LV2_Feature* const* f = features; f && *f; ++f)
        if ((*f)->URI && std::strcmp((*f)->URI, uri) == 0)
            return (*f)->data;
    return nullptr;
}

}  // namespace

PanelUi::PanelUi(std::unique_ptr<PanelPortBridge> bridge)
    : bridge_(std::move(bridge))
    , editor_(new GrimboltEditor(bridge_.get()))
{
}

PanelUi::~PanelUi()
{
    editor_->close();
}

std::unique_ptr<PanelUi> PanelUi::create(LV2UI_Write_Function write, LV2UI_Controller controller,
    LV2UI_Widget* widget, const LV2_Feature* const* features)
{
    void* parent = const_cast<void*>(featureData(features, LV2_UI__parent));
    if (!parent || !widget)
        return nullptr;
    const auto* touch = static_cast<const LV2UI_Touch*>(featureData(features, LV2_UI__touch));
    std::unique_ptr<PanelUi> ui(new PanelUi(std::make_unique<PanelPortBridge>(write, controller, touch)));
    if (ui->editor_->open(parent) != 1)
        return nullptr;
    ERect* size = nullptr;
    ui->editor_->getRect(&size);
    const int width = size->right - size->left;
    const int height = size->bottom - size->top;
    const uintptr_t window = ui->editor_->getFrame() ? ui->editor_->getFrame()->getNativeWindowId() : 0;
    if (!window)
        return nullptr;
    *widget = reinterpret_cast<LV2UI_Widget>(window);
    const auto* resize = static_cast<const LV2UI_Resize*>(featureData(features, LV2_UI__resize));
    if (resize && resize->ui_resize)
        resize->ui_resize(resize->handle, width, height);
    return ui;
}

void PanelUi::portEvent(uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer)
{
    float value;
    if (format != 0 || bufferSize != sizeof value || !buffer)
        return;
    std::memcpy(&value, buffer, sizeof value);
    bridge_->showPortValue(port, value);
}

int PanelUi::idle()
{
    editor_->idle();
    return 0;
}
