#include "PowerAmpLanes.h"

namespace {

__m128d lanePair(double a, double b)
{
    return _mm_setr_pd(a, b);
}

}  // namespace

PowerAmpLanes::PowerAmpLanes(const PowerAmp::Coefficients& design, const PowerAmp::State& state)
{
    const Biquad::Coefficients& ra = design.resonanceFilterA;
    const Biquad::Coefficients& rb = design.resonanceFilterB;
    resonanceScale_ = lanePair(PowerAmp::kResonanceFeedbackA, -PowerAmp::kResonanceFeedbackB);
    presence_ = lanePair(design.presence, design.presence);
    presenceScale_ = lanePair(PowerAmp::kPresenceScaleA, 1.0f);
    sagAmount_ = lanePair(PowerAmp::kSagAmount, PowerAmp::kSagAmount);
    b0_ = lanePair(ra.b0, rb.b0);
    b1_ = lanePair(ra.b1, rb.b1);
    b2_ = lanePair(ra.b2, rb.b2);
    a1_ = lanePair(ra.a1, rb.a1);
    a2_ = lanePair(ra.a2, rb.a2);
    brightGain_ = lanePair(design.brightFilter.highGain, design.brightFilter.highGain);
    brightPole_ = lanePair(design.brightFilter.pole, design.brightFilter.pole);
    sagGain_ = lanePair(design.sagFilter.lowGain, design.sagFilter.lowGain);
    sagPole_ = lanePair(design.sagFilter.pole, design.sagFilter.pole);
    toneGain_ = lanePair(design.toneFilter.lowGain, design.toneFilter.lowGain);
    tonePole_ = lanePair(design.toneFilter.pole, design.toneFilter.pole);
    couplingGain_ = lanePair(design.couplingFilter.highGain, design.couplingFilter.highGain);
    couplingPole_ = lanePair(design.couplingFilter.pole, design.couplingFilter.pole);
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
    voicingCoefficients_ = design.voicingFilter;
    outputCoefficients_ = design.outputFilter;
    voicing_ = state.voicingFilter;
    output_ = state.outputFilter;
}

void PowerAmpLanes::store(PowerAmp::State& state) const
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
    state.voicingFilter = voicing_;
    state.outputFilter = output_;
}
