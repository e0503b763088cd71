#include "FilterDesign.h"

#include "ToneStack.h"

#include "base/MathConstants.h"

#include <cmath>

namespace {

struct RawCoefficients {
    double b0, b1, b2, a0, a1, a2;
};

// The forms whose only parameter is alpha.
RawCoefficients fromAlpha(BiquadKind kind, double cw, double alpha)
{
    switch (kind) {
    case BiquadKind::HighPass:
        return {(1.0 + cw) / 2.0, -(1.0 + cw), (1.0 + cw) / 2.0, 1.0 + alpha, -2.0 * cw, 1.0 - alpha};
    case BiquadKind::BandPass:
        return {alpha, 0.0, -alpha, 1.0 + alpha, -2.0 * cw, 1.0 - alpha};
    case BiquadKind::AllPass:
        return {1.0 - alpha, -2.0 * cw, 1.0 + alpha, 1.0 + alpha, -2.0 * cw, 1.0 - alpha};
    case BiquadKind::Peaking:
    case BiquadKind::LowShelf:
        break;
    }
    return {0.0, 0.0, 0.0, 1.0, 0.0, 0.0};
}

void storeDividedByA0(const RawCoefficients& c, Biquad::Coefficients& biquad)
{
    biquad.b0 = static_cast<float>(c.b0 / c.a0);
    biquad.b1 = static_cast<float>(c.b1 / c.a0);
    biquad.b2 = static_cast<float>(c.b2 / c.a0);
    biquad.a1 = static_cast<float>(c.a1 / c.a0);
    biquad.a2 = static_cast<float>(c.a2 / c.a0);
}

}  // namespace

void designBiquad(
    double f0, double fs, double q, double gainDb, BiquadKind kind, Biquad::Coefficients& biquad)
{
    const double w0 = kTwoPi * f0 / fs;
    const double sw = std::sin(w0);
    const double cw = std::cos(w0);
    const double alpha = sw / (2.0 * q);

    RawCoefficients c = fromAlpha(kind, cw, alpha);
    if (kind == BiquadKind::Peaking) {
        const double a = std::pow(10.0, gainDb * 0.025);  // 10^(gainDb/40)
        // The raw a1 is rounded to float before the division, so at 0 dB b1 and a1 may
        // differ in the last bit: the section is an identity only to within one float step.
        c = {1.0 + alpha * a, -2.0 * cw, 1.0 - alpha * a, 1.0 + alpha / a, static_cast<float>(-2.0 * cw),
            1.0 - alpha / a};
    } else if (kind == BiquadKind::LowShelf) {
        const double a = std::pow(10.0, gainDb * 0.025);
        const double beta = std::sqrt(a) * sw / q;  // 2·sqrt(A)·alpha
        c = {a * ((a + 1.0) - (a - 1.0) * cw + beta), 2.0 * a * ((a - 1.0) - (a + 1.0) * cw),
            a * ((a + 1.0) - (a - 1.0) * cw - beta), (a + 1.0) + (a - 1.0) * cw + beta,
            -2.0 * ((a - 1.0) + (a + 1.0) * cw), (a + 1.0) + (a - 1.0) * cw - beta};
    }
    storeDividedByA0(c, biquad);
}

void designBiquadFromAlpha(
    double f0, double fs, double alphaPerSine, BiquadKind kind, Biquad::Coefficients& biquad)
{
    const double w0 = kTwoPi * f0 / fs;
    storeDividedByA0(fromAlpha(kind, std::cos(w0), std::sin(w0) * alphaPerSine), biquad);
}

void designScaledBiquadFromAlpha(
    double f0, double fs, double alphaPerSine, BiquadKind kind, Biquad::Coefficients& biquad)
{
    const double w0 = kTwoPi * f0 / fs;
    const RawCoefficients c = fromAlpha(kind, std::cos(w0), std::sin(w0) * alphaPerSine);
    const double g = 1.0 / c.a0;
    biquad.b0 = static_cast<float>(c.b0 * g);
    biquad.b1 = static_cast<float>(c.b1 * g);
    biquad.b2 = static_cast<float>(c.b2 * g);
    biquad.a1 = static_cast<float>(c.a1 * g);
    biquad.a2 = static_cast<float>(c.a2 * g);
}

void designToneStack(float bass, float mid, float treble, float fs, ToneStack::Coefficients& toneStack)
{
    // Treble above centre pulls the mid dip down, by up to 200 Hz at full treble.
    const double midShift = treble > 0.0f ? ToneStack::kMidShiftHz * treble : 0.0;
    designBiquad(ToneStack::kBassHz, fs, ToneStack::kBassQ, 15.0 * bass - ToneStack::kBassOffsetDb,
        BiquadKind::LowShelf, toneStack.bassSection);
    designBiquad(ToneStack::kMidHz - midShift, fs, 1.0 - 0.5 * mid, 15.0 * mid - ToneStack::kMidOffsetDb,
        BiquadKind::Peaking, toneStack.midSection);
    designBiquad(ToneStack::kTrebleHz, fs, ToneStack::kTrebleQ, 21.0 * treble - ToneStack::kTrebleOffsetDb,
        BiquadKind::Peaking, toneStack.trebleSection);
}
