// One LV2 UI instance: the amp's panel in a child of the host's window, driven through a
// PanelPortBridge. Made with create, which fails without a parent window or a display.
#pragma once

#include <lv2/core/lv2.h>
#include <lv2/ui/ui.h>

#include <cstdint>
#include <memory>

class GrimboltEditor;
class PanelPortBridge;

class PanelUi {
public:
    // Null when the host gives no parent window or the panel cannot open in it. widget is
    // set to the panel's X11 window.
    static std::unique_ptr<PanelUi> create(LV2UI_Write_Function write, LV2UI_Controller controller,
        LV2UI_Widget* widget, const LV2_Feature* const* features);
    ~PanelUi();
    PanelUi(const PanelUi&) = delete;
    PanelUi& operator=(const PanelUi&) = delete;

    void portEvent(uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer);
    // Input, host changes and redraws; 0 while the panel stands.
    int idle();

private:
    explicit PanelUi(std::unique_ptr<PanelPortBridge> bridge);

    std::unique_ptr<PanelPortBridge> bridge_;  // owns the editor
    GrimboltEditor* editor_;
};
