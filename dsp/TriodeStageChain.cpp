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

TriodeStageChain::TriodeStageChain(const TriodeStage (&stages)[kStages], const OnePoleFilter& feedback,
                                   float feedbackValue)
{
    const auto pair = [&stages](OnePoleFilter TriodeStage::*filter, double OnePoleFilter::*field) {
        return DoublePair{_mm_setr_pd(stages[0].*filter.*field, stages[1].*filter.*field),
                          _mm_setr_pd(stages[2].*filter.*field, 0.0)};
    };
    gain_ = perStage(stages, &TriodeStage::gain);
    biasScale_ = perStage(stages, &TriodeStage::biasScale);
    plateScale_ = perStage(stages, &TriodeStage::plateScale);
    inputLowGain_ = pair(&TriodeStage::inputFilter, &OnePoleFilter::lowGain);
    inputPole_ = pair(&TriodeStage::inputFilter, &OnePoleFilter::pole);
    plateLowGain_ = pair(&TriodeStage::plateFilter, &OnePoleFilter::lowGain);
    platePole_ = pair(&TriodeStage::plateFilter, &OnePoleFilter::pole);
    couplingHighGain_ = pair(&TriodeStage::couplingFilter, &OnePoleFilter::highGain);
    couplingPole_ = pair(&TriodeStage::couplingFilter, &OnePoleFilter::pole);
    feedbackLowGain_ = feedback.lowGain;
    feedbackPole_ = feedback.pole;

    inputY1_ = perStage(stages, &TriodeStage::inputFilter, &OnePoleFilter::y1);
    bias_ = perStage(stages, &TriodeStage::biasState);
    plateY1_ = perStage(stages, &TriodeStage::plateFilter, &OnePoleFilter::y1);
    couplingY1_ = perStage(stages, &TriodeStage::couplingFilter, &OnePoleFilter::y1);
    couplingX1_ = perStage(stages, &TriodeStage::couplingFilter, &OnePoleFilter::x1);
    output_ = _mm_setzero_ps();
    feedbackY1_ = feedback.y1;
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
