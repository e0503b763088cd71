#include "tests/live/JackTestClient.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

namespace {

constexpr auto kPoll = std::chrono::milliseconds(10);

void quiet(const char*) { }

}  // namespace

JackTestClient::JackTestClient(const std::string& server, const std::string& name)
{
    jack_set_error_function(quiet);
    jack_set_info_function(quiet);
    jack_status_t status{};
    client_ = jack_client_open(name.c_str(),
        static_cast<jack_options_t>(JackNoStartServer | JackServerName | JackUseExactName), &status,
        server.c_str());
    if (!client_)
        return;
    out_ = jack_port_register(client_, "out", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
    inLeft_ = jack_port_register(client_, "in_left", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    inRight_ = jack_port_register(client_, "in_right", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    midiOut_ = jack_port_register(client_, "midi_out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    jack_set_process_callback(client_, &JackTestClient::process, this);
    jack_set_xrun_callback(client_, &JackTestClient::xrun, this);
    if (!out_ || !inLeft_ || !inRight_ || !midiOut_ || jack_activate(client_) != 0) {
        jack_client_close(client_);
        client_ = nullptr;
    }
}

JackTestClient::~JackTestClient()
{
    if (client_) {
        jack_deactivate(client_);
        jack_client_close(client_);
    }
}

uint32_t JackTestClient::period() const
{
    return jack_get_buffer_size(client_);
}

std::string JackTestClient::port(const char* shortName) const
{
    return std::string(jack_get_client_name(client_)) + ":" + shortName;
}

bool JackTestClient::waitForPort(const std::string& name, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!jack_port_by_name(client_, name.c_str())) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

bool JackTestClient::connect(
    const std::string& source, const std::string& destination, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const int result = jack_connect(client_, source.c_str(), destination.c_str());
        if (result == 0 || result == EEXIST)
            return true;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(kPoll);
    }
}

bool JackTestClient::setBufferSize(uint32_t frames)
{
    return jack_set_buffer_size(client_, frames) == 0;
}

void JackTestClient::run(const Script& script)
{
    script_ = script;
    std::sort(script_.midi.begin(), script_.midi.end(),
        [](const MidiMessage& a, const MidiMessage& b) { return a.period < b.period; });
    const size_t frames = script_.periods * period();
    left_.assign(frames, 0.0f);
    right_.assign(frames, 0.0f);
    done_.store(false);
    armed_.store(true);  // publishes the script to the process thread
}

bool JackTestClient::waitUntilDone(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done_.load()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

int JackTestClient::process(uint32_t frames, void* self)
{
    auto* client = static_cast<JackTestClient*>(self);
    auto* out = static_cast<float*>(jack_port_get_buffer(client->out_, frames));
    const auto* inLeft = static_cast<const float*>(jack_port_get_buffer(client->inLeft_, frames));
    const auto* inRight = static_cast<const float*>(jack_port_get_buffer(client->inRight_, frames));
    void* midi = jack_port_get_buffer(client->midiOut_, frames);
    jack_midi_clear_buffer(midi);
    std::fill(out, out + frames, 0.0f);
    if (!client->armed_.load(std::memory_order_acquire) || client->done_.load(std::memory_order_relaxed))
        return 0;
    if (client->settled_ < kSettlePeriods) {
        ++client->settled_;
        return 0;
    }
    const Script& script = client->script_;
    const size_t period = client->recorded_;
    if (period >= script.signalStart) {
        const size_t start = (period - script.signalStart) * frames;
        for (size_t i = 0; i < frames && start + i < script.signal.size(); ++i)
            out[i] = script.signal[start + i];
    }
    for (const MidiMessage& message : script.midi) {
        if (message.period == period)
            jack_midi_event_write(midi, 0, message.bytes.data(), message.bytes.size());
    }
    const size_t at = period * frames;
    if (at + frames <= client->left_.size()) {
        std::copy(inLeft, inLeft + frames, client->left_.begin() + static_cast<std::ptrdiff_t>(at));
        std::copy(inRight, inRight + frames, client->right_.begin() + static_cast<std::ptrdiff_t>(at));
    }
    if (++client->recorded_ >= script.periods)
        client->done_.store(true, std::memory_order_release);
    return 0;
}

int JackTestClient::xrun(void* self)
{
    static_cast<JackTestClient*>(self)->xruns_.fetch_add(1);
    return 0;
}
