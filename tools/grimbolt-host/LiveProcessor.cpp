#include "tools/grimbolt-host/LiveProcessor.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

// How long another thread waits for the process thread's block to end, and how often it looks.
constexpr auto kTakeWait = std::chrono::seconds(1);
constexpr auto kTakePoll = std::chrono::microseconds(200);

float peakOf(const float* samples, uint32_t frames)
{
    float peak = 0.0f;
    for (uint32_t i = 0; i < frames; ++i)
        peak = std::max(peak, std::fabs(samples[i]));
    return peak;
}

// Raises level to peak unless it is higher already; another thread may reset it meanwhile.
void raise(std::atomic<float>& level, float peak)
{
    float current = level.load(std::memory_order_relaxed);
    while (peak > current && !level.compare_exchange_weak(current, peak, std::memory_order_relaxed)) { }
}

}  // namespace

LiveProcessor::LiveProcessor(PluginInstance& plugin, HostCallback& host, double sampleRate, int32_t blockSize)
    : plugin_(plugin)
    , host_(host)
    , sampleRate_(sampleRate)
    , blockSize_(blockSize)
{
}

void LiveProcessor::runPeriod(
    const float* input, float* left, float* right, uint32_t frames, const MidiInput* midi)
{
    int expected = kIdle;
    if (!state_.compare_exchange_strong(expected, kProcessing, std::memory_order_acquire)) {
        // The plug-in is being reconfigured, or shut out: this period is silent.
        std::fill(left, left + frames, 0.0f);
        std::fill(right, right + frames, 0.0f);
        return;
    }
    if (midi)
        applyMidi(*midi);
    process(input, left, right, frames);
    state_.store(kIdle, std::memory_order_release);
}

void LiveProcessor::applyMidi(const MidiInput& midi)
{
    const uint32_t count = midi.count();
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* bytes = nullptr;
        size_t size = 0;
        if (!midi.get(i, bytes, size))
            continue;
        const LiveChange change = MidiControl::decode(bytes, size);
        if (change.kind == LiveChange::Kind::Program && change.index < plugin_.numPrograms())
            plugin_.setProgram(change.index);
        else if (change.kind == LiveChange::Kind::Parameter && change.index < plugin_.numParameters())
            plugin_.setParameter(change.index, change.value);
        else
            continue;
        if (!changes_.push(change))
            untoldChanges_.fetch_add(1, std::memory_order_relaxed);
    }
}

void LiveProcessor::process(const float* input, float* left, float* right, uint32_t frames)
{
    const auto blockSize = static_cast<uint32_t>(blockSize_.load(std::memory_order_relaxed));
    const float inputPeak = peakOf(input, frames);
    // JACK's period is the configured block size, so this is one call on JACK's own buffers;
    // a longer period would go in pieces, still without a copy.
    for (uint32_t start = 0; start < frames; start += blockSize) {
        const uint32_t count = std::min(frames - start, blockSize);
        float* inputs[] = {const_cast<float*>(input + start)};  // the plug-in only reads its input
        float* outputs[] = {left + start, right + start};
        plugin_.processReplacing(inputs, outputs, static_cast<int32_t>(count));
    }
    const float outputPeak = std::max(peakOf(left, frames), peakOf(right, frames));
    raise(recentInput_, inputPeak);
    raise(recentOutput_, outputPeak);
    raise(totalInput_, inputPeak);
    raise(totalOutput_, outputPeak);
}

bool LiveProcessor::reconfigure(double sampleRate, int32_t blockSize)
{
    const bool newRate = sampleRate != this->sampleRate();
    const bool newSize = blockSize != this->blockSize();
    if (!newRate && !newSize)
        return true;
    if (!take(kReconfiguring))
        return false;
    plugin_.suspend();
    if (newRate) {
        host_.setSampleRate(sampleRate);
        plugin_.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
        sampleRate_.store(sampleRate, std::memory_order_relaxed);
    }
    if (newSize) {
        host_.setBlockSize(blockSize);
        plugin_.dispatch(effSetBlockSize, 0, blockSize);
        blockSize_.store(blockSize, std::memory_order_relaxed);
    }
    plugin_.resume();
    state_.store(kIdle, std::memory_order_release);
    return true;
}

bool LiveProcessor::shutOut()
{
    return take(kShutOut);
}

bool LiveProcessor::take(State state)
{
    const auto deadline = std::chrono::steady_clock::now() + kTakeWait;
    int expected = kIdle;
    while (!state_.compare_exchange_weak(expected, state, std::memory_order_acquire)) {
        if (expected == kShutOut || std::chrono::steady_clock::now() > deadline)
            return false;
        expected = kIdle;
        std::this_thread::sleep_for(kTakePoll);
    }
    return true;
}

LiveProcessor::Peaks LiveProcessor::takeRecentPeaks()
{
    return {recentInput_.exchange(0.0f, std::memory_order_relaxed),
        recentOutput_.exchange(0.0f, std::memory_order_relaxed)};
}

LiveProcessor::Peaks LiveProcessor::peaksSinceStart() const
{
    return {totalInput_.load(std::memory_order_relaxed), totalOutput_.load(std::memory_order_relaxed)};
}
