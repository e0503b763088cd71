// What a block of digital silence costs once the amp has played and its states have decayed
// toward the tiny-number range, against what a block of playing costs, per factory program and
// host block size. Each iteration plays one block of notes on one instance and one block of
// silence on another, each timed on its own: interleaved, the two see the same state of a shared
// machine, where two benchmarks run one after the other drift apart by ten percent and more.
// Reports ns per host sample of each and their ratio.
#include "shell/PluginEntry.h"
#include "plugin/vst/VstInterface.h"

#include <benchmark/benchmark.h>

#include <xmmintrin.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

namespace {

intptr_t VST_CALLBACK silenceBenchmarkHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

constexpr float kRate = 48000.0f;
const char* const kProgramNames[] = {"default", "clean", "crunch", "high gain"};

// The flush-to-zero and denormals-are-zero bits of MXCSR.
constexpr unsigned kFlushToZero = 0x8000;
constexpr unsigned kDenormalsAreZero = 0x0040;

// Many hosts run their audio threads with both modes off, so the plug-in must cope with
// denormal arithmetic on its own; measure it that way whatever this process inherited.
class DenormalsOn {
public:
    DenormalsOn()
        : saved_(_mm_getcsr())
    {
        _mm_setcsr(saved_ & ~(kFlushToZero | kDenormalsAreZero));
    }
    ~DenormalsOn() { _mm_setcsr(saved_); }
    DenormalsOn(const DenormalsOn&) = delete;
    DenormalsOn& operator=(const DenormalsOn&) = delete;

private:
    unsigned saved_;
};

// Two seconds of plucked notes, one every half second: each starts at full strength and dies
// away with its upper harmonics first, as a picked string does. The length is a whole number
// of 64- and 256-frame blocks, so the blocks wrap around it cleanly.
std::vector<float> pluckedNotes()
{
    constexpr size_t kNoteFrames = 24000;
    constexpr float kPitches[] = {82.41f, 110.0f, 146.83f, 196.0f};
    std::vector<float> notes(kNoteFrames * 4);
    for (size_t n = 0; n < 4; ++n) {
        const float w = 6.2831853f * kPitches[n] / kRate;
        for (size_t i = 0; i < kNoteFrames; ++i) {
            const float t = static_cast<float>(i);
            const float body = std::exp(-t / 12000.0f);
            const float bright = std::exp(-t / 3000.0f);
            notes[n * kNoteFrames + i] = 0.4f * body
                * (std::sin(w * t) + 0.5f * bright * std::sin(2.0f * w * t)
                    + 0.25f * bright * bright * std::sin(3.0f * w * t))
                / 1.75f;
        }
    }
    return notes;
}

class Rig {
public:
    Rig(int32_t program, int32_t block)
        : effect_(createGrimboltEffect(silenceBenchmarkHost))
        , block_(block)
        , notes_(pluckedNotes())
        , silence_(static_cast<size_t>(block), 0.0f)
        , left_(static_cast<size_t>(block))
        , right_(static_cast<size_t>(block))
    {
        effect_->dispatcher(effect_, effSetSampleRate, 0, 0, nullptr, kRate);
        effect_->dispatcher(effect_, effSetBlockSize, 0, block, nullptr, 0.0f);
        effect_->dispatcher(effect_, effMainsChanged, 0, 1, nullptr, 0.0f);
        effect_->dispatcher(effect_, effSetProgram, 0, program, nullptr, 0.0f);
    }
    ~Rig()
    {
        effect_->dispatcher(effect_, effMainsChanged, 0, 0, nullptr, 0.0f);
        effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
    }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    void playNotes()
    {
        float* inputs[] = {notes_.data() + offset_};
        process(inputs);
        offset_ = (offset_ + static_cast<size_t>(block_)) % notes_.size();
    }
    void playSilence()
    {
        float* inputs[] = {silence_.data()};
        process(inputs);
    }
    void playNotesFor(float seconds)
    {
        for (int64_t i = blocksIn(seconds); i > 0; --i)
            playNotes();
    }
    void playSilenceFor(float seconds)
    {
        for (int64_t i = blocksIn(seconds); i > 0; --i)
            playSilence();
    }

private:
    int64_t blocksIn(float seconds) const
    {
        return std::llround(seconds * kRate / static_cast<float>(block_));
    }
    void process(float** inputs)
    {
        float* outputs[] = {left_.data(), right_.data()};
        effect_->processReplacing(effect_, inputs, outputs, block_);
        benchmark::DoNotOptimize(left_.data());
    }

    AEffect* effect_;
    int32_t block_;
    std::vector<float> notes_;
    std::vector<float> silence_;
    std::vector<float> left_;
    std::vector<float> right_;
    size_t offset_ = 0;
};

void silenceAfterSound(benchmark::State& state)
{
    const DenormalsOn denormals;
    const auto program = static_cast<int32_t>(state.range(0));
    const auto block = static_cast<int32_t>(state.range(1));
    Rig playing(program, block), quiet(program, block);
    playing.playNotesFor(3.0f);
    quiet.playNotesFor(3.0f);
    // Long enough for every state that rings on after the notes to have decayed far below
    // anything audible, where recursive filters end up among the denormals.
    quiet.playSilenceFor(10.0f);
    using Clock = std::chrono::steady_clock;
    Clock::duration sound{}, silence{};
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        playing.playNotes();
        const Clock::time_point between = Clock::now();
        quiet.playSilence();
        sound += between - start;
        silence += Clock::now() - between;
    }
    const double samples = static_cast<double>(state.iterations()) * block;
    const auto perSample = [samples](Clock::duration d) {
        return std::chrono::duration<double, std::nano>(d).count() / samples;
    };
    state.counters["sound_ns"] = perSample(sound);
    state.counters["silence_ns"] = perSample(silence);
    state.counters["ratio"] = perSample(silence) / perSample(sound);
    state.SetLabel(kProgramNames[program]);
}

}  // namespace

BENCHMARK(silenceAfterSound)
    ->ArgNames({"program", "block"})
    ->ArgsProduct({{0, 1, 2, 3}, {64, 256}})
    ->Unit(benchmark::kMicrosecond);
