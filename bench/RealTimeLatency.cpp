// How long setParameter takes on a real-time audio thread, the way a host's automation calls
// it: a SCHED_FIFO thread wakes every 100 us, turns one knob (that call alone is timed) and
// renders 64 frames. Meanwhile a second thread either turns random knobs and switches programs
// as fast as it can (writer) or only spins (control), and a third spins to keep the other core
// busy, so the two modes differ in the plug-in calls alone.
//
//     grimbolt_rt_latency [--mode writer|control] [--seconds S] [--calls N] [--knob K]
//
// Prints one line: calls, median, 99.9th percentile and maximum in us, how many calls took
// over 100 us and over 1 ms, the mode and whether SCHED_FIFO was in effect.
#include "shell/PluginEntry.h"
#include "plugin/vst/VstInterface.h"

#include <pthread.h>
#include <sched.h>
#include <sys/mman.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

intptr_t VST_CALLBACK latencyHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

constexpr float kRate = 48000.0f;
constexpr int32_t kBlock = 64;
constexpr long kPeriodNs = 100000;
constexpr int kFifoPriority = 80;  // above the usual IRQ threads, below the kernel's watchdogs
constexpr int32_t kParameters = 10;
constexpr int32_t kPrograms = 63;

struct Options {
    bool writer = true;
    double seconds = 30.0;
    bool secondsGiven = false;
    long long calls = 0;  // 0: no limit on calls
    int32_t knob = 1;     // drive
};

[[noreturn]] void usage()
{
    std::fprintf(stderr,
        "usage: grimbolt_rt_latency [--mode writer|control] [--seconds S] [--calls N] [--knob 0-9]\n");
    std::exit(2);
}

Options parseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            usage();
        const char* value = argv[++i];
        char* end = nullptr;
        if (arg == "--mode") {
            if (std::strcmp(value, "writer") == 0)
                options.writer = true;
            else if (std::strcmp(value, "control") == 0)
                options.writer = false;
            else
                usage();
            continue;
        }
        if (arg == "--seconds") {
            options.seconds = std::strtod(value, &end);
            options.secondsGiven = true;
            if (*end != '\0' || !(options.seconds > 0.0))
                usage();
        } else if (arg == "--calls") {
            options.calls = std::strtoll(value, &end, 10);
            if (*end != '\0' || options.calls <= 0)
                usage();
        } else if (arg == "--knob") {
            const long knob = std::strtol(value, &end, 10);
            if (*end != '\0' || knob < 0 || knob >= kParameters)
                usage();
            options.knob = static_cast<int32_t>(knob);
        } else {
            usage();
        }
    }
    // --calls alone stops on the count; given both, whichever comes first.
    if (options.calls > 0 && !options.secondsGiven)
        options.seconds = 0.0;
    return options;
}

void addNs(timespec& t, long ns)
{
    t.tv_nsec += ns;
    while (t.tv_nsec >= 1000000000L) {
        t.tv_nsec -= 1000000000L;
        ++t.tv_sec;
    }
}

struct AudioResult {
    size_t calls = 0;
    bool fifo = false;
};

// The audio thread. Every sample slot is in place before the first call, so the loop neither
// allocates nor faults in fresh pages.
void runAudio(AEffect* effect, const Options& options, std::vector<int64_t>& samples, std::atomic<bool>& stop,
    AudioResult& result)
{
    sched_param param{};
    param.sched_priority = kFifoPriority;
    const int error = pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
    if (error != 0)
        std::fprintf(
            stderr, "warning: no SCHED_FIFO (%s), running at normal priority\n", std::strerror(error));
    result.fifo = error == 0;

    // One second of a 200 Hz sine, a whole number of periods and of blocks.
    std::vector<float> sine(48000), left(kBlock), right(kBlock);
    for (size_t i = 0; i < sine.size(); ++i)
        sine[i] = 0.3f * std::sin(6.2831853f * 200.0f * static_cast<float>(i) / kRate);
    float* outputs[] = {left.data(), right.data()};
    size_t offset = 0;

    using Clock = std::chrono::steady_clock;
    const bool timed = options.seconds > 0.0;
    const auto end = Clock::now()
        + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(options.seconds));
    timespec wake{};
    clock_gettime(CLOCK_MONOTONIC, &wake);
    size_t n = 0;
    while (n < samples.size()) {
        addNs(wake, kPeriodNs);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == EINTR) { }
        // A ramp up and down over 100 wake-ups, as automation draws it.
        const float value = static_cast<float>(n % 100) / 99.0f;
        const auto before = Clock::now();
        effect->setParameter(effect, options.knob, value);
        const auto after = Clock::now();
        samples[n++] = std::chrono::duration_cast<std::chrono::nanoseconds>(after - before).count();

        float* inputs[] = {sine.data() + offset};
        effect->processReplacing(effect, inputs, outputs, kBlock);
        offset = (offset + kBlock) % sine.size();
        if (timed && after >= end)
            break;
    }
    result.calls = n;
    stop.store(true, std::memory_order_relaxed);
}

void runWriter(AEffect* effect, const std::atomic<bool>& stop)
{
    std::mt19937 random(12345);
    std::uniform_int_distribution<int32_t> parameter(0, kParameters - 1), program(0, kPrograms - 1);
    std::uniform_real_distribution<float> value(0.0f, 1.0f);
    for (uint32_t i = 1; !stop.load(std::memory_order_relaxed); ++i) {
        if (i % 256 == 0)
            effect->dispatcher(effect, effSetProgram, 0, program(random), nullptr, 0.0f);
        else
            effect->setParameter(effect, parameter(random), value(random));
    }
}

void spin(const std::atomic<bool>& stop)
{
    while (!stop.load(std::memory_order_relaxed)) { }
}

double percentile(const std::vector<int64_t>& sorted, double fraction)
{
    const auto rank = static_cast<size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
    return static_cast<double>(sorted[std::min(sorted.size() - 1, rank > 0 ? rank - 1 : 0)]);
}

}  // namespace

int main(int argc, char** argv)
{
    const Options options = parseOptions(argc, argv);

    // Locked memory keeps page faults out of the audio thread, as real-time hosts do.
    if (mlockall(MCL_CURRENT | MCL_FUTURE) != 0)
        std::fprintf(stderr, "warning: mlockall failed (%s)\n", std::strerror(errno));

    AEffect* effect = createGrimboltEffect(latencyHost);
    if (effect == nullptr) {
        std::fprintf(stderr, "grimbolt_rt_latency: the plug-in could not be created\n");
        return 1;
    }
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, kRate);
    effect->dispatcher(effect, effSetBlockSize, 0, kBlock, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);

    // One slot per wake-up the run can have, plus slack for the first one.
    size_t capacity = options.seconds > 0.0
        ? static_cast<size_t>(std::ceil(options.seconds * 1e9 / kPeriodNs)) + 2
        : static_cast<size_t>(options.calls);
    if (options.calls > 0)
        capacity = std::min(capacity, static_cast<size_t>(options.calls));
    std::vector<int64_t> samples(capacity, 0);

    std::atomic<bool> stop{false};
    AudioResult result;
    std::thread second([&] {
        if (options.writer)
            runWriter(effect, stop);
        else
            spin(stop);
    });
    std::thread third([&] { spin(stop); });
    std::thread audio([&] { runAudio(effect, options, samples, stop, result); });
    audio.join();
    second.join();
    third.join();

    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);

    samples.resize(result.calls);
    if (samples.empty()) {
        std::fprintf(stderr, "grimbolt_rt_latency: no calls made\n");
        return 1;
    }
    std::sort(samples.begin(), samples.end());
    const auto over
        = [&](int64_t ns) { return samples.end() - std::upper_bound(samples.begin(), samples.end(), ns); };
    std::printf("calls=%zu median_us=%.3f p99.9_us=%.3f max_us=%.3f over_100us=%td over_1ms=%td "
                "mode=%s sched_fifo=%s\n",
        samples.size(), percentile(samples, 0.5) / 1000.0, percentile(samples, 0.999) / 1000.0,
        static_cast<double>(samples.back()) / 1000.0, over(100000), over(1000000),
        options.writer ? "writer" : "control", result.fifo ? "yes" : "no");
    return 0;
}
