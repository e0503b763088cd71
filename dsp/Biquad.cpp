#include "Biquad.h"

#include <cmath>

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

void designBiquad(double f0, double fs, double q, double gainDb, BiquadKind kind, Biquad& biquad)
{
    const double w0 = kTwoPi * f0 / fs;
    const double sw = std::sin(w0);
    const double cw = std::cos(w0);
    const double alpha = sw / (2.0 * q);

    double b0 = 0.0, b1 = 0.0, b2 = 0.0, a0 = 1.0, a1 = 0.0, a2 = 0.0;
    switch (kind) {
    case BiquadKind::HighPass:
        b0 = (1.0 + cw) / 2.0;
        b1 = -(1.0 + cw);
        b2 = (1.0 + cw) / 2.0;
        a0 = 1.0 + alpha;
        a1 = -2.0 * cw;
        a2 = 1.0 - alpha;
        break;
    case BiquadKind::BandPass:
        b0 = alpha;
        b1 = 0.0;
        b2 = -alpha;
        a0 = 1.0 + alpha;
        a1 = -2.0 * cw;
        a2 = 1.0 - alpha;
        break;
    case BiquadKind::AllPass:
        b0 = 1.0 - alpha;
        b1 = -2.0 * cw;
        b2 = 1.0 + alpha;
        a0 = 1.0 + alpha;
        a1 = -2.0 * cw;
        a2 = 1.0 - alpha;
        break;
    case BiquadKind::Peaking: {
        const double a = std::pow(10.0, gainDb * 0.025);  // 10^(gainDb/40)
        b0 = 1.0 + alpha * a;
        b1 = -2.0 * cw;
        b2 = 1.0 - alpha * a;
        a0 = 1.0 + alpha / a;
        // The raw a1 is rounded to float before the division, so at 0 dB b1 and a1 may
        // differ in the last bit: the section is an identity only to within one float step.
        a1 = static_cast<float>(-2.0 * cw);
        a2 = 1.0 - alpha / a;
        break;
    }
    case BiquadKind::LowShelf: {
        const double a = std::pow(10.0, gainDb * 0.025);
        const double beta = std::sqrt(a) * sw / q;  // 2·sqrt(A)·alpha
        b0 = a * ((a + 1.0) - (a - 1.0) * cw + beta);
        b1 = 2.0 * a * ((a - 1.0) - (a + 1.0) * cw);
        b2 = a * ((a + 1.0) - (a - 1.0) * cw - beta);
        a0 = (a + 1.0) + (a - 1.0) * cw + beta;
        a1 = -2.0 * ((a - 1.0) + (a + 1.0) * cw);
        a2 = (a + 1.0) + (a - 1.0) * cw - beta;
        break;
    }
    }

    biquad.b0 = static_cast<float>(b0 / a0);
    biquad.b1 = static_cast<float>(b1 / a0);
    biquad.b2 = static_cast<float>(b2 / a0);
    biquad.a1 = static_cast<float>(a1 / a0);
    biquad.a2 = static_cast<float>(a2 / a0);
}
