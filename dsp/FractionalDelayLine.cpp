#include "FractionalDelayLine.h"

#include <algorithm>
#include <cmath>
#include <iterator>

void FractionalDelayLine::configure(float gainDb, float fs, float frequency)
{
    std::fill(std::begin(buffer), std::end(buffer), 0.0f);
    writeIndex = 0;

    const float delay = std::min(fs / frequency, static_cast<float>(size));
    delaySamples = static_cast<int>(std::floor(delay));
    frac = delay - static_cast<float>(delaySamples);
    oneMinusFrac = 1.0f - frac;

    // k = (e - 1)/(e + 1) puts the comb's peaks e times above its notches; past 99 dB the
    // copy is taken at full weight.
    if (gainDb > 99.0f) {
        feedForward = 1.0f;
    } else {
        const double e = std::pow(10.0, gainDb * 0.05);
        feedForward = static_cast<float>((e - 1.0) / (e + 1.0));
    }
}
