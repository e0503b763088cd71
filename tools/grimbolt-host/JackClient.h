// grimbolt-host's client of a JACK server (JACK 2, or PipeWire's JACK): one audio input port
// "in", two audio outputs "out_left" and "out_right", and optionally a MIDI input "midi_in".
// JACK's process callback hands each period to a LiveProcessor; a change of buffer size or
// rate from the server goes to LiveProcessor::reconfigure on JACK's notification thread. The
// server named by JACK_DEFAULT_SERVER (or the default one) is used, and never started.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class LiveProcessor;

struct _jack_client;
struct _jack_port;

class JackClient {
public:
    static constexpr const char* kInputPort = "in";
    static constexpr const char* kLeftPort = "out_left";
    static constexpr const char* kRightPort = "out_right";
    static constexpr const char* kMidiPort = "midi_in";

    // Throws HostError: with how to start a server when none runs.
    JackClient(const std::string& name, bool midi);
    // Deactivates if active, then closes.
    ~JackClient();
    JackClient(const JackClient&) = delete;
    JackClient& operator=(const JackClient&) = delete;

    // The name the server gave the client (it may add a number to a taken name).
    std::string name() const;
    // A port of ours by its short name, in full: "grimbolt:in".
    std::string fullName(const char* shortName) const;
    uint32_t sampleRate() const;
    uint32_t bufferSize() const;

    // Audio ports of other clients that can feed ours (their outputs) and that ours can feed
    // (their inputs), in the server's order; physicalOnly keeps the sound card's own.
    std::vector<std::string> audioSources(bool physicalOnly) const;
    std::vector<std::string> audioSinks(bool physicalOnly) const;

    // processor must outlive the activation. Throws HostError.
    void activate(LiveProcessor& processor);
    // Stops the process callback (and disconnects our ports); nothing once the server is gone.
    void deactivate();
    // Throws HostError naming both ports.
    void connect(const std::string& source, const std::string& destination);

    // JACK's DSP load in percent, and the xruns counted since activation.
    float cpuLoad() const;
    uint64_t xruns() const { return xruns_.load(std::memory_order_relaxed); }
    // True once the server has shut the client down (it quit, was killed, or threw us out).
    bool serverGone() const { return serverGone_.load(std::memory_order_acquire); }
    // The server's reason, once serverGone().
    std::string shutdownReason() const;

private:
    static int process(uint32_t frames, void* self);
    static int bufferSizeChanged(uint32_t frames, void* self);
    static int sampleRateChanged(uint32_t rate, void* self);
    static int xrun(void* self);
    static void shutdown(const char* reason, void* self);
    std::vector<std::string> audioPorts(unsigned long flags) const;

    static constexpr size_t kReasonCapacity = 256;

    _jack_client* client_ = nullptr;
    _jack_port* input_ = nullptr;
    _jack_port* left_ = nullptr;
    _jack_port* right_ = nullptr;
    _jack_port* midi_ = nullptr;
    std::atomic<LiveProcessor*> processor_{nullptr};
    bool active_ = false;
    std::atomic<uint64_t> xruns_{0};
    std::atomic<bool> serverGone_{false};
    char reason_[kReasonCapacity] = {};
};
