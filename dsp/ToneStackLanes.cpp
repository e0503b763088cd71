#include "ToneStackLanes.h"

namespace {

__m128 perSection(const ToneStack& tone, float Biquad::*field)
{
    return laneTriple(tone.trebleSection.*field, tone.midSection.*field, tone.bassSection.*field);
}

}  // namespace

ToneStackLanes::ToneStackLanes(const ToneStack& design, const ToneStack& state)
    : b0_(perSection(design, &Biquad::b0))
    , b1_(perSection(design, &Biquad::b1))
    , b2_(perSection(design, &Biquad::b2))
    , a1_(perSection(design, &Biquad::a1))
    , a2_(perSection(design, &Biquad::a2))
    , z1_(perSection(state, &Biquad::z1))
    , z2_(perSection(state, &Biquad::z2))
    , output_(_mm_setzero_ps())
{
}

void ToneStackLanes::store(ToneStack& state) const
{
    Biquad* const sections[] = {&state.trebleSection, &state.midSection, &state.bassSection};
    for (int i = 0; i < kSections; ++i) {
        sections[i]->z1 = laneValue(z1_, i);
        sections[i]->z2 = laneValue(z2_, i);
    }
}
