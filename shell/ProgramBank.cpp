#include "shell/ProgramBank.h"

#include "shell/ParameterTable.h"

#include <initializer_list>

namespace {

struct Setting {
    ParameterIndex parameter;
    float value;
};

// A factory program: its name and the values that differ from the parameters' defaults.
struct FactoryPreset {
    const char* name;
    std::initializer_list<Setting> settings;
};

// Channel values 0.4 and 0.7 sit inside the crunch and ultra thirds. "default" and the
// "User" slots hold the defaults.
const FactoryPreset kPresets[] = {
    {"default", {}},
    {"clean", {{kMaster, 0.4f}}},
    {"crunch", {{kMaster, 0.3f}, {kDrive, 0.6f}, {kChannel, 0.4f}}},
    {"high gain", {{kMaster, 0.2f}, {kDrive, 0.9f}, {kPresence, 0.5f}, {kChannel, 0.7f}}},
};
const FactoryPreset kUserPreset = {"User", {}};
constexpr int32_t kNumFactoryPresets = sizeof(kPresets) / sizeof(kPresets[0]);
static_assert(kNumFactoryPresets == kNumFactoryPrograms, "the bank's header counts the factory programs");

}  // namespace

ProgramBank::ProgramBank()
    : programs_{}
{
    for (int32_t i = 0; i < kNumPrograms; ++i) {
        const FactoryPreset& preset = i < kNumFactoryPresets ? kPresets[i] : kUserPreset;
        AmpProgram& program = (*this)[i];
        for (int32_t p = 0; p < kNumParams; ++p)
            program.values[p] = kParameterTable[p].defaultValue;
        for (const Setting& s : preset.settings)
            program.values[s.parameter] = s.value;
        program.setName(preset.name);
    }
}
