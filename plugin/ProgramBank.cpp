#include "plugin/ProgramBank.h"

namespace {
struct FactoryPreset {
    const char* name;
    float master, drive, bass, mid, treble, presence, voicing, channel;
};

// Channel values 0.4 and 0.7 sit inside the crunch and ultra thirds.
constexpr FactoryPreset kPresets[] = {
    {"default", 0.25f, 0.3f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f},
    {"clean", 0.4f, 0.3f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f},
    {"crunch", 0.3f, 0.6f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.4f},
    {"high gain", 0.2f, 0.9f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 0.7f},
};
constexpr FactoryPreset kUserPreset = {"User", 0.25f, 0.3f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f};
constexpr int32_t kNumFactoryPresets = sizeof(kPresets) / sizeof(kPresets[0]);
}  // namespace

ProgramBank::ProgramBank()
    : programs_{}
{
    for (int32_t i = 0; i < kNumPrograms; ++i) {
        const FactoryPreset& preset = i < kNumFactoryPresets ? kPresets[i] : kUserPreset;
        AmpProgram& program = (*this)[i];
        program.master = preset.master;
        program.drive = preset.drive;
        program.bass = preset.bass;
        program.mid = preset.mid;
        program.treble = preset.treble;
        program.presence = preset.presence;
        program.voicing = preset.voicing;
        program.channel = preset.channel;
        program.setName(preset.name);
    }
}
