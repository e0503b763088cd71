// The amplifier: all audio state of one plug-in instance and the per-sample chain
// input gain -> 4x upsampling -> channel filter -> three triode stages (feedback around
// the third) -> tone stack -> power amp -> decimation -> cabinet -> master.
// Setters may be called from any thread and take effect from the next sample; the two
// block procedures run on the host's audio thread and never allocate, lock or call the OS.
#pragma once

#include <cstdint>

class AmpEngine {
public:
    AmpEngine();
    ~AmpEngine();
    AmpEngine(const AmpEngine&) = delete;
    AmpEngine& operator=(const AmpEngine&) = delete;

    // Loads the resampling kernels for the host rate, redesigns the oversampled chain and
    // the cabinet, then settles the amp over a short silent pre-roll.
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

    // Overwrites both outputs with the amp's response to `input`. `input` may alias
    // `output0` (in-place processing). Called from the host's audio thread.
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

private:
    float master_ = 0.25f;
    float drive_ = 0.4f;
    float sampleRate_ = 44100.0f;
    float bass_ = 0.5f, mid_ = 0.5f, treble_ = 0.5f;
    float presence_ = 0.0f;
    float voicing_ = 0.0f;
    int32_t channel_ = 0;
    float inputGain_ = 1.0f;
    int32_t denormalSign_ = 1;
    uint8_t cabinetActive_ = 1;
};
