// A frame's editor for control tests: its idle pump walks a MouseScript, and it records the
// edit gestures and every value a control reports.
#pragma once

#include "gui/CControl.h"
#include "gui/CControlListener.h"
#include "gui/CEditor.h"
#include "tests/gui/support/MouseScript.h"

#include <string>
#include <vector>

class ScriptedEditor : public CEditor, public CControlListener {
public:
    void doIdleStuff() override { script.step(); }
    bool beginEdit(int32_t index) override
    {
        log.push_back("begin " + std::to_string(index));
        return true;
    }
    bool endEdit(int32_t index) override
    {
        log.push_back("end " + std::to_string(index));
        return true;
    }
    int32_t getKnobMode() const override { return knobMode; }
    bool sizeWindow(int32_t width, int32_t height) override
    {
        log.push_back("size " + std::to_string(width) + " x " + std::to_string(height));
        return hostSizesWindow;
    }
    bool openHostWindow(HostWindowRecord& record) override
    {
        log.push_back(std::string("open ") + record.title + " " + std::to_string(record.width) + " x "
            + std::to_string(record.height));
        record.window = hostWindow;
        return hostWindow != nullptr;
    }
    void closeHostWindow(HostWindowRecord& record) override
    {
        log.push_back(record.window == hostWindow ? "close" : "close a window it never gave");
    }

    void valueChanged(CGraphics*, CControl* control) override
    {
        reports.push_back(control->getValue());
        log.push_back("value " + std::to_string(control->getTag()));
    }

    MouseScript script;
    int32_t knobMode = 2;
    bool hostSizesWindow = false;  // the host's answer to sizeWindow
    void* hostWindow = nullptr;    // what the host opens for openHostWindow; null: nothing
    std::vector<float> reports;
    std::vector<std::string> log;
};
