// The 63 programs an effect keeps in memory, filled with the factory presets on creation:
// "default", "clean", "crunch", "high gain" and 59 "User" slots like "default".
#pragma once

#include "shell/AmpProgram.h"

#include <array>
#include <cstdint>

constexpr int32_t kNumPrograms = 63;
// The factory programs come first in the bank; the rest are "User" slots.
constexpr int32_t kNumFactoryPrograms = 4;

class ProgramBank {
public:
    ProgramBank();

    static bool contains(int32_t index) { return index >= 0 && index < kNumPrograms; }
    // index must satisfy contains(index).
    AmpProgram& operator[](int32_t index) { return programs_[static_cast<std::size_t>(index)]; }
    const AmpProgram& operator[](int32_t index) const { return programs_[static_cast<std::size_t>(index)]; }

private:
    std::array<AmpProgram, kNumPrograms> programs_;
};
