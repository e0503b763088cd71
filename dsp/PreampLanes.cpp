#include "PreampLanes.h"

namespace {

using StageCoefficients = TriodeStage::Coefficients[Preamp::kStages];
using StageStates = TriodeStage::State[Preamp::kStages];

template <class Stage> __m128 perStage(const Stage (&s)[Preamp::kStages], float Stage::*field)
{
    return laneTriple(s[0].*field, s[1].*field, s[2].*field);
}

__m128 perStage(const StageStates& s, OnePoleFilter::State TriodeStage::State::*filter,
    float OnePoleFilter::State::*field)
{
    return laneTriple(s[0].*filter.*field, s[1].*filter.*field, s[2].*filter.*field);
}

void storeLanes(__m128 values, StageStates& s, OnePoleFilter::State TriodeStage::State::*filter,
    float OnePoleFilter::State::*field)
{
    for (int i = 0; i < Preamp::kStages; ++i)
        s[i].*filter.*field = laneValue(values, i);
}

}  // namespace

PreampLanes::PreampLanes(const Preamp::Coefficients& design, const Preamp::State& state)
{
    const StageCoefficients& designs = design.stages;
    const auto pair = [&designs](OnePoleFilter::Coefficients TriodeStage::Coefficients::*filter,
                          double OnePoleFilter::Coefficients::*field) {
        return DoublePair{_mm_setr_pd(designs[0].*filter.*field, designs[1].*filter.*field),
            _mm_setr_pd(designs[2].*filter.*field, 0.0)};
    };
    gain_ = perStage(designs, &TriodeStage::Coefficients::gain);
    biasScale_ = perStage(designs, &TriodeStage::Coefficients::biasScale);
    plateScale_ = perStage(designs, &TriodeStage::Coefficients::plateScale);
    inputLowGain_ = pair(&TriodeStage::Coefficients::inputFilter, &OnePoleFilter::Coefficients::lowGain);
    inputPole_ = pair(&TriodeStage::Coefficients::inputFilter, &OnePoleFilter::Coefficients::pole);
    plateLowGain_ = pair(&TriodeStage::Coefficients::plateFilter, &OnePoleFilter::Coefficients::lowGain);
    platePole_ = pair(&TriodeStage::Coefficients::plateFilter, &OnePoleFilter::Coefficients::pole);
    couplingHighGain_
        = pair(&TriodeStage::Coefficients::couplingFilter, &OnePoleFilter::Coefficients::highGain);
    couplingPole_ = pair(&TriodeStage::Coefficients::couplingFilter, &OnePoleFilter::Coefficients::pole);
    feedbackLowGain_ = design.feedbackFilter.lowGain;
    feedbackPole_ = design.feedbackFilter.pole;

    const StageStates& states = state.stages;
    inputY1_ = perStage(states, &TriodeStage::State::inputFilter, &OnePoleFilter::State::y1);
    bias_ = perStage(states, &TriodeStage::State::biasState);
    plateY1_ = perStage(states, &TriodeStage::State::plateFilter, &OnePoleFilter::State::y1);
    couplingY1_ = perStage(states, &TriodeStage::State::couplingFilter, &OnePoleFilter::State::y1);
    couplingX1_ = perStage(states, &TriodeStage::State::couplingFilter, &OnePoleFilter::State::x1);
    output_ = _mm_setzero_ps();
    feedbackY1_ = state.feedbackFilter.y1;
    feedbackValue_ = state.feedbackValue;
}

float PreampLanes::push(float x)
{
    return advance<0>(x);
}

void PreampLanes::store(Preamp::State& state) const
{
    StageStates& stages = state.stages;
    for (int i = 0; i < Preamp::kStages; ++i)
        stages[i].biasState = laneValue(bias_, i);
    storeLanes(inputY1_, stages, &TriodeStage::State::inputFilter, &OnePoleFilter::State::y1);
    storeLanes(plateY1_, stages, &TriodeStage::State::plateFilter, &OnePoleFilter::State::y1);
    storeLanes(couplingY1_, stages, &TriodeStage::State::couplingFilter, &OnePoleFilter::State::y1);
    storeLanes(couplingX1_, stages, &TriodeStage::State::couplingFilter, &OnePoleFilter::State::x1);
    state.feedbackFilter.y1 = feedbackY1_;
    state.feedbackValue = feedbackValue_;
}
