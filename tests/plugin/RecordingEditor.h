// An editor for tests: keeps every default of AEffEditor and records what reaches it.
#pragma once

#include "plugin/AEffEditor.h"

#include <string>
#include <utility>
#include <vector>

class RecordingEditor : public AEffEditor {
public:
    using AEffEditor::AEffEditor;

    int32_t open(void* window) override
    {
        events.push_back("open");
        return AEffEditor::open(window);
    }
    void close() override { events.push_back("close"); }
    void update() override { events.push_back("update"); }
    int32_t onKeyDown(VstKeyCode& key) override
    {
        keys.push_back(key);
        return AEffEditor::onKeyDown(key);
    }
    int32_t onKeyUp(VstKeyCode& key) override
    {
        keys.push_back(key);
        return AEffEditor::onKeyUp(key);
    }
    void setParameter(int32_t tag, float value) override { notifications.emplace_back(tag, value); }

    void* window() const { return systemWindow_; }
    std::vector<int32_t> tags() const
    {
        std::vector<int32_t> result;
        for (const auto& notification : notifications)
            result.push_back(notification.first);
        return result;
    }

    std::vector<std::string> events;
    std::vector<VstKeyCode> keys;
    std::vector<std::pair<int32_t, float>> notifications;
};

// Attaches a new RecordingEditor to the effect (which then owns it) and returns it.
template <typename Effect> RecordingEditor* attachRecordingEditor(Effect& effect)
{
    auto* editor = new RecordingEditor(&effect);
    effect.setEditor(editor);
    return editor;
}
