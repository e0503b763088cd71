#include "AmpEngine.h"

#include "ChainPipeline.h"

#include "dsp/FilterDesign.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>

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
    StageSettings stages[AmpEngine::kNumStages];
    InputFilterSettings inputFilter;
    float lowBoost;
};

// Clean and crunch take a wide 1 kHz band-pass (Q 0.1), ultra a 400 Hz high-pass (Q 0.7071).
constexpr InputFilterSettings kWideBandPass = {BiquadKind::BandPass, 1000.0, 5.0};
constexpr InputFilterSettings kHighPass = {BiquadKind::HighPass, 400.0, 0.7071135624381276};  // 1/(2·0.7071)

constexpr ChannelSettings kChannels[] = {
    {10, {{86, 2500, 33, 68, 2.7f}, {132, 6531, 33, 100, 1.5f}, {194, 22570, 33, 150, 0.82f}}, kWideBandPass,
        2.0f},
    {20, {{86, 2500, 33, 68, 2.7f}, {132, 6531, 33, 100, 1.5f}, {194, 22570, 33, 150, 0.82f}}, kWideBandPass,
        1.0f},
    {90, {{86, 400, 33, 68, 2.7f}, {132, 3200, 33, 100, 1.5f}, {194, 22570, 33, 150, 0.82f}}, kHighPass,
        0.7071f},
};
constexpr int32_t kNumChannels = 3;

constexpr float kVoicingSpanHz = 600.0f;   // Voicing 0..1 moves the all-pass 320..920 Hz
constexpr float kPreRollSeconds = 0.04f;   // 40 ms carries the bias and sag loops to rest
constexpr double kDenormalOffset = 1e-20;  // keeps recursive states out of denormals
constexpr float kMaxSampleRate = 768000.0f;
constexpr int32_t kChunkFrames = 256;  // stack blocks of the pre-roll and of process()

// False once a sample is an infinity or a NaN. The states can still be finite then: a design
// that diverges grows them towards the float limit, and the master's factor overflows first.
// One pass of adds whose result only a non-finite sample can spoil.
bool allFinite(const float* samples, int32_t count)
{
    float spoiled = 0.0f;
    for (int32_t i = 0; i < count; ++i)
        spoiled += 0.0f * samples[i];
    return spoiled == 0.0f;
}

}  // namespace

AmpEngine::AmpEngine()
{
    // Designs every block for the start rate, so no coefficient is ever undefined, but
    // loads no resampling kernels: the engine stays silent until the host names a rate.
    const std::lock_guard<std::mutex> writing(writerMutex_);
    designForRate();
    designChannel();
    publishDraft();
}

int32_t AmpEngine::preRollLength(float rate)
{
    return static_cast<int32_t>(static_cast<double>(rate) * static_cast<double>(kPreRollSeconds));
}

void AmpEngine::setSampleRate(float rate)
{
    if (!std::isfinite(rate) || rate <= 0.0f || rate > kMaxSampleRate)
        return;
    const std::lock_guard<std::mutex> writing(writerMutex_);
    takeAudioSideWaiting();
    sampleRate_ = rate;

    chain_.setRate(rate);
    designForRate();
    // Every rate-dependent design follows the current settings, so the amp keeps playing
    // the channel, tone and voicing its controls show.
    designChannel();
    publishDraft();
    preRoll();
    releaseAudioSide();
}

bool AmpEngine::tryTakeAudioSide()
{
    return !audioSideTaken_.exchange(true, std::memory_order_acquire);
}

void AmpEngine::takeAudioSideWaiting()
{
    while (!tryTakeAudioSide())
        std::this_thread::yield();
}

void AmpEngine::releaseAudioSide()
{
    audioSideTaken_.store(false, std::memory_order_release);
}

void AmpEngine::publishDraft()
{
    published_.back() = draft_;
    published_.publish();
}

void AmpEngine::designForRate()
{
    const float fs = oversampledRate();
    draft_.preamp.configureFeedback(fs);
    draft_.powerAmp.configure(fs);
}

void AmpEngine::designChannel()
{
    const ChannelSettings& settings = kChannels[channel_];
    const float fs = oversampledRate();
    for (int i = 0; i < kNumStages; ++i) {
        const StageSettings& s = settings.stages[i];
        draft_.preamp.stages[i].configure(fs, s.plateHz, s.inputHz, s.couplingHz, s.resistance, s.k);
    }
    designToneStack();
    designChannelFilter();
    designStageGains();
    draft_.powerAmp.lowBoost = settings.lowBoost;
    draft_.powerAmp.setVoicing(voicing_ * kVoicingSpanHz, fs);
}

void AmpEngine::setChannel(int32_t channel)
{
    const std::lock_guard<std::mutex> writing(writerMutex_);
    channel_ = std::clamp(channel, 0, kNumChannels - 1);
    designChannel();
    publishDraft();
}

void AmpEngine::designChannelFilter()
{
    const InputFilterSettings& f = kChannels[channel_].inputFilter;
    designScaledBiquadFromAlpha(f.centreHz, oversampledRate(), f.alphaPerSine, f.kind, draft_.channelFilter);
}

void AmpEngine::designToneStack()
{
    ::designToneStack(bass_ - 0.5f, mid_ - 0.5f, treble_ - 0.5f, oversampledRate(), draft_.toneStack);
}

void AmpEngine::designStageGains()
{
    const float factor = static_cast<float>(kChannels[channel_].stageFactor);
    for (TriodeStage& stage : draft_.preamp.stages)
        stage.gain = factor * drive_;
}

void AmpEngine::setDrive(float value)
{
    const std::lock_guard<std::mutex> writing(writerMutex_);
    drive_ = value;
    designStageGains();
    publishDraft();
}

void AmpEngine::setBass(float value)
{
    const std::lock_guard<std::mutex> writing(writerMutex_);
    bass_ = value;
    designToneStack();
    publishDraft();
}

void AmpEngine::setMid(float value)
{
    const std::lock_guard<std::mutex> writing(writerMutex_);
    mid_ = value;
    designToneStack();
    publishDraft();
}

void AmpEngine::setTreble(float value)
{
    const std::lock_guard<std::mutex> writing(writerMutex_);
    treble_ = value;
    designToneStack();
    publishDraft();
}

void AmpEngine::setPresence(float value)
{
    const std::lock_guard<std::mutex> writing(writerMutex_);
    presence_ = value;
    draft_.powerAmp.presence = value;
    publishDraft();
}

void AmpEngine::setVoicing(float value)
{
    const std::lock_guard<std::mutex> writing(writerMutex_);
    voicing_ = value;
    draft_.powerAmp.setVoicing(value * kVoicingSpanHz, oversampledRate());
    publishDraft();
}

void AmpEngine::setInputGain(float value)
{
    const float x = value - 0.5f;
    // 24 dB of travel; the centre is exactly unity so a default song reads back as 0.5.
    const float gain = x == 0.0f ? 1.0f : static_cast<float>(std::pow(10.0, x * 24.0 * 0.05));
    const std::lock_guard<std::mutex> writing(writerMutex_);
    inputGainValue_ = value;
    inputGain_ = gain;
    draft_.inputGain = gain;
    publishDraft();
}

void AmpEngine::setMaster(float value)
{
    const std::lock_guard<std::mutex> writing(writerMutex_);
    master_ = value;
    draft_.master = value;
    publishDraft();
}

void AmpEngine::setCabinetBypass(float value)
{
    const std::lock_guard<std::mutex> writing(writerMutex_);
    cabinetActive_ = value != 1.0f;
    draft_.cabinetActive = value != 1.0f;
    publishDraft();
}

void AmpEngine::processReplacing(const float* input, float* output0, float* output1, int32_t frames)
{
    if (frames < 0)
        frames = 0;
    const size_t bytes = sizeof(float) * static_cast<size_t>(frames);
    if (!tryTakeAudioSide()) {
        std::memset(output0, 0, bytes);
        if (output1 != output0)
            std::memset(output1, 0, bytes);
        return;
    }
    const AmpSettings& s = published_.acquire();
    // A master of exactly 0 is silence that freezes the amp, as if the block never happened.
    if (!isReady() || s.master == 0.0f) {
        std::memset(output0, 0, bytes);
    } else {
        if (!runRecovering(s, input, frames, denormalSign_ * kDenormalOffset, output0))
            std::memset(output0, 0, bytes);
        denormalSign_ = -denormalSign_;
    }
    releaseAudioSide();
    if (output1 != output0)
        std::memcpy(output1, output0, bytes);
}

void AmpEngine::process(const float* input, float* output0, float* output1, int32_t frames)
{
    if (!tryTakeAudioSide())
        return;
    const AmpSettings& s = published_.acquire();
    if (isReady()) {
        // Through a scratch block, so that a block whose states fail adds nothing.
        float response[kChunkFrames];
        for (int32_t done = 0; done < frames; done += kChunkFrames) {
            const int32_t count = std::min(kChunkFrames, frames - done);
            const double offset = done == 0 ? denormalSign_ * kDenormalOffset : 0.0;
            if (!runRecovering(s, input + done, count, offset, response))
                continue;
            for (int32_t i = 0; i < count; ++i) {
                output0[done + i] += response[i];
                output1[done + i] += response[i];
            }
        }
        denormalSign_ = -denormalSign_;
    }
    releaseAudioSide();
}

bool AmpEngine::runRecovering(
    const AmpSettings& settings, const float* input, int32_t frames, double offset, float* output)
{
    runChainPipeline(settings, chain_, input, frames, offset, output);
    if (chain_.statesAreFinite() && allFinite(output, frames))
        return true;
    chain_.clearStates();
    return false;
}

// The replacing block procedure over 40 ms of silence, run in fixed chunks so the bias and
// sag loops start at rest without allocating a buffer of the pre-roll's length. The caller
// holds the audio side.
void AmpEngine::preRoll()
{
    const AmpSettings& s = published_.acquire();
    if (!isReady() || s.master == 0.0f)
        return;
    const float silence[kChunkFrames] = {};
    float discarded[kChunkFrames];
    const int32_t total = preRollLength(sampleRate_);
    for (int32_t done = 0; done < total; done += kChunkFrames) {
        const double offset = done == 0 ? denormalSign_ * kDenormalOffset : 0.0;
        runChainPipeline(s, chain_, silence, std::min(kChunkFrames, total - done), offset, discarded);
    }
    denormalSign_ = -denormalSign_;
}
