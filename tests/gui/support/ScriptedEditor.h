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

    void valueChanged(CGraphics*, CControl* control) override
    {
        reports.push_back(control->getValue());
        log.push_back("value " + std::to_string(control->getTag()));
    }

    MouseScript script;
    int32_t knobMode = 2;
    std::vector<float> reports;
    std::vector<std::string> log;
};
