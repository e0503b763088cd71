// The amplifier: all audio state of one plug-in instance and the per-sample chain
// input gain -> 4x upsampling -> channel filter -> three triode stages (feedback around
// the third) -> tone stack -> power amp -> decimation -> cabinet -> master.
//
// Threads: setters may be called from any thread, also while audio runs. They design on the
// calling thread, one writer at a time, and hand the audio thread a complete new design
// (AmpSettings) that it takes at the start of its next block, so a change is heard from the
// next block. The two block procedures run on the host's audio thread and never allocate,
// lock, wait or call the OS.
#pragma once

#include "AmpChain.h"
#include "AmpSettings.h"
#include "RelaxedAtomic.h"
#include "TripleBuffer.h"

#include <atomic>
#include <cstdint>
#include <mutex>

class AmpEngine {
public:
    static constexpr int kOversampling = AmpChain::kOversampling;
    static constexpr int kNumStages = Preamp::kStages;

    AmpEngine();
    AmpEngine(const AmpEngine&) = delete;
    AmpEngine& operator=(const AmpEngine&) = delete;

    // Loads the resampling kernels for the host rate, redesigns the oversampled chain and
    // the cabinet for it, re-applies the current settings and settles the amp over a short
    // silent pre-roll. Rates that are not finite, not above 0 or above 768 kHz are ignored.
    // Hosts call it while audio is stopped; if a block is running it waits for its end, and
    // blocks that start meanwhile are silent.
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
    // A block whose chain states turn out non-finite is silent, and the states start again
    // from rest.
    void processReplacing(const float* input, float* output0, float* output1, int32_t frames);
    // Adds the amp's response to whatever the two outputs already hold.
    void process(const float* input, float* output0, float* output1, int32_t frames);

    // The parameter values as last set; any thread may read them.
    float master() const { return master_; }
    float drive() const { return drive_; }
    float bass() const { return bass_; }
    float mid() const { return mid_; }
    float treble() const { return treble_; }
    float presence() const { return presence_; }
    float voicing() const { return voicing_; }
    int32_t channel() const { return channel_; }
    float inputGain() const { return inputGain_; }            // the linear factor
    float inputGainValue() const { return inputGainValue_; }  // the normalised value as set
    bool cabinetActive() const { return cabinetActive_; }
    float sampleRate() const { return sampleRate_; }
    // Samples of silence that setSampleRate runs through the chain at `rate`.
    static int32_t preRollLength(float rate);

    // Inspection by tests and tools, while no other thread uses the engine: the newest
    // design, and the audio side's resampling state.
    const AmpSettings& design() const { return draft_; }
    const TriodeStage& stage(int index) const { return draft_.preamp.stages[index]; }
    const Biquad& channelFilter() const { return draft_.channelFilter; }
    const ToneStack& toneStack() const { return draft_.toneStack; }
    const PowerAmp& powerAmp() const { return draft_.powerAmp; }
    const DecimationFilter& decimator() const { return chain_.decimator; }
    int32_t denormalSign() const { return denormalSign_; }
    bool isReady() const { return chain_.isReady(); }

private:
    friend class AmpEngineTestAccess;  // lets tests plant chain states

    void preRoll();
    // Runs one block of the chain into output. False for a block whose states or output are
    // no longer finite: the chain is then back at rest, and nothing of the block may be heard.
    bool runRecovering(
        const AmpSettings& settings, const float* input, int32_t frames, double offset, float* output);

    // The audio side is held by one block at a time, or by a rate change for its whole length.
    // A block only tries to take it; a rate change waits for it.
    bool tryTakeAudioSide();
    void takeAudioSideWaiting();
    void releaseAudioSide();

    // Writers' helpers; the caller holds writerMutex_.
    void publishDraft();
    void designForRate();  // the oversampled blocks whose design depends on the rate alone
    void designChannel();  // everything the channel selects
    void designToneStack();
    void designStageGains();
    void designChannelFilter();
    float oversampledRate() const { return kOversampling * sampleRate_; }

    // Parameter values as set.
    RelaxedAtomic<float> master_{0.25f};
    RelaxedAtomic<float> drive_{0.4f};
    RelaxedAtomic<float> bass_{0.5f}, mid_{0.5f}, treble_{0.5f};
    RelaxedAtomic<float> presence_{0.0f};
    RelaxedAtomic<float> voicing_{0.0f};  // any value will do: the effect applies a program right away
    RelaxedAtomic<int32_t> channel_{0};
    RelaxedAtomic<float> inputGain_{1.0f};
    RelaxedAtomic<float> inputGainValue_{0.5f};
    RelaxedAtomic<bool> cabinetActive_{true};
    RelaxedAtomic<float> sampleRate_{44100.0f};

    // Writers: the setters and the rate change, one at a time.
    std::mutex writerMutex_;
    AmpSettings draft_;                    // the newest design
    TripleBuffer<AmpSettings> published_;  // whole designs on their way to the audio thread

    // The audio side: the chain's states and the rate-bound blocks a rate change rebuilds (the
    // resampling kernels and the cabinet). The designs in it are unused: blocks take them from
    // published_.
    std::atomic<bool> audioSideTaken_{false};
    AmpChain chain_;
    int32_t denormalSign_ = 1;
};
