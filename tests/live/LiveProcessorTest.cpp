// The live audio path without a server: MIDI decoding, MIDI changes applied between blocks,
// the process thread's period allocating nothing and making no system call, and changes of
// block size that reach the plug-in through suspend, effSetBlockSize, resume and never during
// a block.
#include "tests/engine/AllocationCount.h"
#include "tests/live/ProbePlugin.h"
#include "tools/grimbolt-host/LiveProcessor.h"
#include "tools/grimbolt-host/MidiControl.h"
#include "tools/grimbolt-host/OfflineRender.h"
#include "tools/grimbolt-host/PluckedStringPhrase.h"
#include "tools/hostkit/PluginLibrary.h"

#include <gtest/gtest.h>

#include <atomic>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRate = 48000;
constexpr int32_t kBlock = 64;

class VectorMidi final : public LiveProcessor::MidiInput {
public:
    explicit VectorMidi(std::vector<std::vector<uint8_t>> messages)
        : messages_(std::move(messages))
    {
    }
    uint32_t count() const override { return static_cast<uint32_t>(messages_.size()); }
    bool get(uint32_t index, const uint8_t*& bytes, size_t& size) const override
    {
        bytes = messages_[index].data();
        size = messages_[index].size();
        return true;
    }

private:
    std::vector<std::vector<uint8_t>> messages_;
};

// A plug-in prepared and resumed as a live run does it.
struct LivePlugin {
    explicit LivePlugin(const char* path, int32_t blockSize = kBlock)
        : library(path)
        , plugin(library, host)
    {
        prepareInstance(plugin, {kRate, blockSize, std::nullopt, {}});
        plugin.resume();
    }
    PluginLibrary library;
    HostCallback host;
    PluginInstance plugin;
};

ProbeRecord& probeRecord(PluginInstance& plugin)
{
    return *reinterpret_cast<ProbeRecord*>(plugin.dispatch(effVendorSpecific, kProbeIndex));
}

bool underSanitizer()
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

}  // namespace

TEST(MidiControl, ProgramChangesAndTheTenControllersOnAnyChannel)
{
    const uint8_t program[] = {0xC5, 2};
    LiveChange change = MidiControl::decode(program, sizeof program);
    EXPECT_EQ(change.kind, LiveChange::Kind::Program);
    EXPECT_EQ(change.index, 2);
    for (uint8_t controller = 20; controller <= 29; ++controller) {
        const uint8_t cc[] = {0xB0, controller, 127};
        change = MidiControl::decode(cc, sizeof cc);
        EXPECT_EQ(change.kind, LiveChange::Kind::Parameter);
        EXPECT_EQ(change.index, controller - 20);
        EXPECT_EQ(change.value, 1.0f);
        EXPECT_EQ(change.controller, controller);
    }
    const uint8_t half[] = {0xBF, 21, 64};
    EXPECT_FLOAT_EQ(MidiControl::decode(half, sizeof half).value, 64.0f / 127.0f);
    const uint8_t ignored[][3]
        = {{0xB0, 19, 1}, {0xB0, 30, 1}, {0x90, 60, 100}, {0xB0, 21, 0x80}, {0xE0, 0, 64}};
    for (const auto& message : ignored)
        EXPECT_EQ(MidiControl::decode(message, 3).kind, LiveChange::Kind::None);
    EXPECT_EQ(MidiControl::decode(program, 1).kind, LiveChange::Kind::None);
    const uint8_t shortCc[] = {0xB0, 21};
    EXPECT_EQ(MidiControl::decode(shortCc, 2).kind, LiveChange::Kind::None);
}

TEST(LiveProcessor, MidiChangesReachThePluginBeforeTheBlockAndAreTold)
{
    LivePlugin live(GRIMBOLT_PLUGIN);
    LiveProcessor processor(live.plugin, live.host, kRate, kBlock);
    std::vector<float> input(kBlock, 0.1f), left(kBlock), right(kBlock);
    const VectorMidi midi({{0xC0, 2}, {0xB0, 21, 127}, {0xC0, 100}, {0xB0, 40, 3}});
    processor.runPeriod(input.data(), left.data(), right.data(), kBlock, &midi);
    EXPECT_EQ(live.plugin.currentProgram(), 2);
    EXPECT_EQ(live.plugin.programName(2), "crunch");
    EXPECT_EQ(live.plugin.parameter(1), 1.0f);
    LiveChange change;
    ASSERT_TRUE(processor.nextChange(change));
    EXPECT_EQ(change.kind, LiveChange::Kind::Program);
    EXPECT_EQ(change.index, 2);
    ASSERT_TRUE(processor.nextChange(change));
    EXPECT_EQ(change.kind, LiveChange::Kind::Parameter);
    EXPECT_EQ(change.index, 1);
    EXPECT_FALSE(processor.nextChange(change)) << "program 100 and CC 40 mean nothing";
    EXPECT_GT(processor.peaksSinceStart().output, 0.0f);
    EXPECT_FLOAT_EQ(processor.peaksSinceStart().input, 0.1f);
}

TEST(LiveProcessor, PeriodsAllocateNothing)
{
    LivePlugin live(GRIMBOLT_PLUGIN);
    LiveProcessor processor(live.plugin, live.host, kRate, kBlock);
    std::vector<float> input = PluckedStringPhrase::render(kRate);
    std::vector<float> left(kBlock), right(kBlock);
    const VectorMidi midi({{0xC0, 3}, {0xB0, 20, 90}, {0xB0, 29, 127}, {0xC0, 1}, {0xB0, 21, 10}});
    const VectorMidi none({});
    const long before = allocationCount();
    for (size_t period = 0; period < 2000; ++period) {
        processor.runPeriod(input.data() + period * kBlock, left.data(), right.data(), kBlock,
            period % 50 == 0 ? &midi : &none);
        processor.takeRecentPeaks();
    }
    EXPECT_EQ(allocationCount() - before, 0);
}

// In a child process whose thread may make no system call but write and exit (seccomp's strict
// mode; any other call kills it), periods run with MIDI program and parameter changes.
TEST(LiveProcessor, PeriodsMakeNoSystemCall)
{
    if (underSanitizer())
        GTEST_SKIP() << "the sanitizers' runtime makes calls of its own";
    LivePlugin live(GRIMBOLT_PLUGIN);
    LiveProcessor processor(live.plugin, live.host, kRate, kBlock);
    std::vector<float> input = PluckedStringPhrase::render(kRate);
    std::vector<float> left(kBlock), right(kBlock);
    const VectorMidi midi({{0xC0, 2}, {0xB0, 21, 127}, {0xB0, 27, 64}, {0xC0, 3}});
    const VectorMidi none({});
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (prctl(PR_SET_SECCOMP, SECCOMP_MODE_STRICT) != 0)
            syscall(SYS_exit, 3);
        for (size_t period = 0; period < 2000; ++period) {
            processor.runPeriod(input.data() + period * kBlock, left.data(), right.data(), kBlock,
                period % 40 == 0 ? &midi : &none);
            processor.takeRecentPeaks();
        }
        syscall(SYS_exit, 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_FALSE(WIFSIGNALED(status))
        << "the period made a system call (killed by signal " << WTERMSIG(status) << ")";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(LiveProcessor, PeriodsLongerThanTheBlockGoInBlocksWithoutACopy)
{
    LivePlugin live(PROBE_PLUGIN);
    LiveProcessor processor(live.plugin, live.host, kRate, kBlock);
    std::vector<float> input(300), left(300), right(300);
    for (size_t i = 0; i < input.size(); ++i)
        input[i] = static_cast<float>(i);
    processor.runPeriod(input.data(), left.data(), right.data(), 300, nullptr);
    const ProbeRecord& record = probeRecord(live.plugin);
    EXPECT_EQ(record.violations.load(), 0);
    EXPECT_EQ(record.blocks.load(), 5);
    EXPECT_EQ(record.largestBlock.load(), kBlock);
    EXPECT_EQ(left, input);
    EXPECT_EQ(right, input);
}

TEST(LiveProcessor, BlockSizeChangesComeBetweenBlocksAsSuspendSetBlockSizeResume)
{
    LivePlugin live(PROBE_PLUGIN);
    LiveProcessor processor(live.plugin, live.host, kRate, kBlock);
    ProbeRecord& record = probeRecord(live.plugin);
    const int before = record.opcodeCount.load();
    std::atomic<bool> stop{false};
    std::atomic<int32_t> period{kBlock};
    std::thread audio([&] {
        std::vector<float> input(1024, 0.5f), left(1024), right(1024);
        while (!stop.load()) {
            processor.runPeriod(
                input.data(), left.data(), right.data(), static_cast<uint32_t>(period.load()), nullptr);
            std::this_thread::yield();  // as a process thread waits for its next period
        }
    });
    for (const int32_t size : {256, 128, 1024, 64}) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(processor.reconfigure(kRate, size));
        period.store(size);
        EXPECT_EQ(processor.blockSize(), size);
    }
    ASSERT_TRUE(processor.reconfigure(96000, 64));
    stop.store(true);
    audio.join();
    EXPECT_EQ(record.violations.load(), 0);
    EXPECT_GT(record.blocks.load(), 0);
    const std::vector<int> expected = {0, 1256, 1, 0, 1128, 1, 0, 2024, 1, 0, 1064, 1, 0, -96000, 1};
    ASSERT_EQ(record.opcodeCount.load() - before, static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(record.opcodes[before + static_cast<int>(i)].load(), expected[i]) << "call " << i;
    EXPECT_EQ(live.host.blockSize(), 64);
    EXPECT_EQ(live.host.sampleRate(), 96000.0);
}

TEST(LiveProcessor, ShutOutWaitsForTheBlockAndSilencesLaterPeriods)
{
    LivePlugin live(PROBE_PLUGIN);
    LiveProcessor processor(live.plugin, live.host, kRate, kBlock);
    std::vector<float> input(kBlock, 0.5f), left(kBlock), right(kBlock);
    processor.runPeriod(input.data(), left.data(), right.data(), kBlock, nullptr);
    EXPECT_EQ(left, input);
    ASSERT_TRUE(processor.shutOut());
    const int blocks = probeRecord(live.plugin).blocks.load();
    processor.runPeriod(input.data(), left.data(), right.data(), kBlock, nullptr);
    EXPECT_EQ(probeRecord(live.plugin).blocks.load(), blocks);
    EXPECT_EQ(left, std::vector<float>(kBlock, 0.0f));
    EXPECT_FALSE(processor.reconfigure(kRate, 128)) << "nothing reaches a plug-in shut out";
    EXPECT_FALSE(processor.shutOut());
}
