#include "shell/EditorFactory.h"

#include "editor/GrimboltEditor.h"

void attachEditor(AudioEffect* effect)
{
    new GrimboltEditor(effect);
}

bool snapshotEditor(
    AEffEditor* editor, uint32_t* pixels, std::size_t capacity, int32_t& width, int32_t& height)
{
    auto* panel = dynamic_cast<GrimboltEditor*>(editor);
    return panel && panel->snapshot(pixels, capacity, width, height);
}
