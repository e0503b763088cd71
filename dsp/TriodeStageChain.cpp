#include "TriodeStageChain.h"

namespace {

__m128 perStage(const TriodeStage (&s)[TriodeStageChain::kStages], float TriodeStage::*field)
{
    return _mm_setr_ps(s[0].*field, s[1].*field, s[2].*field, 0.0f);
}

__m128 perStage(const TriodeStage (&s)[TriodeStageChain::kStages], OnePoleFilter TriodeStage::*filter,
                float OnePoleFilter::*field)
{
    return _mm_setr_ps(s[0].*filter.*field, s[1].*filter.*field, s[2].*filter.*field, 0.0f);
}

void storeLanes(__m128 values, TriodeStage (&s)[TriodeStageChain::kStages], OnePoleFilter TriodeStage::*filter,
                float OnePoleFilter::*field)
{
    alignas(16) float lanes[4];
    _mm_store_ps(lanes, values);
    for (int i = 0; i < TriodeStageChain::kStages; ++i)
        s[i].*filter.*field = lanes[i];
}

}  // namespace

TriodeStageChain::TriodeStageChain(const TriodeStage (&designs)[kStages], const OnePoleFilter& feedbackDesign,
                                   const TriodeStage (&states)[kStages], const OnePoleFilter& feedbackState,
                                   float feedbackValue)
{
    const auto pair = [&designs](OnePoleFilter TriodeStage::*filter, double OnePoleFilter::*field) {
        return DoublePair{_mm_setr_pd(designs[0].*filter.*field, designs[1].*filter.*field),
                          _mm_setr_pd(designs[2].*filter.*field, 0.0)};
    };
    gain_ = perStage(designs, &TriodeStage::gain);
    biasScale_ = perStage(designs, &TriodeStage::biasScale);
    plateScale_ = perStage(designs, &TriodeStage::plateScale);
    inputLowGain_ = pair(&TriodeStage::inputFilter, &OnePoleFilter::lowGain);
    inputPole_ = pair(&TriodeStage::inputFilter, &OnePoleFilter::pole);
    plateLowGain_ = pair(&TriodeStage::plateFilter, &OnePoleFilter::lowGain);
    platePole_ = pair(&TriodeStage::plateFilter, &OnePoleFilter::pole);
    couplingHighGain_ = pair(&TriodeStage::couplingFilter, &OnePoleFilter::highGain);
    couplingPole_ = pair(&TriodeStage::couplingFilter, &OnePoleFilter::pole);
    feedbackLowGain_ = feedbackDesign.lowGain;
    feedbackPole_ = feedbackDesign.pole;

    inputY1_ = perStage(states, &TriodeStage::inputFilter, &OnePoleFilter::y1);
    bias_ = perStage(states, &TriodeStage::biasState);
    plateY1_ = perStage(states, &TriodeStage::plateFilter, &OnePoleFilter::y1);
    couplingY1_ = perStage(states, &TriodeStage::couplingFilter, &OnePoleFilter::y1);
    couplingX1_ = perStage(states, &TriodeStage::couplingFilter, &OnePoleFilter::x1);
    output_ = _mm_setzero_ps();
    feedbackY1_ = feedbackState.y1;
    feedbackValue_ = feedbackValue;
}

void TriodeStageChain::store(TriodeStage (&stages)[kStages], OnePoleFilter& feedback, float& feedbackValue) const
{
    alignas(16) float bias[4];
    _mm_store_ps(bias, bias_);
    for (int i = 0; i < kStages; ++i)
        stages[i].biasState = bias[i];
    storeLanes(inputY1_, stages, &TriodeStage::inputFilter, &OnePoleFilter::y1);
    storeLanes(plateY1_, stages, &TriodeStage::plateFilter, &OnePoleFilter::y1);
    storeLanes(couplingY1_, stages, &TriodeStage::couplingFilter, &OnePoleFilter::y1);
    storeLanes(couplingX1_, stages, &TriodeStage::couplingFilter, &OnePoleFilter::x1);
    feedback.y1 = feedbackY1_;
    feedbackValue = feedbackValue_;
}
