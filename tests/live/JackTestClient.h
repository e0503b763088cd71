// The test's own JACK client: an audio output "out" that plays a signal into grimbolt's input,
// two audio inputs "in_left" and "in_right" that record grimbolt's outputs, and a MIDI output
// "midi_out". Once armed, it lets a few periods pass (so that connections made before are in
// force), then counts recorded periods from 0: it records `periods` of them, plays the signal
// from period `signalStart` on and sends each MIDI message at its period.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

struct _jack_client;
struct _jack_port;

class JackTestClient {
public:
    struct MidiMessage {
        size_t period;
        std::vector<uint8_t> bytes;
    };
    struct Script {
        std::vector<float> signal;
        size_t signalStart = 0;  // in periods from the first recorded one
        size_t periods = 0;      // how many to record
        std::vector<MidiMessage> midi;
    };

    // Joins the server `server` (never starting one); ok() tells whether it did.
    JackTestClient(const std::string& server, const std::string& name = "tester");
    ~JackTestClient();
    JackTestClient(const JackTestClient&) = delete;
    JackTestClient& operator=(const JackTestClient&) = delete;

    bool ok() const { return client_ != nullptr; }
    uint32_t period() const;
    // One of our ports in full: "tester:out".
    std::string port(const char* shortName) const;

    // Whether the port exists within `limit`.
    bool waitForPort(const std::string& name, std::chrono::milliseconds limit);
    // Connects, trying again until the limit while the other client is not active yet.
    bool connect(const std::string& source, const std::string& destination, std::chrono::milliseconds limit);
    // Asks the server for another buffer size.
    bool setBufferSize(uint32_t frames);

    // Starts the script at the next period.
    void run(const Script& script);
    // Whether the script's periods have all been recorded within `limit`.
    bool waitUntilDone(std::chrono::milliseconds limit);

    const std::vector<float>& left() const { return left_; }
    const std::vector<float>& right() const { return right_; }
    uint64_t xruns() const { return xruns_.load(); }

private:
    static int process(uint32_t frames, void* self);
    static int xrun(void* self);

    static constexpr size_t kSettlePeriods = 8;

    _jack_client* client_ = nullptr;
    _jack_port* out_ = nullptr;
    _jack_port* inLeft_ = nullptr;
    _jack_port* inRight_ = nullptr;
    _jack_port* midiOut_ = nullptr;
    Script script_;
    std::vector<float> left_;
    std::vector<float> right_;
    std::atomic<bool> armed_{false};
    std::atomic<bool> done_{false};
    std::atomic<uint64_t> xruns_{0};
    size_t settled_ = 0;   // process thread only
    size_t recorded_ = 0;  // process thread only
};
