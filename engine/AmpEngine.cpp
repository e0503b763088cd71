#include "AmpEngine.h"

#include "ChainPipeline.h"
#include "DenormalsFlushed.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>

namespace {

constexpr float kPreRollSeconds = 0.04f;   // 40 ms carries the bias and sag loops to rest
constexpr double kDenormalOffset = 1e-20;  // part of the sound; the flushed modes keep denormals out
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
    : designedFrom_(controls())
{
    // Designs every block for the start rate, so no coefficient is ever undefined, but
    // loads no resampling kernels: the engine stays silent until the host names a rate.
    redesign(design_, kAllParts, designedFrom_, sampleRate_);
}

int32_t AmpEngine::preRollLength(float rate)
{
    return static_cast<int32_t>(static_cast<double>(rate) * static_cast<double>(kPreRollSeconds));
}

AmpControls AmpEngine::controls() const
{
    AmpControls c;
    c.master = master_;
    c.drive = drive_;
    c.bass = bass_;
    c.mid = mid_;
    c.treble = treble_;
    c.presence = presence_;
    c.voicing = voicing_;
    c.inputGainValue = inputGainValue_;
    c.channel = channel_;
    c.cabinetActive = cabinetActive_;
    return c;
}

void AmpEngine::setSampleRate(float rate)
{
    if (!std::isfinite(rate) || rate <= 0.0f || rate > kMaxSampleRate)
        return;
    takeAudioSideWaiting();
    sampleRate_ = rate;
    chain_.setRate(rate);
    // Every rate-dependent design follows the current settings, so the amp keeps playing
    // the channel, tone and voicing its controls show.
    designedFrom_ = controls();
    redesign(design_, kAllParts, designedFrom_, rate);
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

void AmpEngine::refreshDesign()
{
    const AmpControls now = controls();
    const uint32_t parts = partsChangedBetween(designedFrom_, now);
    if (parts == 0)
        return;
    redesign(design_, parts, now, sampleRate_);
    designedFrom_ = now;
}

void AmpEngine::setChannel(int32_t channel)
{
    channel_ = std::clamp(channel, 0, kNumChannels - 1);
}

void AmpEngine::setDrive(float value)
{
    drive_ = value;
}

void AmpEngine::setBass(float value)
{
    bass_ = value;
}

void AmpEngine::setMid(float value)
{
    mid_ = value;
}

void AmpEngine::setTreble(float value)
{
    treble_ = value;
}

void AmpEngine::setPresence(float value)
{
    presence_ = value;
}

void AmpEngine::setVoicing(float value)
{
    voicing_ = value;
}

void AmpEngine::setInputGain(float value)
{
    inputGainValue_ = value;
}

void AmpEngine::setMaster(float value)
{
    master_ = value;
}

void AmpEngine::setCabinetBypass(float value)
{
    cabinetActive_ = value != 1.0f;
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
    refreshDesign();
    {
        const DenormalsFlushed flushed;
        // A master of exactly 0 is silence that freezes the amp, as if the block never happened.
        if (!isReady() || design_.master == 0.0f) {
            std::memset(output0, 0, bytes);
        } else {
            if (!runRecovering(input, frames, denormalSign_ * kDenormalOffset, output0))
                std::memset(output0, 0, bytes);
            denormalSign_ = -denormalSign_;
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
    refreshDesign();
    {
        const DenormalsFlushed flushed;
        if (isReady()) {
            // Through a scratch block, so that a block whose states fail adds nothing.
            float response[kChunkFrames];
            for (int32_t done = 0; done < frames; done += kChunkFrames) {
                const int32_t count = std::min(kChunkFrames, frames - done);
                const double offset = done == 0 ? denormalSign_ * kDenormalOffset : 0.0;
                if (!runRecovering(input + done, count, offset, response))
                    continue;
                for (int32_t i = 0; i < count; ++i) {
                    output0[done + i] += response[i];
                    output1[done + i] += response[i];
                }
            }
            denormalSign_ = -denormalSign_;
        }
    }
    releaseAudioSide();
}

bool AmpEngine::runRecovering(const float* input, int32_t frames, double offset, float* output)
{
    runChainPipeline(design_, chain_, input, frames, offset, output);
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
    if (!isReady() || design_.master == 0.0f)
        return;
    const DenormalsFlushed flushed;
    const float silence[kChunkFrames] = {};
    float discarded[kChunkFrames];
    const int32_t total = preRollLength(sampleRate_);
    for (int32_t done = 0; done < total; done += kChunkFrames) {
        const double offset = done == 0 ? denormalSign_ * kDenormalOffset : 0.0;
        runChainPipeline(design_, chain_, silence, std::min(kChunkFrames, total - done), offset, discarded);
    }
    denormalSign_ = -denormalSign_;
}
