#include "OnePoleFilter.h"

#include "base/MathConstants.h"

#include <cmath>

void OnePoleFilter::Coefficients::setCutoff(double f, double fs)
{
    const double h = std::exp(-kTwoPi * f / fs);
    pole = h;
    lowGain = 1.0 - h;
    highGain = (h + 1.0) * 0.5;
}
