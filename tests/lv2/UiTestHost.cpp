#include "tests/lv2/UiTestHost.h"

#include "lv2/PortLayout.h"

#include <dlfcn.h>

#include <cstring>
#include <stdexcept>

UiTestHost::UiTestHost()
    : library_(dlopen(GRIMBOLT_LV2_BUNDLE "/grimbolt_ui.so", RTLD_NOW | RTLD_LOCAL))
    , touch_{this, &UiTestHost::touch}
    , resize_{this, &UiTestHost::resize}
{
    if (!library_)
        throw std::runtime_error(dlerror());
    auto entry = reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(library_, "lv2ui_descriptor"));
    descriptor_ = entry ? entry(0) : nullptr;
    if (!descriptor_ || std::strcmp(descriptor_->URI, kUiUri) != 0)
        throw std::runtime_error("no Grimbolt UI in the module");
}

UiTestHost::~UiTestHost()
{
    cleanup();
    dlclose(library_);
}

bool UiTestHost::instantiate(unsigned long parent)
{
    const LV2_Feature parentFeature{LV2_UI__parent, reinterpret_cast<void*>(parent)};
    const LV2_Feature touchFeature{LV2_UI__touch, &touch_};
    const LV2_Feature resizeFeature{LV2_UI__resize, &resize_};
    const LV2_Feature idleFeature{LV2_UI__idleInterface, nullptr};
    const LV2_Feature* features[] = {&parentFeature, &touchFeature, &resizeFeature, &idleFeature, nullptr};
    handle_ = descriptor_->instantiate(
        descriptor_, kPluginUri, GRIMBOLT_LV2_BUNDLE, &UiTestHost::write, this, &widget_, features);
    return handle_ != nullptr;
}

void UiTestHost::cleanup()
{
    if (handle_)
        descriptor_->cleanup(handle_);
    handle_ = nullptr;
}

int UiTestHost::idle()
{
    const auto* idle
        = static_cast<const LV2UI_Idle_Interface*>(descriptor_->extension_data(LV2_UI__idleInterface));
    return idle ? idle->idle(handle_) : 1;
}

void UiTestHost::portEvent(uint32_t port, float value)
{
    descriptor_->port_event(handle_, port, sizeof value, 0, &value);
}

void UiTestHost::write(
    LV2UI_Controller host, uint32_t port, uint32_t size, uint32_t format, const void* buffer)
{
    float value = 0.0f;
    if (format == 0 && size == sizeof value)
        std::memcpy(&value, buffer, sizeof value);
    static_cast<UiTestHost*>(host)->messages.push_back({UiMessage::kWrite, port, value});
}

void UiTestHost::touch(LV2UI_Feature_Handle host, uint32_t port, bool grabbed)
{
    static_cast<UiTestHost*>(host)->messages.push_back(
        {grabbed ? UiMessage::kGrab : UiMessage::kRelease, port, 0.0f});
}

int UiTestHost::resize(LV2UI_Feature_Handle host, int width, int height)
{
    auto* self = static_cast<UiTestHost*>(host);
    self->requestedWidth = width;
    self->requestedHeight = height;
    return 0;
}
