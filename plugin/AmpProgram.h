// One program-bank entry: the eight stored parameter values (normalised, as set; the
// channel as its normalised value, not the channel number) and the program's name.
#pragma once

#include "engine/RelaxedAtomic.h"

#include <cstddef>

struct AmpProgram {
    static constexpr std::size_t kNameSize = 24;  // VST 2 limit, terminator included

    // Normalised values. Parameter changes from any thread write them while others read.
    RelaxedAtomic<float> bass, mid, treble, presence, drive, channel, master, voicing;
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
