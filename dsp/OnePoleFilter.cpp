#include "OnePoleFilter.h"

#include <cmath>

void OnePoleFilter::Coefficients::setCutoff(double f, double fs)
{
    const double h = std::exp(-6.283185307179586 * f / fs);
    pole = h;
    lowGain = 1.0 - h;
    highGain = (h + 1.0) * 0.5;
}
