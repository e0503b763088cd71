// How the controls and the host rate make an AmpSettings. A design is a pure function of the
// controls and the rate; a part of it can be made again on its own when only its controls
// changed, and gives the same bits as a design made whole.
#pragma once

#include "AmpSettings.h"

#include <cstdint>

constexpr int32_t kNumChannels = 3;  // clean, crunch, ultra

// The control values a design is made from, as the setters store them.
struct AmpControls {
    float master = 0.25f;
    float drive = 0.4f;
    float bass = 0.5f, mid = 0.5f, treble = 0.5f;
    float presence = 0.0f;
    float voicing = 0.0f;
    float inputGainValue = 0.5f;  // normalised, 0.5 is unity
    int32_t channel = 0;          // 0 .. kNumChannels - 1
    bool cabinetActive = true;
};

// The parts of a design, each decided by its own controls. A part may imply others: the rate
// redesigns everything, the channel everything it selects.
enum AmpDesignPart : uint32_t {
    kRatePart = 1u << 0,
    kChannelPart = 1u << 1,
    kToneStackPart = 1u << 2,
    kStageGainsPart = 1u << 3,
    kPresencePart = 1u << 4,
    kVoicingPart = 1u << 5,
    kInputGainPart = 1u << 6,
    kMasterPart = 1u << 7,
    kCabinetPart = 1u << 8,
    kAllParts = (1u << 9) - 1,
};

// Makes the given parts of `design` anew for `controls` at host rate `sampleRate`. Allocates
// nothing and waits for nothing, so the audio thread may call it.
void redesign(AmpSettings& design, uint32_t parts, const AmpControls& controls, float sampleRate);

// The parts of a design made from `before` that a design made from `after` differs in.
uint32_t partsChangedBetween(const AmpControls& before, const AmpControls& after);

// A whole design.
AmpSettings designAmp(const AmpControls& controls, float sampleRate);

// The linear input gain of a normalised value: 0..1 spans -12..+12 dB.
float inputGainFactor(float value);
