#include "AmpDesign.h"

#include "AmpChain.h"

#include "dsp/FilterDesign.h"

#include <cmath>
#include <cstring>

namespace {

// The gain stages and filters that make a channel. Crunch differs from clean only in
// the stage factor and the low boost.
struct StageSettings {
    float plateHz, inputHz, couplingHz, resistance, k;
};

// The channel filter at the head of the oversampled chain, in the cookbook form the amp was
// voiced with (alpha given per unit of sin w0, scaled by 1/a0).
struct InputFilterSettings {
    BiquadKind kind;
    double centreHz;
    double alphaPerSine;
};

struct ChannelSettings {
    int32_t stageFactor;
    StageSettings stages[Preamp::kStages];
    InputFilterSettings inputFilter;
    float lowBoost;
};

// Clean and crunch take a wide 1 kHz band-pass (Q 0.1), ultra a 400 Hz high-pass (Q 0.7071).
constexpr InputFilterSettings kWideBandPass = {BiquadKind::BandPass, 1000.0, 5.0};
constexpr InputFilterSettings kHighPass = {BiquadKind::HighPass, 400.0, 0.7071135624381276};  // 1/(2·0.7071)

// The channels as the amp was voiced, clean, crunch and ultra. Per channel: the factor every
// stage's gain is the drive times; per stage the plate (bias loop), grid and coupling corners
// in Hz at the 4x rate, the bias divider R and the plate scale k, in TriodeStage's terms; the
// channel filter; the power amp's low boost. The numbers are the amp's voicing, not derived
// from anything here: crunch is clean with twice the stage factor and half the low boost, and
// ultra narrows the first two stages' grid corners behind a high-pass at the input.
constexpr ChannelSettings kChannels[kNumChannels] = {
    {10, {{86, 2500, 33, 68, 2.7f}, {132, 6531, 33, 100, 1.5f}, {194, 22570, 33, 150, 0.82f}}, kWideBandPass,
        2.0f},
    {20, {{86, 2500, 33, 68, 2.7f}, {132, 6531, 33, 100, 1.5f}, {194, 22570, 33, 150, 0.82f}}, kWideBandPass,
        1.0f},
    {90, {{86, 400, 33, 68, 2.7f}, {132, 3200, 33, 100, 1.5f}, {194, 22570, 33, 150, 0.82f}}, kHighPass,
        0.7071f},
};

constexpr float kVoicingSpanHz = 600.0f;  // Voicing 0..1 moves the all-pass 320..920 Hz

// What each part brings along: the rate changes every filter, and configuring the power amp
// resets its voicing, which the channel part sets again.
uint32_t withImpliedParts(uint32_t parts)
{
    if (parts & kRatePart)
        parts |= kChannelPart;
    if (parts & kChannelPart)
        parts |= kToneStackPart | kStageGainsPart | kVoicingPart;
    return parts;
}

// Bit for bit, so that 0 and -0 differ and a NaN equals itself: a value that changes only its
// sign of zero still changes the design, and one stuck at NaN does not redesign every block.
bool same(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

uint32_t partsChangedBetween(const AmpControls& before, const AmpControls& after)
{
    uint32_t parts = 0;
    if (before.channel != after.channel)
        parts |= kChannelPart;
    if (!same(before.bass, after.bass) || !same(before.mid, after.mid) || !same(before.treble, after.treble))
        parts |= kToneStackPart;
    if (!same(before.drive, after.drive))
        parts |= kStageGainsPart;
    if (!same(before.presence, after.presence))
        parts |= kPresencePart;
    if (!same(before.voicing, after.voicing))
        parts |= kVoicingPart;
    if (!same(before.inputGainValue, after.inputGainValue))
        parts |= kInputGainPart;
    if (!same(before.master, after.master))
        parts |= kMasterPart;
    if (before.cabinetActive != after.cabinetActive)
        parts |= kCabinetPart;
    return parts;
}

float inputGainFactor(float value)
{
    const float x = value - 0.5f;
    // 24 dB of travel; the centre is exactly unity so a default song reads back as 0.5.
    return x == 0.0f ? 1.0f : static_cast<float>(std::pow(10.0, x * 24.0 * 0.05));
}

void redesign(AmpSettings& design, uint32_t parts, const AmpControls& controls, float sampleRate)
{
    parts = withImpliedParts(parts);
    const float fs = AmpChain::kOversampling * sampleRate;
    const ChannelSettings& channel = kChannels[controls.channel];
    if (parts & kRatePart) {
        design.preamp.configureFeedback(fs);
        design.powerAmp.configure(fs);
    }
    if (parts & kChannelPart) {
        for (int i = 0; i < Preamp::kStages; ++i) {
            const StageSettings& s = channel.stages[i];
            design.preamp.stages[i].configure(fs, s.plateHz, s.inputHz, s.couplingHz, s.resistance, s.k);
        }
        const InputFilterSettings& f = channel.inputFilter;
        designScaledBiquadFromAlpha(f.centreHz, fs, f.alphaPerSine, f.kind, design.channelFilter);
        design.powerAmp.lowBoost = channel.lowBoost;
    }
    if (parts & kToneStackPart)
        designToneStack(
            controls.bass - 0.5f, controls.mid - 0.5f, controls.treble - 0.5f, fs, design.toneStack);
    if (parts & kStageGainsPart) {
        for (TriodeStage::Coefficients& stage : design.preamp.stages)
            stage.gain = static_cast<float>(channel.stageFactor) * controls.drive;
    }
    if (parts & kVoicingPart)
        design.powerAmp.setVoicing(controls.voicing * kVoicingSpanHz, fs);
    if (parts & kPresencePart)
        design.powerAmp.presence = controls.presence;
    if (parts & kInputGainPart)
        design.inputGain = inputGainFactor(controls.inputGainValue);
    if (parts & kMasterPart)
        design.master = controls.master;
    if (parts & kCabinetPart)
        design.cabinetActive = controls.cabinetActive;
}

AmpSettings designAmp(const AmpControls& controls, float sampleRate)
{
    AmpSettings design;
    redesign(design, kAllParts, controls, sampleRate);
    return design;
}
