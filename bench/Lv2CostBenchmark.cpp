// The LV2 bundle's run through lilv against grimbolt.so's processReplacing through the host
// kit, at 48 kHz in blocks of 256 and 64, on the same setting and input: the LV2 wrapper's
// reading of the control ports should cost nothing measurable.
#include "tests/lv2/LilvHost.h"
#include "tools/hostkit/HostCallback.h"
#include "tools/hostkit/PluginInstance.h"
#include "tools/hostkit/PluginLibrary.h"

#include "plugin/Parameters.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kRate = 48000.0;

// A plucked-string-like decaying tone keeps the stages in their working range.
std::vector<float> tone(size_t frames)
{
    std::vector<float> input(frames);
    for (size_t i = 0; i < frames; ++i)
        input[i] = 0.4f * std::exp(-static_cast<float>(i) / 20000.0f)
            * std::sin(6.2831853f * 196.0f * static_cast<float>(i) / static_cast<float>(kRate));
    return input;
}

void count(benchmark::State& state, int64_t block)
{
    state.SetItemsProcessed(state.iterations() * block);
    state.counters["per_sample"] = benchmark::Counter(static_cast<double>(state.iterations() * block),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void vst2ProcessReplacing(benchmark::State& state)
{
    const auto block = static_cast<int32_t>(state.range(0));
    PluginLibrary library(GRIMBOLT_PLUGIN);
    HostCallback host;
    PluginInstance effect(library, host);
    effect.configure(kRate, block);
    effect.setParameter(kChannel, 0.5f);
    effect.setParameter(kDrive, 0.6f);
    effect.resume();
    const std::vector<float> input = tone(static_cast<size_t>(block) * 64);
    std::vector<float> left(static_cast<size_t>(block)), right(left.size());
    float* outputs[] = {left.data(), right.data()};
    size_t offset = 0;
    for (auto _ : state) {
        float* inputs[] = {const_cast<float*>(input.data()) + offset};
        effect.processReplacing(inputs, outputs, block);
        benchmark::DoNotOptimize(left.data());
        offset = (offset + static_cast<size_t>(block)) % input.size();
    }
    count(state, block);
}

void lv2Run(benchmark::State& state)
{
    const auto block = static_cast<uint32_t>(state.range(0));
    LilvBundle bundle(GRIMBOLT_LV2_BUNDLE);
    LilvAmp amp(bundle, kRate);
    amp.setPort("channel", 1.0f);
    amp.setPort("drive", 6.0f);
    amp.activate();
    const std::vector<float> input = tone(static_cast<size_t>(block) * 64);
    std::vector<float> left(block), right(block);
    size_t offset = 0;
    for (auto _ : state) {
        amp.run(input.data() + offset, left.data(), right.data(), block);
        benchmark::DoNotOptimize(left.data());
        offset = (offset + block) % input.size();
    }
    count(state, block);
}

}  // namespace

BENCHMARK(vst2ProcessReplacing)->Arg(256)->Arg(64);
BENCHMARK(lv2Run)->Arg(256)->Arg(64);
