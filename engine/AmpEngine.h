// The amplifier: all audio state of one plug-in instance and the per-sample chain
// input gain -> 4x upsampling -> channel filter -> three triode stages (feedback around
// the third) -> tone stack -> power amp -> decimation -> cabinet -> master.
//
// Threads: setters may be called from any thread at once, the host's audio thread among them
// (automation), also while audio runs. A setter only stores its value: it never waits, locks
// or allocates. At the start of each block the audio thread takes one snapshot of the values
// and makes anew the parts of its design that changed since the last (AmpDesign.h), so every
// block runs on a whole design made from one set of values, and a change is heard from the
// next block. The two block procedures never allocate, lock, wait or call the OS, and run
// with denormals flushed.
#pragma once

#include "AmpChain.h"
#include "AmpDesign.h"
#include "AmpSettings.h"
#include "base/RelaxedAtomic.h"

#include <atomic>
#include <cstdint>

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
    // blocks that start meanwhile are silent. Not for the audio thread.
    void setSampleRate(float rate);

    // Parameter application; values are normalised 0..1 and used unclamped. Wait-free.
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
    float inputGain() const { return inputGainFactor(inputGainValue_); }  // the linear factor
    float inputGainValue() const { return inputGainValue_; }              // the normalised value as set
    bool cabinetActive() const { return cabinetActive_; }
    float sampleRate() const { return sampleRate_; }
    // Samples of silence that setSampleRate runs through the chain at `rate`.
    static int32_t preRollLength(float rate);

    // The values as last set, and the design the next block will run on; any thread.
    AmpControls controls() const;
    AmpSettings design() const { return designAmp(controls(), sampleRate_); }

    // Inspection by tests and tools, while no other thread uses the engine.
    const DecimationFilter& decimator() const { return chain_.decimator; }
    int32_t denormalSign() const { return denormalSign_; }
    bool isReady() const { return chain_.isReady(); }

private:
    friend class AmpEngineTestAccess;  // lets tests plant chain states and check designs

    // Brings design_ up to the values as set, making anew only the parts whose values
    // changed; by the holder of the audio side. In the caller's floating-point mode, as any
    // thread makes a design: with denormals read as zero, a tiny rate would divide by 0.
    void refreshDesign();

    void preRoll();
    // Runs one block of the chain into output. False for a block whose states or output are
    // no longer finite: the chain is then back at rest, and nothing of the block may be heard.
    bool runRecovering(const float* input, int32_t frames, double offset, float* output);

    // The audio side is held by one block at a time, or by a rate change for its whole length.
    // A block only tries to take it; a rate change waits for it.
    bool tryTakeAudioSide();
    void takeAudioSideWaiting();
    void releaseAudioSide();

    // Parameter values as set.
    RelaxedAtomic<float> master_{0.25f};
    RelaxedAtomic<float> drive_{0.4f};
    RelaxedAtomic<float> bass_{0.5f}, mid_{0.5f}, treble_{0.5f};
    RelaxedAtomic<float> presence_{0.0f};
    RelaxedAtomic<float> voicing_{0.0f};  // any value will do: the effect applies a program right away
    RelaxedAtomic<int32_t> channel_{0};
    RelaxedAtomic<float> inputGainValue_{0.5f};
    RelaxedAtomic<bool> cabinetActive_{true};
    RelaxedAtomic<float> sampleRate_{44100.0f};

    // The audio side: the design the blocks run on, made and used by the holder of the audio
    // side only; the chain's states; the rate-bound blocks a rate change rebuilds (the
    // resampling kernels and the cabinet).
    std::atomic<bool> audioSideTaken_{false};
    AmpSettings design_;
    AmpControls designedFrom_;  // the values design_ is made from
    AmpChain chain_;
    int32_t denormalSign_ = 1;
};
