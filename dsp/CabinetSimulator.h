// Miked 4x12 speaker cabinet at the host rate: three resonant bands with comb colouring, a
// high band with its own comb under a 10 kHz top cut, then four delayed copies for the paths
// from the neighbouring speakers to the microphone. Holds every filter and delay line by
// value (about 29 kB), so configure() allocates nothing. Input: host-rate samples at 44100,
// 48000, 88200 or 96000 Hz (delays stay below 1024 samples up to 96000 Hz). configure() and
// process() keep the seven delay lines in step (one write index) and the four reflection rings
// equal, as they all take u: CabinetLanes and CabinetReflectionLanes rely on both.
#pragma once

#include "FractionalDelayLine.h"
#include "StateVariableFilter.h"

class CabinetSimulator {
public:
    static constexpr float kHighBandLift = 1.414f;  // the presence band enters its comb at +3 dB

    // Rebuilds all filters and delay lines for host rate fs with cleared state; called from
    // the engine's sample-rate setup, never concurrently with process().
    void configure(float fs);

    // False until the first configure(); an unconfigured simulator must not be run.
    bool isConfigured() const { return configured; }

    // Called per sample on the audio thread; allocates nothing. The order is the sound.
    float process(float x)
    {
        const float p = mainComb.process(mainBand.process(x));
        float u = p + lowBand.process(x);
        u = subComb.process(u + subBand.process(x));
        const float h = highComb.process(highBand.process(u) * kHighBandLift);
        u = highCut.process(u + h);
        // Each reflection line returns u plus its delayed copy (k = 1).
        const float r1 = reflection1.process(u) * reflectionGain1;
        const float r2 = reflection2.process(u) * reflectionGain2;
        const float r3 = reflection3.process(u) * reflectionGain3;
        const float r4 = reflection4.process(u) * reflectionGain4;
        return u + r1 + r2 + r3 + r4;
    }

    // Non-finite once a filter state holds an infinity or a NaN. The delay lines hold only
    // inputs that also passed those filters.
    float stateSum() const
    {
        return mainBand.stateSum() + lowBand.stateSum() + subBand.stateSum() + highBand.stateSum()
            + highCut.stateSum();
    }
    // Back to silence with the design kept.
    void clearState();

    StateVariableFilter mainBand, lowBand, subBand;                          // resonant bands (band-pass)
    StateVariableFilter highBand;                                            // presence band (band-pass)
    StateVariableFilter highCut;                                             // top cut (low-pass)
    FractionalDelayLine mainComb, subComb, highComb;                         // comb colouring of the bands
    FractionalDelayLine reflection1, reflection2, reflection3, reflection4;  // speaker paths
    float reflectionGain1 = 0.0f, reflectionGain2 = 0.0f;                    // levels of the delayed paths
    float reflectionGain3 = 0.0f, reflectionGain4 = 0.0f;

private:
    bool configured = false;
};
