#include "PowerAmp.h"

#include <cmath>

namespace {
constexpr double kTwoPi = 6.283185307179586;

// Cookbook band-pass with 0 dB peak, written with the α multiplier instead of Q.
void designResonance(double w0, double alphaPerSine, Biquad& section)
{
    const double alpha = std::sin(w0) * alphaPerSine;
    section.b0 = static_cast<float>(alpha / (1.0 + alpha));
    section.b1 = 0.0f;
    section.b2 = static_cast<float>(-alpha / (1.0 + alpha));
    section.a1 = static_cast<float>(-2.0 * std::cos(w0) / (1.0 + alpha));
    section.a2 = static_cast<float>((1.0 - alpha) / (1.0 + alpha));
}
}  // namespace

void PowerAmp::configure(float fs, float sag)
{
    sampleRate = fs;
    sagAmount = sag;
    resonanceFeedback = static_cast<float>(std::pow(10.0, -0.25));

    const double w800 = kTwoPi * 800.0 / fs;
    designResonance(w800, 0.3536067892503536, resonanceFilterA);  // Q = 1.414
    designResonance(w800, 1.0 / 6.0, resonanceFilterB);           // Q = 3
    setVoicing(0.0f);

    brightFilterA.setCutoff(4500.0, fs);
    brightFilterB.setCutoff(4500.0, fs);
    sagFilterA.setCutoff(80.0, fs);
    sagFilterB.setCutoff(80.0, fs);
    toneFilterA.setCutoff(10000.0, fs);
    toneFilterB.setCutoff(10000.0, fs);
    couplingFilterA.setCutoff(33.0, fs);
    couplingFilterB.setCutoff(33.0, fs);
    outputFilter.setCutoff(300.0, fs);
}

void PowerAmp::setVoicing(float offsetHz)
{
    const double w = kTwoPi * (offsetHz + 320.0) / sampleRate;
    const double alpha = 5.0 * std::sin(w);  // Q = 0.1
    const float direct = static_cast<float>((1.0 - alpha) / (1.0 + alpha));
    const float middle = static_cast<float>(-2.0 * std::cos(w) / (1.0 + alpha));
    voicingFilter.b0 = direct;
    voicingFilter.a2 = direct;
    voicingFilter.b1 = middle;
    voicingFilter.a1 = middle;
    voicingFilter.b2 = 1.0f;
}
