// processReplacing through the plug-in as a host calls it, per host rate, channel, cabinet
// setting and block size. Reports ns per host sample and the real-time factor. Also a block of
// 64 with a host's automation before it: one knob, or a program change, per block, which the
// block's redesign pays for.
#include "shell/PluginEntry.h"
#include "plugin/vst/VstInterface.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

intptr_t VST_CALLBACK benchmarkHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

constexpr float kRates[] = {44100.0f, 48000.0f, 96000.0f};
constexpr float kChannelValues[] = {0.0f, 0.5f, 1.0f};  // clean, crunch, ultra
const char* const kChannelNames[] = {"clean", "crunch", "ultra"};

void processReplacing(benchmark::State& state)
{
    const float rate = kRates[state.range(0)];
    const auto channel = static_cast<size_t>(state.range(1));
    const bool cabinet = state.range(2) != 0;
    const auto block = static_cast<int32_t>(state.range(3));

    AEffect* effect = createGrimboltEffect(benchmarkHost);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, rate);
    effect->dispatcher(effect, effSetBlockSize, 0, block, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    effect->setParameter(effect, 9, kChannelValues[channel]);
    effect->setParameter(effect, 1, 0.6f);
    effect->setParameter(effect, 8, cabinet ? 0.0f : 1.0f);

    // A plucked-string-like decaying tone keeps the stages in their working range.
    std::vector<float> input(static_cast<size_t>(block) * 64), left(static_cast<size_t>(block)),
        right(left.size());
    for (size_t i = 0; i < input.size(); ++i)
        input[i] = 0.4f * std::exp(-static_cast<float>(i) / 20000.0f)
            * std::sin(6.2831853f * 196.0f * static_cast<float>(i) / rate);
    float* outputs[] = {left.data(), right.data()};

    size_t offset = 0;
    for (auto _ : state) {
        float* inputs[] = {input.data() + offset};
        effect->processReplacing(effect, inputs, outputs, block);
        benchmark::DoNotOptimize(left.data());
        offset = (offset + static_cast<size_t>(block)) % input.size();
    }

    const double samples = static_cast<double>(state.iterations()) * block;
    state.SetItemsProcessed(static_cast<int64_t>(samples));
    // Printed as seconds per host sample ("345n" is 345 ns) and as seconds of audio rendered
    // per second of processor time (the real-time factor).
    state.counters["per_sample"]
        = benchmark::Counter(samples, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["realtime"] = benchmark::Counter(samples / rate, benchmark::Counter::kIsRate);
    state.SetLabel(std::string(kChannelNames[channel]) + (cabinet ? ", cabinet" : ", no cabinet"));
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

// Before every block: nothing (-1), a write to knob 0..9, or a program change (10).
void automatedBlock(benchmark::State& state)
{
    constexpr int32_t kBlock = 64;
    constexpr float kRate = 48000.0f;
    const auto write = static_cast<int32_t>(state.range(0));
    AEffect* effect = createGrimboltEffect(benchmarkHost);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, kRate);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    float input[kBlock], left[kBlock], right[kBlock];
    for (int32_t i = 0; i < kBlock; ++i)
        input[i] = 0.3f * std::sin(0.05f * static_cast<float>(i));
    float* inputs[] = {input};
    float* outputs[] = {left, right};
    int64_t n = 0;
    for (auto _ : state) {
        // Alternating values, so that every write changes the design.
        const float value = (n++ & 1) != 0 ? 0.25f : 0.75f;
        if (write == 10)
            effect->dispatcher(effect, effSetProgram, 0, static_cast<int32_t>(n & 3), nullptr, 0.0f);
        else if (write >= 0)
            effect->setParameter(effect, write, value);
        effect->processReplacing(effect, inputs, outputs, kBlock);
        benchmark::DoNotOptimize(left);
    }
    state.SetLabel(write < 0 ? "no automation"
            : write == 10    ? "program change"
                             : "knob " + std::to_string(write));
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

}  // namespace

BENCHMARK(automatedBlock)->ArgName("write")->DenseRange(-1, 10)->Unit(benchmark::kMicrosecond);

BENCHMARK(processReplacing)
    ->ArgNames({"rate", "channel", "cabinet", "block"})
    ->ArgsProduct({{0, 1, 2}, {0, 1, 2}, {1, 0}, {64, 512}})
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
