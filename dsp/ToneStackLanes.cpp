#include "ToneStackLanes.h"

namespace {

template <class Section, class Sections> __m128 perSection(const Sections& tone, float Section::*field)
{
    return laneTriple(tone.trebleSection.*field, tone.midSection.*field, tone.bassSection.*field);
}

}  // namespace

ToneStackLanes::ToneStackLanes(const ToneStack::Coefficients& design, const ToneStack::State& state)
    : b0_(perSection(design, &Biquad::Coefficients::b0))
    , b1_(perSection(design, &Biquad::Coefficients::b1))
    , b2_(perSection(design, &Biquad::Coefficients::b2))
    , a1_(perSection(design, &Biquad::Coefficients::a1))
    , a2_(perSection(design, &Biquad::Coefficients::a2))
    , z1_(perSection(state, &Biquad::State::z1))
    , z2_(perSection(state, &Biquad::State::z2))
    , output_(_mm_setzero_ps())
{
}

void ToneStackLanes::store(ToneStack::State& state) const
{
    Biquad::State* const sections[] = {&state.trebleSection, &state.midSection, &state.bassSection};
    for (int i = 0; i < kSections; ++i) {
        sections[i]->z1 = laneValue(z1_, i);
        sections[i]->z2 = laneValue(z2_, i);
    }
}
