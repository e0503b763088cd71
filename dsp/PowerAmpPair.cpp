#include "PowerAmpPair.h"

namespace {

__m128 pair(float a, float b)
{
    return _mm_setr_ps(a, b, 0.0f, 0.0f);
}

__m128d pair(double a, double b)
{
    return _mm_setr_pd(a, b);
}

float lane(__m128 v, int index)
{
    alignas(16) float lanes[4];
    _mm_store_ps(lanes, v);
    return lanes[index];
}

}  // namespace

PowerAmpPair::PowerAmpPair(const PowerAmp& design, const PowerAmp& state)
{
    const Biquad& ra = design.resonanceFilterA;
    const Biquad& rb = design.resonanceFilterB;
    resonanceScale_ = pair(design.resonanceFeedback, -1.414f);
    presence_ = pair(design.presence, design.presence);
    presenceScale_ = pair(0.5f, 1.0f);
    sagAmount_ = pair(design.sagAmount, design.sagAmount);
    b0_ = pair(ra.b0, rb.b0);
    b1_ = pair(ra.b1, rb.b1);
    b2_ = pair(ra.b2, rb.b2);
    a1_ = pair(ra.a1, rb.a1);
    a2_ = pair(ra.a2, rb.a2);
    brightGain_ = pair(design.brightFilterA.highGain, design.brightFilterB.highGain);
    brightPole_ = pair(design.brightFilterA.pole, design.brightFilterB.pole);
    sagGain_ = pair(design.sagFilterA.lowGain, design.sagFilterB.lowGain);
    sagPole_ = pair(design.sagFilterA.pole, design.sagFilterB.pole);
    toneGain_ = pair(design.toneFilterA.lowGain, design.toneFilterB.lowGain);
    tonePole_ = pair(design.toneFilterA.pole, design.toneFilterB.pole);
    couplingGain_ = pair(design.couplingFilterA.highGain, design.couplingFilterB.highGain);
    couplingPole_ = pair(design.couplingFilterA.pole, design.couplingFilterB.pole);
    lowBoost_ = design.lowBoost;

    sag_ = pair(state.sagA, state.sagB);
    resonance_ = pair(state.resonanceA, state.resonanceB);
    bright_ = pair(state.brightA, state.brightB);
    z1_ = pair(state.resonanceFilterA.z1, state.resonanceFilterB.z1);
    z2_ = pair(state.resonanceFilterA.z2, state.resonanceFilterB.z2);
    brightY1_ = pair(state.brightFilterA.y1, state.brightFilterB.y1);
    brightX1_ = pair(state.brightFilterA.x1, state.brightFilterB.x1);
    sagY1_ = pair(state.sagFilterA.y1, state.sagFilterB.y1);
    toneY1_ = pair(state.toneFilterA.y1, state.toneFilterB.y1);
    couplingY1_ = pair(state.couplingFilterA.y1, state.couplingFilterB.y1);
    couplingX1_ = pair(state.couplingFilterA.x1, state.couplingFilterB.x1);
    voicing_ = design.voicingFilter.withStateOf(state.voicingFilter);
    output_ = design.outputFilter.withStateOf(state.outputFilter);
}

void PowerAmpPair::store(PowerAmp& state) const
{
    state.sagA = lane(sag_, 0);
    state.sagB = lane(sag_, 1);
    state.resonanceA = lane(resonance_, 0);
    state.resonanceB = lane(resonance_, 1);
    state.brightA = lane(bright_, 0);
    state.brightB = lane(bright_, 1);
    state.resonanceFilterA.z1 = lane(z1_, 0);
    state.resonanceFilterB.z1 = lane(z1_, 1);
    state.resonanceFilterA.z2 = lane(z2_, 0);
    state.resonanceFilterB.z2 = lane(z2_, 1);
    state.brightFilterA.y1 = lane(brightY1_, 0);
    state.brightFilterB.y1 = lane(brightY1_, 1);
    state.brightFilterA.x1 = lane(brightX1_, 0);
    state.brightFilterB.x1 = lane(brightX1_, 1);
    state.sagFilterA.y1 = lane(sagY1_, 0);
    state.sagFilterB.y1 = lane(sagY1_, 1);
    state.toneFilterA.y1 = lane(toneY1_, 0);
    state.toneFilterB.y1 = lane(toneY1_, 1);
    state.couplingFilterA.y1 = lane(couplingY1_, 0);
    state.couplingFilterB.y1 = lane(couplingY1_, 1);
    state.couplingFilterA.x1 = lane(couplingX1_, 0);
    state.couplingFilterB.x1 = lane(couplingX1_, 1);
    state.voicingFilter.z1 = voicing_.z1;
    state.voicingFilter.z2 = voicing_.z2;
    state.outputFilter.y1 = output_.y1;
}
