// The audio side of a live run, apart from any audio API: what JACK's process callback does
// with each period, and the changes of rate and period size that reach the plug-in between
// periods.
//
// runPeriod() is for the process thread alone. It allocates nothing, takes no lock and makes
// no system call: the MIDI changes of the period go to the plug-in first (between blocks), then
// processReplacing runs straight on the period's buffers, in blocks no longer than the one the
// plug-in was configured with. reconfigure() runs on another thread (JACK's notification
// thread); it waits for the block in progress to end, holds the process thread off meanwhile
// (its periods then give silence) and sends suspend, effSetSampleRate and/or effSetBlockSize,
// resume. The process thread never waits for it: it only tries an atomic flag.
// The levels and the queue of applied changes are read by the main thread.
#pragma once

#include "tools/grimbolt-host/ChangeQueue.h"
#include "tools/grimbolt-host/MidiControl.h"
#include "tools/hostkit/HostCallback.h"
#include "tools/hostkit/PluginInstance.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

class LiveProcessor {
public:
    // The MIDI messages of one period, however the audio API keeps them.
    class MidiInput {
    public:
        virtual uint32_t count() const = 0;
        // False when message `index` cannot be read.
        virtual bool get(uint32_t index, const uint8_t*& bytes, size_t& size) const = 0;

    protected:
        ~MidiInput() = default;
    };

    // Peak amplitudes, 1.0 being full scale.
    struct Peaks {
        float input = 0.0f;
        float output = 0.0f;
    };

    // plugin has been prepared at sampleRate and blockSize and resumed; both outlive this.
    LiveProcessor(PluginInstance& plugin, HostCallback& host, double sampleRate, int32_t blockSize);
    LiveProcessor(const LiveProcessor&) = delete;
    LiveProcessor& operator=(const LiveProcessor&) = delete;

    // Process thread. midi may be null.
    void runPeriod(const float* input, float* left, float* right, uint32_t frames, const MidiInput* midi);

    // Any thread but the process thread; true once the plug-in runs at the given rate and size.
    // Gives up (false) when the process thread holds the plug-in for a whole second.
    bool reconfigure(double sampleRate, int32_t blockSize);
    int32_t blockSize() const { return blockSize_.load(std::memory_order_relaxed); }
    // Any thread but the process thread: waits for the block in progress to end and keeps the
    // plug-in from the process thread from then on (later periods are silent), for shutting down
    // when the server may have gone without stopping the process thread. False when the process
    // thread held the plug-in for a whole second.
    bool shutOut();
    double sampleRate() const { return sampleRate_.load(std::memory_order_relaxed); }

    // Main thread: the changes applied from MIDI, in order, and how many were not told because
    // the queue was full.
    bool nextChange(LiveChange& change) { return changes_.pop(change); }
    uint64_t untoldChanges() const { return untoldChanges_.load(std::memory_order_relaxed); }
    // The peaks since the last call, and since the start.
    Peaks takeRecentPeaks();
    Peaks peaksSinceStart() const;

private:
    enum State : int { kIdle, kProcessing, kReconfiguring, kShutOut };

    // Takes the plug-in from kIdle to `state`, waiting for a block in progress to end.
    bool take(State state);
    static constexpr size_t kChangeCapacity = 256;

    void applyMidi(const MidiInput& midi);
    void process(const float* input, float* left, float* right, uint32_t frames);

    PluginInstance& plugin_;
    HostCallback& host_;
    std::atomic<int> state_{kIdle};
    std::atomic<double> sampleRate_;
    std::atomic<int32_t> blockSize_;
    ChangeQueue<LiveChange, kChangeCapacity> changes_;
    std::atomic<uint64_t> untoldChanges_{0};
    std::atomic<float> recentInput_{0.0f};
    std::atomic<float> recentOutput_{0.0f};
    std::atomic<float> totalInput_{0.0f};
    std::atomic<float> totalOutput_{0.0f};

    static_assert(std::atomic<float>::is_always_lock_free && std::atomic<double>::is_always_lock_free
            && std::atomic<int>::is_always_lock_free,
        "the process thread must not lock");
};
