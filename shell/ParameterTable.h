// Everything about each of the ten parameters, one row each in index order: the name and label
// the host shows, the value a fresh program holds, whether programs store it and in which
// order a program change applies it, how a normalised value reaches the engine, how it reads
// back and how it displays. The effect's parameter
// calls, the program bank and the factory programs all work from these rows, so adding a
// parameter is one row here and its setter in the engine.
#pragma once

#include "plugin/Parameters.h"

class AmpEngine;

constexpr int32_t kNotInPrograms = -1;

struct ParameterRow {
    bool storedInPrograms() const { return programOrder != kNotInPrograms; }

    const char* name;
    const char* label;
    // A fresh program's value. A parameter that programs do not store starts at the engine's
    // own value, which is this one too.
    float defaultValue;
    // Where a program change applies it, counting from 0 (the channel before the voicing), or
    // kNotInPrograms.
    int32_t programOrder;
    void (*apply)(AmpEngine& engine, float value);
    float (*read)(const AmpEngine& engine);                // the normalised value, as a host saves it
    void (*display)(const AmpEngine& engine, char* text);  // at most 14 characters
};

extern const ParameterRow kParameterTable[kNumParams];

// The tag the editor is told of a change with: the parameter's index, or for the channel
// kChannelTagBase + the channel number.
int32_t editorTagOf(int32_t index, float value);
