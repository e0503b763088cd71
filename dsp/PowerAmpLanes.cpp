#include "PowerAmpLanes.h"

namespace {

__m128d lanePair(double a, double b)
{
    return _mm_setr_pd(a, b);
}

}  // namespace

PowerAmpLanes::PowerAmpLanes(const PowerAmp& design, const PowerAmp& state)
{
    const Biquad& ra = design.resonanceFilterA;
    const Biquad& rb = design.resonanceFilterB;
    resonanceScale_ = lanePair(PowerAmp::kResonanceFeedbackA, -PowerAmp::kResonanceFeedbackB);
    presence_ = lanePair(design.presence, design.presence);
    presenceScale_ = lanePair(PowerAmp::kPresenceScaleA, 1.0f);
    sagAmount_ = lanePair(PowerAmp::kSagAmount, PowerAmp::kSagAmount);
    b0_ = lanePair(ra.b0, rb.b0);
    b1_ = lanePair(ra.b1, rb.b1);
    b2_ = lanePair(ra.b2, rb.b2);
    a1_ = lanePair(ra.a1, rb.a1);
    a2_ = lanePair(ra.a2, rb.a2);
    brightGain_ = lanePair(design.brightFilterA.highGain, design.brightFilterB.highGain);
    brightPole_ = lanePair(design.brightFilterA.pole, design.brightFilterB.pole);
    sagGain_ = lanePair(design.sagFilterA.lowGain, design.sagFilterB.lowGain);
    sagPole_ = lanePair(design.sagFilterA.pole, design.sagFilterB.pole);
    toneGain_ = lanePair(design.toneFilterA.lowGain, design.toneFilterB.lowGain);
    tonePole_ = lanePair(design.toneFilterA.pole, design.toneFilterB.pole);
    couplingGain_ = lanePair(design.couplingFilterA.highGain, design.couplingFilterB.highGain);
    couplingPole_ = lanePair(design.couplingFilterA.pole, design.couplingFilterB.pole);
    lowBoost_ = design.lowBoost;

    sag_ = lanePair(state.sagA, state.sagB);
    resonance_ = lanePair(state.resonanceA, state.resonanceB);
    bright_ = lanePair(state.brightA, state.brightB);
    z1_ = lanePair(state.resonanceFilterA.z1, state.resonanceFilterB.z1);
    z2_ = lanePair(state.resonanceFilterA.z2, state.resonanceFilterB.z2);
    brightY1_ = lanePair(state.brightFilterA.y1, state.brightFilterB.y1);
    brightX1_ = lanePair(state.brightFilterA.x1, state.brightFilterB.x1);
    sagY1_ = lanePair(state.sagFilterA.y1, state.sagFilterB.y1);
    toneY1_ = lanePair(state.toneFilterA.y1, state.toneFilterB.y1);
    couplingY1_ = lanePair(state.couplingFilterA.y1, state.couplingFilterB.y1);
    couplingX1_ = lanePair(state.couplingFilterA.x1, state.couplingFilterB.x1);
    voicing_ = design.voicingFilter.withStateOf(state.voicingFilter);
    output_ = design.outputFilter.withStateOf(state.outputFilter);
}

void PowerAmpLanes::store(PowerAmp& state) const
{
    state.sagA = laneValue(sag_, 0);
    state.sagB = laneValue(sag_, 1);
    state.resonanceA = laneValue(resonance_, 0);
    state.resonanceB = laneValue(resonance_, 1);
    state.brightA = laneValue(bright_, 0);
    state.brightB = laneValue(bright_, 1);
    state.resonanceFilterA.z1 = laneValue(z1_, 0);
    state.resonanceFilterB.z1 = laneValue(z1_, 1);
    state.resonanceFilterA.z2 = laneValue(z2_, 0);
    state.resonanceFilterB.z2 = laneValue(z2_, 1);
    state.brightFilterA.y1 = laneValue(brightY1_, 0);
    state.brightFilterB.y1 = laneValue(brightY1_, 1);
    state.brightFilterA.x1 = laneValue(brightX1_, 0);
    state.brightFilterB.x1 = laneValue(brightX1_, 1);
    state.sagFilterA.y1 = laneValue(sagY1_, 0);
    state.sagFilterB.y1 = laneValue(sagY1_, 1);
    state.toneFilterA.y1 = laneValue(toneY1_, 0);
    state.toneFilterB.y1 = laneValue(toneY1_, 1);
    state.couplingFilterA.y1 = laneValue(couplingY1_, 0);
    state.couplingFilterB.y1 = laneValue(couplingY1_, 1);
    state.couplingFilterA.x1 = laneValue(couplingX1_, 0);
    state.couplingFilterB.x1 = laneValue(couplingX1_, 1);
    state.voicingFilter.z1 = voicing_.z1;
    state.voicingFilter.z2 = voicing_.z2;
    state.outputFilter.y1 = output_.y1;
}
