// Peak and RMS level of a clip over all its channels, in dB relative to full scale (1.0).
#pragma once

#include "tools/hostkit/AudioClip.h"

struct SignalLevels {
    // Reported for digital silence, where the logarithm has no value.
    static constexpr double kSilenceDbfs = -200.0;

    double peakDbfs;
    double rmsDbfs;

    static SignalLevels measure(const AudioClip& clip);
    // An amplitude (1.0 is full scale) in dBFS; kSilenceDbfs for 0.
    static double toDbfs(double amplitude);
};
