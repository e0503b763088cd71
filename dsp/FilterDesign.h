// Coefficient designs: each a function of its filter's settings and the rate, writing a
// coefficient record. The RBJ audio-EQ cookbook forms, computed in double
// and stored as floats divided by a0. How alpha is given and how a0 is divided out decide the
// last bit of a coefficient, and the amp was voiced with the forms below, so they stay apart.
// Frequencies in Hz within (0, fs/2), Q and alpha factors > 0, gains in dB.
#pragma once

#include "Biquad.h"
#include "ToneStack.h"

// The cookbook forms, numbered as the tone stack and the blocks refer to them.
enum class BiquadKind : int {
    HighPass = 1,
    BandPass = 3,  // constant 0 dB peak gain
    AllPass = 5,
    Peaking = 6,
    LowShelf = 7,
};

// alpha = sin(w0)/(2·Q).
void designBiquad(
    double f0, double fs, double q, double gainDb, BiquadKind kind, Biquad::Coefficients& biquad);

// alpha = sin(w0)·alphaPerSine, for the high-pass, band-pass and all-pass: the power amp's
// resonances and voicing all-pass.
void designBiquadFromAlpha(
    double f0, double fs, double alphaPerSine, BiquadKind kind, Biquad::Coefficients& biquad);

// As designBiquadFromAlpha, with the coefficients multiplied by 1/a0 instead of divided by
// a0: the channel filter at the head of the oversampled chain.
void designScaledBiquadFromAlpha(
    double f0, double fs, double alphaPerSine, BiquadKind kind, Biquad::Coefficients& biquad);

// The tone stack's three sections for the controls bass, mid and treble, each centred on 0
// (-0.5 .. +0.5).
void designToneStack(float bass, float mid, float treble, float fs, ToneStack::Coefficients& toneStack);
