// The amplifier: all audio state of one plug-in instance and the per-sample chain
// input gain -> 4x upsampling -> channel filter -> three triode stages (feedback around
// the third) -> tone stack -> power amp -> decimation -> cabinet -> master.
// Setters may be called from any thread; a change is heard from the next block at the latest
// (the preamp, tone stack and power amp take their settings once per block). The two block
// procedures run on the host's audio thread and never allocate, lock or call the OS.
#pragma once

#include "dsp/Biquad.h"
#include "dsp/CabinetSimulator.h"
#include "dsp/DecimationFilter.h"
#include "dsp/OnePoleFilter.h"
#include "dsp/PolyphaseUpsampler.h"
#include "dsp/PowerAmp.h"
#include "dsp/ToneStack.h"
#include "dsp/TriodeStage.h"

#include <cstdint>

class AmpEngine {
public:
    static constexpr int kOversampling = 4;
    static constexpr int kNumStages = 3;

    AmpEngine();
    AmpEngine(const AmpEngine&) = delete;
    AmpEngine& operator=(const AmpEngine&) = delete;

    // Loads the resampling kernels for the host rate, redesigns the oversampled chain and
    // the cabinet for it, re-applies the current settings and settles the amp over a short
    // silent pre-roll. Rates that are not finite, not above 0 or above 768 kHz are ignored.
    // Called from the host's dispatcher thread, never while audio runs.
    void setSampleRate(float rate);

    // Parameter application; values are normalised 0..1 and used unclamped.
    void setChannel(int32_t channel);  // 0 clean, 1 crunch, 2 ultra
    void setDrive(float value);
    void setBass(float value);
    void setMid(float value);
    void setTreble(float value);
    void setPresence(float value);
    void setVoicing(float value);
    void setInputGain(float value);      // 0..1 maps to -12..+12 dB
    void setMaster(float value);         // linear output factor
    void setCabinetBypass(float value);  // exactly 1.0 bypasses the cabinet

    // Overwrites both outputs with the amp's response to `input`; silence until a sample
    // rate has been set. `input` may alias `output0`. Called from the host's audio thread.
    void processReplacing(const float* input, float* output0, float* output1, int32_t frames);
    // Adds the amp's response to whatever the two outputs already hold.
    void process(const float* input, float* output0, float* output1, int32_t frames);

    float master() const { return master_; }
    float drive() const { return drive_; }
    float bass() const { return bass_; }
    float mid() const { return mid_; }
    float treble() const { return treble_; }
    float presence() const { return presence_; }
    float voicing() const { return voicing_; }
    int32_t channel() const { return channel_; }
    float inputGain() const { return inputGain_; }
    bool cabinetActive() const { return cabinetActive_ != 0; }
    float sampleRate() const { return sampleRate_; }
    int32_t denormalSign() const { return denormalSign_; }
    // Samples of silence that setSampleRate runs through the chain at `rate`.
    static int32_t preRollLength(float rate);
    bool isReady() const { return upsampler_.isConfigured() && decimator_.isConfigured(); }

    // Read-only views of the chain, for inspection by tests and tools.
    const TriodeStage& stage(int index) const { return stages_[index]; }
    const Biquad& channelFilter() const { return channelFilter_; }
    const ToneStack& toneStack() const { return toneStack_; }
    const PowerAmp& powerAmp() const { return powerAmp_; }
    const DecimationFilter& decimator() const { return decimator_; }
    const OnePoleFilter& feedbackFilter() const { return feedbackFilter_; }
    int32_t stageFactor(int index) const { return stageFactor_[index]; }

private:
    // Runs the chain over a block and hands write(i, y) each output already scaled by the
    // master. `firstOffset` goes onto the first input sample; every sample is then scaled
    // by the input gain and made safe before it enters the chain.
    template <typename Write>
    void runChain(const float* input, int32_t frames, double firstOffset, Write write);
    void preRoll();
    void designForRate();  // the blocks whose design depends on the rate alone
    void updateToneStack();
    void updateStageGains();
    void designChannelFilter();
    float oversampledRate() const { return kOversampling * sampleRate_; }

    float master_ = 0.25f;
    float drive_ = 0.4f;
    float sampleRate_ = 44100.0f;
    float bass_ = 0.5f, mid_ = 0.5f, treble_ = 0.5f;
    float presence_ = 0.0f;
    float voicing_ = 0.0f;  // any value will do: the effect applies a program right away
    float feedbackValue_ = 0.0f;  // negative feedback subtracted before the third stage
    int32_t channel_ = 0;
    int32_t stageFactor_[kNumStages] = {};

    PolyphaseUpsampler upsampler_;  // host rate -> 4x
    DecimationFilter decimator_;    // 4x -> host rate
    OnePoleFilter feedbackFilter_;  // 500 Hz low-pass in the feedback loop
    Biquad channelFilter_;          // first filter of the oversampled chain
    ToneStack toneStack_;
    TriodeStage stages_[kNumStages];
    PowerAmp powerAmp_;
    CabinetSimulator cabinet_;      // runs at the host rate

    float inputGain_ = 1.0f;
    int32_t denormalSign_ = 1;
    uint8_t cabinetActive_ = 1;
};
