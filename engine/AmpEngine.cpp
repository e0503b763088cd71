#include "AmpEngine.h"

#include "dsp/CabinetLanes.h"
#include "dsp/OversamplingKernels.h"
#include "dsp/PowerAmpPair.h"
#include "dsp/ToneStackChain.h"
#include "dsp/TriodeStageChain.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>
#include <type_traits>

namespace {

// The gain stages and filters that make a channel. Crunch differs from clean only in
// the stage factor and the low boost.
struct StageSettings {
    float plateHz, inputHz, couplingHz, resistance, k;
};

struct ChannelSettings {
    int32_t stageFactor;
    StageSettings stages[AmpEngine::kNumStages];
    bool highPassInput;  // ultra: 400 Hz high-pass; clean and crunch: wide 1 kHz band-pass
    float lowBoost;
};

constexpr ChannelSettings kChannels[] = {
    {10, {{86, 2500, 33, 68, 2.7f}, {132, 6531, 33, 100, 1.5f}, {194, 22570, 33, 150, 0.82f}}, false, 2.0f},
    {20, {{86, 2500, 33, 68, 2.7f}, {132, 6531, 33, 100, 1.5f}, {194, 22570, 33, 150, 0.82f}}, false, 1.0f},
    {90, {{86, 400, 33, 68, 2.7f}, {132, 3200, 33, 100, 1.5f}, {194, 22570, 33, 150, 0.82f}}, true, 0.7071f},
};
constexpr int32_t kNumChannels = 3;

constexpr float kFeedbackCutoffHz = 500.0f;
constexpr float kSagAmount = 0.075f;
constexpr float kVoicingSpanHz = 600.0f;   // Voicing 0..1 moves the all-pass 320..920 Hz
constexpr float kPreRollSeconds = 0.04f;   // 40 ms carries the bias and sag loops to rest
constexpr double kDenormalOffset = 1e-20;  // keeps recursive states out of denormals
constexpr float kMaxChainInput = 1e6f;     // 120 dB above full scale
constexpr float kMaxSampleRate = 768000.0f;
constexpr int32_t kChunkFrames = 256;      // stack blocks of the pre-roll and of process()

// Upstream garbage must not poison the filter states for the rest of the session.
inline float safeChainInput(float x)
{
    if (std::fabs(x) <= kMaxChainInput)
        return x;
    return std::isfinite(x) ? std::copysign(kMaxChainInput, x) : 0.0f;
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

int32_t AmpEngine::stageFactor(int) const
{
    return kChannels[channel_].stageFactor;
}

void AmpEngine::setSampleRate(float rate)
{
    if (!std::isfinite(rate) || rate <= 0.0f || rate > kMaxSampleRate)
        return;
    const std::lock_guard<std::mutex> writing(writerMutex_);
    takeAudioSideWaiting();
    sampleRate_ = rate;

    // Unsupported rates keep the kernels in use; the very first rate borrows the nearest set
    // so the amp sounds at any host rate.
    const ResamplingKernels* kernels = findResamplingKernels(rate);
    if (kernels == nullptr && !upsampler_.isConfigured())
        kernels = &nearestResamplingKernels(rate);
    if (kernels != nullptr) {
        if (upsampler_.configure(kOversampling, kernels->upsamplerKernel, kernels->upsamplerTaps))
            decimator_.configure(kernels->decimatorKernel, kernels->decimatorTaps);
    }

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
    draft_.feedbackFilter.setCutoff(kFeedbackCutoffHz, fs);
    draft_.powerAmp.configure(fs, kSagAmount);
    cabinet_.configure(sampleRate_);
}

void AmpEngine::designChannel()
{
    const ChannelSettings& settings = kChannels[channel_];
    const float fs = oversampledRate();
    for (int i = 0; i < kNumStages; ++i) {
        const StageSettings& s = settings.stages[i];
        draft_.stages[i].configure(fs, s.plateHz, s.inputHz, s.couplingHz, s.resistance, s.k);
    }
    designToneStack();
    designChannelFilter();
    designStageGains();
    draft_.powerAmp.lowBoost = settings.lowBoost;
    draft_.powerAmp.setVoicing(voicing_ * kVoicingSpanHz);
}

void AmpEngine::setChannel(int32_t channel)
{
    const std::lock_guard<std::mutex> writing(writerMutex_);
    channel_ = std::clamp(channel, 0, kNumChannels - 1);
    designChannel();
    publishDraft();
}

// The cookbook band-pass (Q 0.1) and high-pass (Q 0.7071) written out with the exact
// constants the amp was voiced with, rather than through designBiquad, whose Q division
// can land one float step away.
void AmpEngine::designChannelFilter()
{
    const double fs = oversampledRate();
    Biquad& f = draft_.channelFilter;
    if (kChannels[channel_].highPassInput) {
        const double w0 = 2513.2741228718346 / fs;  // 2·pi·400 Hz
        const double s = std::sin(w0), c0 = std::cos(w0);
        const double alpha = s * 0.7071135624381276;  // s / (2 · 0.7071)
        const double g = 1.0 / (1.0 + alpha);
        f.b0 = static_cast<float>((1.0 + c0) / 2.0 * g);
        f.b1 = static_cast<float>(-(1.0 + c0) * g);
        f.b2 = static_cast<float>((1.0 + c0) / 2.0 * g);
        f.a1 = static_cast<float>(-2.0 * c0 * g);
        f.a2 = static_cast<float>((1.0 - alpha) * g);
    } else {
        const double w0 = 6283.185307179586 / fs;  // 2·pi·1000 Hz
        const double s = std::sin(w0), c0 = std::cos(w0);
        const double alpha = 5.0 * s;  // Q = 0.1
        const double g = 1.0 / (1.0 + alpha);
        f.b0 = static_cast<float>(alpha * g);
        f.b1 = 0.0f;
        f.b2 = static_cast<float>(-alpha * g);
        f.a1 = static_cast<float>(-2.0 * c0 * g);
        f.a2 = static_cast<float>((1.0 - alpha) * g);
    }
}

void AmpEngine::designToneStack()
{
    ToneStack& tone = draft_.toneStack;
    tone.sampleRate = oversampledRate();
    tone.bass = bass_ - 0.5f;
    tone.mid = mid_ - 0.5f;
    tone.treble = treble_ - 0.5f;
    tone.update();
}

void AmpEngine::designStageGains()
{
    const float factor = static_cast<float>(kChannels[channel_].stageFactor);
    for (TriodeStage& stage : draft_.stages)
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
    draft_.powerAmp.setVoicing(value * kVoicingSpanHz);
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

// The preamp and the tone stack run as pipelines whose outputs lag their inputs by two
// sub-samples each: each host sample pushes its four sub-samples into the preamp and gets back
// the last two of the previous host sample and its own first two. The rest of the chain takes
// those four one host sample later, each right after a preamp step: it no longer waits on the
// preamp's long feedback chain, so the processor runs it in that chain's shadow. Every block
// sees the same operations in the same order as a plain sample-by-sample chain; the pipelines
// fill at the start of each block and drain at its end.
template <typename Write>
void AmpEngine::runChain(const AmpSettings& settings, const float* input, int32_t frames, double firstOffset, Write write)
{
    if (frames <= 0)
        return;
    TriodeStageChain preamp(settings.stages, settings.feedbackFilter, stages_, feedbackFilter_, feedbackValue_);
    ToneStackChain toneStack(settings.toneStack, toneStack_);
    PowerAmpPair powerAmp(settings.powerAmp, powerAmp_);
    CabinetLanes cabinet(cabinet_);
    Biquad channelFilter = settings.channelFilter.withStateOf(channelFilter_);
    const bool cabinetOn = settings.cabinetActive;
    const float master = settings.master;
    const float inputGain = settings.inputGain;
    const auto subSamples = [&](float x, float(&sub)[kOversampling]) {
        const float* up = upsampler_.process(safeChainInput(x * inputGain));
        for (int k = 0; k < kOversampling; ++k)
            sub[k] = channelFilter.process(up[k]);
    };
    // Sub-sample n of the block, through the tone stack: the power amp, and for the first of
    // every four (the one the decimator takes; the others only advance the states) the
    // decimator, the cabinet and the output. The cabinet's output lags its input by one host
    // sample: the block's first sample only fills it, and its last is drained at the end.
    const auto decimate = [&](int32_t n, float y) {
        const float d = decimator_.process(y);
        const int32_t host = n / kOversampling;
        if (!cabinetOn)
            write(host, master * d);
        else if (host == 0)
            cabinet.fill(d);
        else
            write(host - CabinetLanes::kLatency, master * cabinet.push(d));
    };
    const auto finishToneStacked = [&](int32_t n, float x) {
        const float y = powerAmp.process(x);
        if (n % kOversampling == 0)
            decimate(n, y);
    };
    int32_t finished = 0;  // preamp outputs taken by the rest of the chain
    const auto finish = [&](float x) {
        if (finished >= ToneStackChain::kLatency)
            finishToneStacked(finished - ToneStackChain::kLatency, toneStack.push(x));
        else if (finished == 0)
            toneStack.fillFirst(x);
        else
            toneStack.fillSecond(x);
        ++finished;
    };

    // held[k] waits for the rest of the chain: the last two sub-samples of host sample i - 2
    // and the first two of i - 1.
    float held[kOversampling];
    float s[kOversampling];
    subSamples(static_cast<float>(input[0] + firstOffset), s);
    preamp.fillFirst(s[0]);
    preamp.fillSecond(s[1]);
    held[2] = preamp.push(s[2]);
    held[3] = preamp.push(s[3]);
    int firstHeld = 2;  // the first block sample has no predecessor
    // The first host samples also fill the tone stack.
    constexpr int32_t kFillingSamples = 3;
    int32_t i = 1;
    for (; i < frames && i < kFillingSamples; ++i) {
        subSamples(input[i], s);
        float fresh[kOversampling];
        for (int k = 0; k < kOversampling; ++k) {
            fresh[k] = preamp.push(s[k]);
            if (k >= firstHeld)
                finish(held[k]);
        }
        std::memcpy(held, fresh, sizeof held);
        firstHeld = 0;
    }
    // From then on each step's tone stack output is that of the sub-sample finished two steps
    // before, so the first step of every host sample yields the decimated sub-sample of i - 2.
    // The cabinet takes that sample in parts, one per step, and returns the output of i - 3:
    // its long chain of dependent operations then runs beside the preamp's instead of holding
    // up the processor in one piece.
    // The loop is compiled once with and once without the cabinet, so that the bypassed amp
    // carries none of the cabinet's states through it.
    const auto hostSamples = [&](auto withCabinet) {
        for (; i < frames; ++i) {
            subSamples(input[i], s);
            const auto step = [&](int k) {
                const float out = preamp.push(s[k]);
                const float y = powerAmp.process(toneStack.push(held[k]));
                if constexpr (!decltype(withCabinet)::value) {
                    if (k == 0)
                        write(i - 2, master * decimator_.process(y));
                } else if (k == 0) {
                    cabinet.takeInput(decimator_.process(y));
                } else if (k == 1) {
                    cabinet.runHighFilters();
                } else if (k == 2) {
                    write(i - 2 - CabinetLanes::kLatency, master * cabinet.reflect());
                }
                return out;
            };
            const float fresh0 = step(0);
            const float fresh1 = step(1);
            const float fresh2 = step(2);
            const float fresh3 = step(3);
            held[0] = fresh0;
            held[1] = fresh1;
            held[2] = fresh2;
            held[3] = fresh3;
            finished += kOversampling;
        }
    };
    if (cabinetOn)
        hostSamples(std::true_type{});
    else
        hostSamples(std::false_type{});
    for (int k = firstHeld; k < kOversampling; ++k)
        finish(held[k]);
    finish(preamp.drainFirst());
    finish(preamp.drainSecond());
    // The tone stack's last two outputs are those of the last two sub-samples.
    finishToneStacked(finished - 2, toneStack.drainFirst());
    finishToneStacked(finished - 1, toneStack.drainSecond());
    if (cabinetOn)
        write(frames - 1, master * cabinet.drain());
    preamp.store(stages_, feedbackFilter_, feedbackValue_);
    toneStack.store(toneStack_);
    powerAmp.store(powerAmp_);
    cabinet.store(cabinet_);
    channelFilter_ = channelFilter;
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
        runChain(s, input, frames, denormalSign_ * kDenormalOffset, [output0](int32_t i, float y) { output0[i] = y; });
        denormalSign_ = -denormalSign_;
        if (!statesAreFinite()) {
            clearStates();
            std::memset(output0, 0, bytes);
        }
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
            runChain(s, input + done, count, offset, [&response](int32_t i, float y) { response[i] = y; });
            if (!statesAreFinite()) {
                clearStates();
                continue;
            }
            for (int32_t i = 0; i < count; ++i) {
                output0[done + i] += response[i];
                output1[done + i] += response[i];
            }
        }
        denormalSign_ = -denormalSign_;
    }
    releaseAudioSide();
}

// Sums every recursive state of the chain: an infinity or a NaN in any of them shows in the
// sum, and would otherwise stay in its loop for good. The resampling and delay histories are
// fed from these states, so they go bad only together with them.
bool AmpEngine::statesAreFinite() const
{
    float sum = feedbackFilter_.stateSum() + feedbackValue_ + channelFilter_.stateSum();
    for (const TriodeStage& stage : stages_)
        sum += stage.stateSum();
    sum += toneStack_.stateSum() + powerAmp_.stateSum() + cabinet_.stateSum();
    return std::isfinite(sum);
}

// Back to rest: the states a fresh engine starts with. The designs stay.
void AmpEngine::clearStates()
{
    for (TriodeStage& stage : stages_)
        stage = TriodeStage{};
    feedbackFilter_ = OnePoleFilter{};
    feedbackValue_ = 0.0f;
    channelFilter_ = Biquad{};
    toneStack_ = ToneStack{};
    powerAmp_ = PowerAmp{};
    cabinet_.clearState();
    upsampler_.clearHistory();
    decimator_.clearHistory();
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
    const int32_t total = preRollLength(sampleRate_);
    for (int32_t done = 0; done < total; done += kChunkFrames) {
        const double offset = done == 0 ? denormalSign_ * kDenormalOffset : 0.0;
        runChain(s, silence, std::min(kChunkFrames, total - done), offset, [](int32_t, float) {});
    }
    denormalSign_ = -denormalSign_;
}
