#include "PowerAmp.h"

#include "FilterDesign.h"

#include <initializer_list>

void PowerAmp::configure(float fs)
{
    designBiquadFromAlpha(kResonanceHz, fs, kResonanceAlphaPerSineA, BiquadKind::BandPass, resonanceFilterA);
    designBiquadFromAlpha(kResonanceHz, fs, kResonanceAlphaPerSineB, BiquadKind::BandPass, resonanceFilterB);
    setVoicing(0.0f, fs);
    for (OnePoleFilter* filter : {&brightFilterA, &brightFilterB})
        filter->setCutoff(kBrightHz, fs);
    for (OnePoleFilter* filter : {&sagFilterA, &sagFilterB})
        filter->setCutoff(kSagHz, fs);
    for (OnePoleFilter* filter : {&toneFilterA, &toneFilterB})
        filter->setCutoff(kToneHz, fs);
    for (OnePoleFilter* filter : {&couplingFilterA, &couplingFilterB})
        filter->setCutoff(kCouplingHz, fs);
    outputFilter.setCutoff(kLowBoostHz, fs);
}

void PowerAmp::setVoicing(float offsetHz, float fs)
{
    designBiquadFromAlpha(
        offsetHz + kVoicingBaseHz, fs, kVoicingAlphaPerSine, BiquadKind::AllPass, voicingFilter);
}

PowerAmp PowerAmp::withStateOf(const PowerAmp& running) const
{
    PowerAmp combined = *this;
    combined.sagA = running.sagA;
    combined.sagB = running.sagB;
    combined.resonanceA = running.resonanceA;
    combined.resonanceB = running.resonanceB;
    combined.brightA = running.brightA;
    combined.brightB = running.brightB;
    combined.resonanceFilterA = resonanceFilterA.withStateOf(running.resonanceFilterA);
    combined.resonanceFilterB = resonanceFilterB.withStateOf(running.resonanceFilterB);
    combined.voicingFilter = voicingFilter.withStateOf(running.voicingFilter);
    OnePoleFilter PowerAmp::*const onePoles[] = {&PowerAmp::brightFilterA, &PowerAmp::brightFilterB,
        &PowerAmp::sagFilterA, &PowerAmp::sagFilterB, &PowerAmp::toneFilterA, &PowerAmp::toneFilterB,
        &PowerAmp::couplingFilterA, &PowerAmp::couplingFilterB, &PowerAmp::outputFilter};
    for (OnePoleFilter PowerAmp::*filter : onePoles)
        combined.*filter = (this->*filter).withStateOf(running.*filter);
    return combined;
}
