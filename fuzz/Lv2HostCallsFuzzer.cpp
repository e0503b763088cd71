// LV2 host calls: the input decodes into a sequence of calls on one DSP-module instance, as a
// host with any arguments would make them: ports connected to buffers (shared between ports,
// so input and outputs may alias, as LV2 allows), to nothing, or with indices past the last
// port; control values including NaN, infinities and values far outside the ranges; activate,
// run with any frame count the connected buffers hold (any at all while no audio port is
// connected) and deactivate, in any order.
//
// Every buffer is a heap block of its exact size, so the sanitizer sees any overrun. Besides
// crashes, sanitizer reports, leaks and timeouts, the oracle stops on a non-finite output
// sample after finite input.
#include "lv2/PortLayout.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <lv2/core/lv2.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <vector>

extern "C" const LV2_Descriptor* lv2_descriptor(uint32_t index);

namespace {

constexpr uint32_t kMaxFrames = 4096;
constexpr int kMaxCalls = 256;
constexpr int kBuffers = 3;

long long hostCalls = 0;
void reportHostCalls()
{
    std::fprintf(stderr, "host calls: %lld\n", hostCalls);
}

constexpr double kRates[] = {44100.0, 48000.0, 88200.0, 96000.0, 22050.0, 192000.0, 1.0, 0.0, -48000.0, 1e12,
    std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()};
constexpr float kSpecialValues[] = {std::numeric_limits<float>::quiet_NaN(),
    std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
    std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
    std::numeric_limits<float>::denorm_min(), -60.0f, -61.0f, 0.0f, 1.0f, 2.0f, 10.0f, 12.0f, -12.0f};

enum Call { kConnectAudio, kConnectControl, kSetControl, kActivate, kRun, kDeactivate, kNumCalls };

struct Host {
    std::vector<std::unique_ptr<float[]>> buffers;
    uint32_t sizes[kBuffers] = {};
    float controls[kNumParams] = {};
    float stray = 0.0f;  // what ports past the last are connected to
    // Which buffer each audio port holds; -1 for none.
    int audio[3] = {-1, -1, -1};

    uint32_t framesAllowed(FuzzedDataProvider& data) const
    {
        uint32_t limit = std::numeric_limits<uint32_t>::max();
        for (int held : audio)
            if (held >= 0 && sizes[held] < limit)
                limit = sizes[held];
        return data.ConsumeIntegralInRange<uint32_t>(0, limit);
    }

    bool outputsFinite() const
    {
        for (int port = 1; port < 3; ++port) {
            const int held = audio[port];
            if (held < 0)
                continue;
            for (uint32_t i = 0; i < sizes[held]; ++i)
                if (!std::isfinite(buffers[static_cast<size_t>(held)][i]))
                    return false;
        }
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    static const bool registered = std::atexit(reportHostCalls) == 0;
    (void)registered;
    FuzzedDataProvider data(bytes, size);
    const LV2_Descriptor* descriptor = lv2_descriptor(0);
    const double rate = data.PickValueInArray(kRates);
    LV2_Handle plugin = descriptor->instantiate(descriptor, rate, "/", nullptr);
    if (!plugin)
        return 0;

    Host host;
    for (int b = 0; b < kBuffers; ++b) {
        host.sizes[b] = data.ConsumeIntegralInRange<uint32_t>(0, kMaxFrames);
        host.buffers.emplace_back(new float[host.sizes[b]]);
        for (uint32_t i = 0; i < host.sizes[b]; ++i)
            host.buffers.back()[i]
                = 0.5f * std::sin(0.01f * static_cast<float>(i + 1) * static_cast<float>(b + 1));
    }
    for (int call = 0; call < kMaxCalls && data.remaining_bytes() > 0; ++call) {
        ++hostCalls;
        switch (data.ConsumeIntegralInRange<int>(0, kNumCalls - 1)) {
        case kConnectAudio: {
            const uint32_t port = data.ConsumeIntegralInRange<uint32_t>(0, 2);
            const int held = data.ConsumeIntegralInRange<int>(-1, kBuffers - 1);
            host.audio[port] = held;
            descriptor->connect_port(
                plugin, port, held < 0 ? nullptr : host.buffers[static_cast<size_t>(held)].get());
            break;
        }
        case kConnectControl: {
            // Past the last port too: a host's mistake must be ignored.
            const uint32_t port = data.ConsumeIntegralInRange<uint32_t>(kFirstControlPort, kNumPorts + 2);
            float* slot = isControlPort(port) ? &host.controls[parameterOfPort(port)] : &host.stray;
            descriptor->connect_port(plugin, port, data.ConsumeBool() ? slot : nullptr);
            break;
        }
        case kSetControl:
            host.controls[data.ConsumeIntegralInRange<int32_t>(0, kNumParams - 1)] = data.ConsumeBool()
                ? data.PickValueInArray(kSpecialValues)
                : data.ConsumeFloatingPoint<float>();
            break;
        case kActivate:
            descriptor->activate(plugin);
            break;
        case kRun:
            descriptor->run(plugin, host.framesAllowed(data));
            if (!host.outputsFinite()) {
                std::fprintf(stderr, "non-finite output after finite input\n");
                std::abort();
            }
            break;
        case kDeactivate:
            descriptor->deactivate(plugin);
            break;
        }
    }
    descriptor->cleanup(plugin);
    return 0;
}
