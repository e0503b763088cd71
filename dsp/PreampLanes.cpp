#include "PreampLanes.h"

namespace {

using Stages = TriodeStage[Preamp::kStages];

__m128 perStage(const Stages& s, float TriodeStage::*field)
{
    return laneTriple(s[0].*field, s[1].*field, s[2].*field);
}

__m128 perStage(const Stages& s, OnePoleFilter TriodeStage::*filter, float OnePoleFilter::*field)
{
    return laneTriple(s[0].*filter.*field, s[1].*filter.*field, s[2].*filter.*field);
}

void storeLanes(__m128 values, Stages& s, OnePoleFilter TriodeStage::*filter, float OnePoleFilter::*field)
{
    for (int i = 0; i < Preamp::kStages; ++i)
        s[i].*filter.*field = laneValue(values, i);
}

}  // namespace

PreampLanes::PreampLanes(const Preamp& design, const Preamp& state)
{
    const Stages& designs = design.stages;
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
    feedbackLowGain_ = design.feedbackFilter.lowGain;
    feedbackPole_ = design.feedbackFilter.pole;

    const Stages& states = state.stages;
    inputY1_ = perStage(states, &TriodeStage::inputFilter, &OnePoleFilter::y1);
    bias_ = perStage(states, &TriodeStage::biasState);
    plateY1_ = perStage(states, &TriodeStage::plateFilter, &OnePoleFilter::y1);
    couplingY1_ = perStage(states, &TriodeStage::couplingFilter, &OnePoleFilter::y1);
    couplingX1_ = perStage(states, &TriodeStage::couplingFilter, &OnePoleFilter::x1);
    output_ = _mm_setzero_ps();
    feedbackY1_ = state.feedbackFilter.y1;
    feedbackValue_ = state.feedbackValue;
}

float PreampLanes::push(float x)
{
    return advance<0>(x);
}

void PreampLanes::store(Preamp& state) const
{
    Stages& stages = state.stages;
    for (int i = 0; i < Preamp::kStages; ++i)
        stages[i].biasState = laneValue(bias_, i);
    storeLanes(inputY1_, stages, &TriodeStage::inputFilter, &OnePoleFilter::y1);
    storeLanes(plateY1_, stages, &TriodeStage::plateFilter, &OnePoleFilter::y1);
    storeLanes(couplingY1_, stages, &TriodeStage::couplingFilter, &OnePoleFilter::y1);
    storeLanes(couplingX1_, stages, &TriodeStage::couplingFilter, &OnePoleFilter::x1);
    state.feedbackFilter.y1 = feedbackY1_;
    state.feedbackValue = feedbackValue_;
}
