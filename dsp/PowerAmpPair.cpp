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

PowerAmpPair::PowerAmpPair(const PowerAmp& amp)
{
    const Biquad& ra = amp.resonanceFilterA;
    const Biquad& rb = amp.resonanceFilterB;
    resonanceScale_ = pair(amp.resonanceFeedback, -1.414f);
    presence_ = pair(amp.presence, amp.presence);
    presenceScale_ = pair(0.5f, 1.0f);
    sagAmount_ = pair(amp.sagAmount, amp.sagAmount);
    b0_ = pair(ra.b0, rb.b0);
    b1_ = pair(ra.b1, rb.b1);
    b2_ = pair(ra.b2, rb.b2);
    a1_ = pair(ra.a1, rb.a1);
    a2_ = pair(ra.a2, rb.a2);
    brightGain_ = pair(amp.brightFilterA.highGain, amp.brightFilterB.highGain);
    brightPole_ = pair(amp.brightFilterA.pole, amp.brightFilterB.pole);
    sagGain_ = pair(amp.sagFilterA.lowGain, amp.sagFilterB.lowGain);
    sagPole_ = pair(amp.sagFilterA.pole, amp.sagFilterB.pole);
    toneGain_ = pair(amp.toneFilterA.lowGain, amp.toneFilterB.lowGain);
    tonePole_ = pair(amp.toneFilterA.pole, amp.toneFilterB.pole);
    couplingGain_ = pair(amp.couplingFilterA.highGain, amp.couplingFilterB.highGain);
    couplingPole_ = pair(amp.couplingFilterA.pole, amp.couplingFilterB.pole);
    lowBoost_ = amp.lowBoost;

    sag_ = pair(amp.sagA, amp.sagB);
    resonance_ = pair(amp.resonanceA, amp.resonanceB);
    bright_ = pair(amp.brightA, amp.brightB);
    z1_ = pair(ra.z1, rb.z1);
    z2_ = pair(ra.z2, rb.z2);
    brightY1_ = pair(amp.brightFilterA.y1, amp.brightFilterB.y1);
    brightX1_ = pair(amp.brightFilterA.x1, amp.brightFilterB.x1);
    sagY1_ = pair(amp.sagFilterA.y1, amp.sagFilterB.y1);
    toneY1_ = pair(amp.toneFilterA.y1, amp.toneFilterB.y1);
    couplingY1_ = pair(amp.couplingFilterA.y1, amp.couplingFilterB.y1);
    couplingX1_ = pair(amp.couplingFilterA.x1, amp.couplingFilterB.x1);
    voicing_ = amp.voicingFilter;
    output_ = amp.outputFilter;
}

void PowerAmpPair::store(PowerAmp& amp) const
{
    amp.sagA = lane(sag_, 0);
    amp.sagB = lane(sag_, 1);
    amp.resonanceA = lane(resonance_, 0);
    amp.resonanceB = lane(resonance_, 1);
    amp.brightA = lane(bright_, 0);
    amp.brightB = lane(bright_, 1);
    amp.resonanceFilterA.z1 = lane(z1_, 0);
    amp.resonanceFilterB.z1 = lane(z1_, 1);
    amp.resonanceFilterA.z2 = lane(z2_, 0);
    amp.resonanceFilterB.z2 = lane(z2_, 1);
    amp.brightFilterA.y1 = lane(brightY1_, 0);
    amp.brightFilterB.y1 = lane(brightY1_, 1);
    amp.brightFilterA.x1 = lane(brightX1_, 0);
    amp.brightFilterB.x1 = lane(brightX1_, 1);
    amp.sagFilterA.y1 = lane(sagY1_, 0);
    amp.sagFilterB.y1 = lane(sagY1_, 1);
    amp.toneFilterA.y1 = lane(toneY1_, 0);
    amp.toneFilterB.y1 = lane(toneY1_, 1);
    amp.couplingFilterA.y1 = lane(couplingY1_, 0);
    amp.couplingFilterB.y1 = lane(couplingY1_, 1);
    amp.couplingFilterA.x1 = lane(couplingX1_, 0);
    amp.couplingFilterB.x1 = lane(couplingX1_, 1);
    amp.voicingFilter.z1 = voicing_.z1;
    amp.voicingFilter.z2 = voicing_.z2;
    amp.outputFilter.y1 = output_.y1;
}
