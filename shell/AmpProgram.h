// One program-bank entry: the stored parameter values (normalised, as set, by parameter index;
// the channel as its normalised value, not the channel number) and the program's name. Only
// the parameters whose rows say so are stored; the other slots stay unused.
#pragma once

#include "base/RelaxedAtomic.h"
#include "plugin/Parameters.h"

#include <cstddef>

struct AmpProgram {
    static constexpr std::size_t kNameSize = 24;  // VST 2 limit, terminator included

    // Parameter changes from any thread write them while others read.
    RelaxedAtomic<float> values[kNumParams];
    char name[kNameSize];  // zero-terminated; the dispatcher's

    // Copies text, cut to the 23 characters the name field holds.
    void setName(const char* text)
    {
        std::size_t length = 0;
        while (length < kNameSize - 1 && text[length] != 0) {
            name[length] = text[length];
            ++length;
        }
        name[length] = 0;
    }
};
