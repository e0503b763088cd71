#include "PowerAmp.h"

#include "FilterDesign.h"

void PowerAmp::Coefficients::configure(float fs)
{
    designBiquadFromAlpha(kResonanceHz, fs, kResonanceAlphaPerSineA, BiquadKind::BandPass, resonanceFilterA);
    designBiquadFromAlpha(kResonanceHz, fs, kResonanceAlphaPerSineB, BiquadKind::BandPass, resonanceFilterB);
    setVoicing(0.0f, fs);
    brightFilter.setCutoff(kBrightHz, fs);
    sagFilter.setCutoff(kSagHz, fs);
    toneFilter.setCutoff(kToneHz, fs);
    couplingFilter.setCutoff(kCouplingHz, fs);
    outputFilter.setCutoff(kLowBoostHz, fs);
}

void PowerAmp::Coefficients::setVoicing(float offsetHz, float fs)
{
    designBiquadFromAlpha(
        offsetHz + kVoicingBaseHz, fs, kVoicingAlphaPerSine, BiquadKind::AllPass, voicingFilter);
}
