// A GUI editor for tests, on an effect whose host records what reaches it: open builds a
// frame with one counting view, close destroys it.
#pragma once

#include "gui/CFrame.h"
#include "plugin/AEffGUIEditor.h"
#include "plugin/AudioEffectX.h"
#include "tests/gui/support/CountingView.h"

#include <functional>
#include <vector>

class PanelEditor : public AEffGUIEditor {
public:
    explicit PanelEditor(AudioEffect* effect)
        : AEffGUIEditor(effect)
    {
        rect_ = {0, 0, 40, 60};
    }

    int32_t open(void* window) override
    {
        AEffGUIEditor::open(window);
        frame_ = new CFrame(CBox(0, 0, 60, 40), window, this);
        view = new CountingView(CBox(10, 10, 30, 30), kRedCRgba);
        frame_->addView(view);
        return 1;
    }
    void close() override
    {
        frame_->release();
        frame_ = nullptr;
        view = nullptr;
    }
    void update() override { ++updates; }

    CountingView* view = nullptr;
    int updates = 0;
};

// The host side: one effect with a PanelEditor; records host requests and can act inside them.
class EditorHost {
public:
    EditorHost()
        : effect(&EditorHost::callback, 1, 1)
        , editor(new PanelEditor(&effect))
    {
        current = this;
    }
    ~EditorHost()
    {
        if (editor->getFrame())
            dispatch(effEditClose);
        current = nullptr;
    }

    intptr_t dispatch(
        int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        return effect.dispatcher(opcode, index, value, ptr, opt);
    }

    struct Request {
        int32_t opcode;
        int32_t index;
    };
    std::vector<Request> requests;
    intptr_t answer = 0;
    std::function<void()> onIdle;  // runs inside the host's audioMasterIdle

    AudioEffectX effect;
    PanelEditor* editor;  // owned by the effect

private:
    static intptr_t VST_CALLBACK callback(AEffect*, int32_t opcode, int32_t index, intptr_t, void*, float)
    {
        if (!current)
            return 0;
        current->requests.push_back({opcode, index});
        if (opcode == audioMasterIdle && current->onIdle)
            current->onIdle();
        return current->answer;
    }

    static inline EditorHost* current = nullptr;
};
