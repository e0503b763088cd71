#include "tools/grimbolt-host/JackClient.h"

#include "tools/grimbolt-host/LiveProcessor.h"
#include "tools/hostkit/HostError.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// libjack writes its own diagnostics to stderr ("Cannot connect to server socket ..."); the
// tool says what went wrong in its own words instead.
void quiet(const char*) { }

std::string serverName()
{
    const char* name = std::getenv("JACK_DEFAULT_SERVER");
    return name && *name ? name : "default";
}

std::string hex(unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

// One period's MIDI messages, read straight from JACK's buffer.
class JackMidiInput final : public LiveProcessor::MidiInput {
public:
    explicit JackMidiInput(void* buffer)
        : buffer_(buffer)
    {
    }

    uint32_t count() const override { return jack_midi_get_event_count(buffer_); }

    bool get(uint32_t index, const uint8_t*& bytes, size_t& size) const override
    {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer_, index) != 0)
            return false;
        bytes = event.buffer;
        size = event.size;
        return true;
    }

private:
    void* buffer_;
};

}  // namespace

JackClient::JackClient(const std::string& name, bool midi)
{
    jack_set_error_function(quiet);
    jack_set_info_function(quiet);
    jack_status_t status{};
    client_ = jack_client_open(name.c_str(), JackNoStartServer, &status);
    if (!client_) {
        if (status & JackServerFailed)
            throw HostError("no JACK server is running (server \"" + serverName()
                + "\"); start one first, for example `jackd -d alsa` for the sound card, `jackd -d dummy` "
                  "to try without one, or run PipeWire with its JACK (`pw-jack grimbolt-host live ...`)");
        throw HostError("the JACK server \"" + serverName() + "\" did not take the client \"" + name
            + "\" (JACK status " + hex(static_cast<unsigned>(status)) + ")");
    }
    const auto registerPort = [this](const char* port, const char* type, unsigned long flags) {
        jack_port_t* handle = jack_port_register(client_, port, type, flags, 0);
        if (!handle) {
            jack_client_close(client_);
            throw HostError("the JACK server did not give the port " + std::string(port));
        }
        return handle;
    };
    input_ = registerPort(kInputPort, JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput);
    left_ = registerPort(kLeftPort, JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput);
    right_ = registerPort(kRightPort, JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput);
    if (midi)
        midi_ = registerPort(kMidiPort, JACK_DEFAULT_MIDI_TYPE, JackPortIsInput);
    jack_set_process_callback(client_, &JackClient::process, this);
    jack_set_buffer_size_callback(client_, &JackClient::bufferSizeChanged, this);
    jack_set_sample_rate_callback(client_, &JackClient::sampleRateChanged, this);
    jack_set_xrun_callback(client_, &JackClient::xrun, this);
    jack_on_info_shutdown(
        client_, [](jack_status_t, const char* reason, void* self) { shutdown(reason, self); }, this);
}

JackClient::~JackClient()
{
    deactivate();
    jack_client_close(client_);
}

std::string JackClient::name() const
{
    return jack_get_client_name(client_);
}

std::string JackClient::fullName(const char* shortName) const
{
    return name() + ":" + shortName;
}

uint32_t JackClient::sampleRate() const
{
    return jack_get_sample_rate(client_);
}

uint32_t JackClient::bufferSize() const
{
    return jack_get_buffer_size(client_);
}

std::vector<std::string> JackClient::audioPorts(unsigned long flags) const
{
    std::vector<std::string> names;
    const char** ports = jack_get_ports(client_, nullptr, JACK_DEFAULT_AUDIO_TYPE, flags);
    if (!ports)
        return names;
    const std::string ours = name() + ":";
    for (const char** port = ports; *port; ++port) {
        if (std::strncmp(*port, ours.c_str(), ours.size()) != 0)
            names.push_back(*port);
    }
    jack_free(ports);
    return names;
}

std::vector<std::string> JackClient::audioSources(bool physicalOnly) const
{
    return audioPorts(JackPortIsOutput | (physicalOnly ? JackPortIsPhysical : 0));
}

std::vector<std::string> JackClient::audioSinks(bool physicalOnly) const
{
    return audioPorts(JackPortIsInput | (physicalOnly ? JackPortIsPhysical : 0));
}

void JackClient::activate(LiveProcessor& processor)
{
    processor_.store(&processor, std::memory_order_release);
    if (jack_activate(client_) != 0)
        throw HostError("the JACK server did not activate the client");
    active_ = true;
}

void JackClient::deactivate()
{
    if (active_ && !serverGone())
        jack_deactivate(client_);
    active_ = false;
}

void JackClient::connect(const std::string& source, const std::string& destination)
{
    const int result = jack_connect(client_, source.c_str(), destination.c_str());
    if (result != 0 && result != EEXIST)
        throw HostError("JACK could not connect " + source + " to " + destination);
}

float JackClient::cpuLoad() const
{
    return jack_cpu_load(client_);
}

std::string JackClient::shutdownReason() const
{
    return serverGone() ? std::string(reason_) : std::string();
}

int JackClient::process(uint32_t frames, void* self)
{
    auto* client = static_cast<JackClient*>(self);
    LiveProcessor* processor = client->processor_.load(std::memory_order_acquire);
    const auto* input = static_cast<const float*>(jack_port_get_buffer(client->input_, frames));
    auto* left = static_cast<float*>(jack_port_get_buffer(client->left_, frames));
    auto* right = static_cast<float*>(jack_port_get_buffer(client->right_, frames));
    if (client->midi_) {
        const JackMidiInput midi(jack_port_get_buffer(client->midi_, frames));
        processor->runPeriod(input, left, right, frames, &midi);
    } else {
        processor->runPeriod(input, left, right, frames, nullptr);
    }
    return 0;
}

int JackClient::bufferSizeChanged(uint32_t frames, void* self)
{
    auto* client = static_cast<JackClient*>(self);
    if (LiveProcessor* processor = client->processor_.load(std::memory_order_acquire))
        return processor->reconfigure(processor->sampleRate(), static_cast<int32_t>(frames)) ? 0 : 1;
    return 0;
}

int JackClient::sampleRateChanged(uint32_t rate, void* self)
{
    auto* client = static_cast<JackClient*>(self);
    if (LiveProcessor* processor = client->processor_.load(std::memory_order_acquire))
        return processor->reconfigure(rate, processor->blockSize()) ? 0 : 1;
    return 0;
}

int JackClient::xrun(void* self)
{
    static_cast<JackClient*>(self)->xruns_.fetch_add(1, std::memory_order_relaxed);
    return 0;
}

void JackClient::shutdown(const char* reason, void* self)
{
    auto* client = static_cast<JackClient*>(self);
    std::snprintf(client->reason_, kReasonCapacity, "%s", reason ? reason : "");
    client->serverGone_.store(true, std::memory_order_release);
}
