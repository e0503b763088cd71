#include "ToneStack.h"

void ToneStack::update()
{
    // Treble above centre pulls the mid dip down, by up to 200 Hz at full treble.
    const double midShift = treble > 0.0f ? 400.0 * treble : 0.0;
    designBiquad(200.0, sampleRate, 1.0, 15.0 * bass - bassOffset, BiquadKind::LowShelf,
                 bassSection);
    designBiquad(500.0 - midShift, sampleRate, 1.0 - 0.5 * mid, 15.0 * mid - midOffset,
                 BiquadKind::Peaking, midSection);
    designBiquad(2850.0, sampleRate, 2.0, 21.0 * treble - trebleOffset, BiquadKind::Peaking,
                 trebleSection);
}
