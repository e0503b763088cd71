// A short guitar-like phrase made with Karplus-Strong plucked strings: four single notes
// and a strummed E major chord, about 5 seconds, always the same samples for the same rate.
// Used as a repeatable test signal in place of a recorded guitar.
#pragma once

#include <vector>

class PluckedStringPhrase {
public:
    static constexpr double kDurationSeconds = 5.0;
    static constexpr float kPeakLevel = 0.5f;  // about -6 dBFS, a hot single-coil pickup

    // Mono samples at sampleRate (8000 Hz or more), normalised to kPeakLevel.
    static std::vector<float> render(int sampleRate);
};
