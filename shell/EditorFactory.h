// The effect's panel, made and drawn here so that the effect itself names no editor class.
#pragma once

#include <cstddef>
#include <cstdint>

class AEffEditor;
class AudioEffect;

// Makes the panel for effect; it attaches itself as the effect's editor, which the effect's
// base owns from then on.
void attachEditor(AudioEffect* effect);

// Copies editor's picture as the editor snapshot request asks for it (0xAARRGGBB, top row
// first); false when editor is not our panel or pixels cannot hold it.
bool snapshotEditor(
    AEffEditor* editor, uint32_t* pixels, std::size_t capacity, int32_t& width, int32_t& height);
