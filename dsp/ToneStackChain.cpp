#include "ToneStackChain.h"

namespace {

__m128 perSection(const ToneStack& tone, float Biquad::*field)
{
    return _mm_setr_ps(tone.trebleSection.*field, tone.midSection.*field, tone.bassSection.*field, 0.0f);
}

}  // namespace

ToneStackChain::ToneStackChain(const ToneStack& design, const ToneStack& state)
    : b0_(perSection(design, &Biquad::b0)),
      b1_(perSection(design, &Biquad::b1)),
      b2_(perSection(design, &Biquad::b2)),
      a1_(perSection(design, &Biquad::a1)),
      a2_(perSection(design, &Biquad::a2)),
      z1_(perSection(state, &Biquad::z1)),
      z2_(perSection(state, &Biquad::z2)),
      output_(_mm_setzero_ps())
{
}

void ToneStackChain::store(ToneStack& state) const
{
    alignas(16) float z1[4], z2[4];
    _mm_store_ps(z1, z1_);
    _mm_store_ps(z2, z2_);
    Biquad* const sections[] = {&state.trebleSection, &state.midSection, &state.bassSection};
    for (int i = 0; i < 3; ++i) {
        sections[i]->z1 = z1[i];
        sections[i]->z2 = z2[i];
    }
}
