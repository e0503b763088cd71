#include "tools/grimbolt-host/LiveCommand.h"

#include "tools/grimbolt-host/EditorSession.h"
#include "tools/grimbolt-host/JackClient.h"
#include "tools/grimbolt-host/LiveProcessor.h"
#include "tools/grimbolt-host/OfflineRender.h"
#include "tools/grimbolt-host/StatusLine.h"
#include "tools/hostkit/HostError.h"
#include "tools/hostkit/PluginInstance.h"
#include "tools/hostkit/PluginLibrary.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <memory>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// The rates the engine's filters and stages are designed for.
constexpr uint32_t kDesignedRates[] = {44100, 48000, 88200, 96000};
constexpr auto kStatusInterval = std::chrono::milliseconds(100);
constexpr auto kLoopInterval = std::chrono::milliseconds(EditorSession::kIdleIntervalMilliseconds);

std::atomic<int> stopSignal{0};

extern "C" void onStopSignal(int signal)
{
    stopSignal.store(signal);
}

// SIGINT and SIGTERM ask the main loop to stop; the handlers before are back afterwards.
class StopSignals {
public:
    StopSignals()
    {
        stopSignal.store(0);
        struct sigaction action = {};
        action.sa_handler = onStopSignal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &previousInterrupt_);
        sigaction(SIGTERM, &action, &previousTerminate_);
    }

    ~StopSignals()
    {
        sigaction(SIGINT, &previousInterrupt_, nullptr);
        sigaction(SIGTERM, &previousTerminate_, nullptr);
    }

    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    bool raised() const { return stopSignal.load() != 0; }

private:
    struct sigaction previousInterrupt_ = {};
    struct sigaction previousTerminate_ = {};
};

// Keeps the client active for the life of the session and deactivates it first when the
// session ends, however it ends: the process callback stops before the editor and the plug-in go.
class Activation {
public:
    Activation(JackClient& client, LiveProcessor& processor)
        : client_(client)
    {
        client_.activate(processor);
    }
    ~Activation() { client_.deactivate(); }
    Activation(const Activation&) = delete;
    Activation& operator=(const Activation&) = delete;

private:
    JackClient& client_;
};

std::string listed(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

struct Connection {
    std::string source;
    std::string destination;
};

// A port named on the command line, checked against those that exist.
void requirePort(const std::string& port, const std::vector<std::string>& existing, const std::string& option,
    const std::string& role)
{
    if (std::find(existing.begin(), existing.end(), port) != existing.end())
        return;
    throw HostError("there is no JACK port \"" + port + "\" for " + option + "; the ports that can " + role
        + " are: " + (existing.empty() ? "none" : listed(existing)));
}

// What to connect: the ports the command line names, else the first physical ones; the
// notes tell what stays unconnected.
std::vector<Connection> plannedConnections(
    const CommandLine& line, const JackClient& client, std::vector<std::string>& notes)
{
    std::vector<Connection> connections;
    if (line.noConnect)
        return connections;
    const std::string input = client.fullName(JackClient::kInputPort);
    const std::string outputs[]
        = {client.fullName(JackClient::kLeftPort), client.fullName(JackClient::kRightPort)};

    if (line.inputPort) {
        requirePort(*line.inputPort, client.audioSources(false), "--input", "feed " + input);
        connections.push_back({*line.inputPort, input});
    } else if (const auto capture = client.audioSources(true); !capture.empty()) {
        connections.push_back({capture.front(), input});
    } else {
        notes.push_back("there is no physical capture port; " + input + " stays unconnected");
    }

    std::vector<std::string> sinks = line.outputPorts;
    if (!sinks.empty()) {
        const auto existing = client.audioSinks(false);
        for (const std::string& sink : sinks)
            requirePort(sink, existing, "--output", "take grimbolt's outputs");
    } else {
        sinks = client.audioSinks(true);
        if (sinks.empty())
            notes.push_back("there is no physical playback port; the outputs stay unconnected");
    }
    for (size_t i = 0; i < std::min<size_t>(sinks.size(), 2); ++i)
        connections.push_back({outputs[i], sinks[i]});
    if (sinks.size() == 1)
        notes.push_back(outputs[1] + " stays unconnected, as there is one port for the outputs");
    return connections;
}

bool isDesignedRate(uint32_t rate)
{
    return std::find(std::begin(kDesignedRates), std::end(kDesignedRates), rate) != std::end(kDesignedRates);
}

std::string describeChange(const PluginInstance& plugin, const LiveChange& change)
{
    if (change.kind == LiveChange::Kind::Program) {
        return "program = " + std::to_string(change.index) + " (" + plugin.programName(change.index)
            + ") from MIDI program change";
    }
    return describeParameter(plugin, change.index, plugin.parameter(change.index)) + " from MIDI CC "
        + std::to_string(change.controller);
}

}  // namespace

void runLiveCommand(const CommandLine& line, std::ostream& out)
{
    // The plug-in first, so that a wrong plug-in path is told before anything about JACK.
    PluginLibrary library(line.pluginPath);
    HostCallback host;
    PluginInstance plugin(library, host);
    JackClient client(line.clientName, line.midi);

    const uint32_t rate = client.sampleRate();
    const auto period = static_cast<int32_t>(client.bufferSize());
    // The same preparation as an offline render's, so that `render --block N` gives what a live
    // run at period N gives.
    prepareInstance(plugin, {static_cast<int>(rate), period, line.program, line.settings});
    std::vector<std::string> notes;
    const std::vector<Connection> connections = plannedConnections(line, client, notes);

    StatusLine status(out, StatusLine::standardOutputIsTerminal());
    out << "live: JACK client " << client.name() << " at " << rate << " Hz, " << period << " frames a period"
        << std::endl;
    if (!isDesignedRate(rate)) {
        out << "warning: the server runs at " << rate
            << " Hz; Grimbolt runs at that rate, but its sound is meant for 44100, 48000, 88200 and 96000 Hz"
            << std::endl;
    }

    std::unique_ptr<EditorSession> editor;
    if (!line.noEditor) {
        try {
            editor = std::make_unique<EditorSession>(
                plugin, host, [&status](const std::string& change) { status.print(change); });
        } catch (const HostError& error) {
            out << "playing on without the panel (" << error.what() << ")" << std::endl;
        }
    }

    plugin.resume();
    LiveProcessor processor(plugin, host, rate, period);
    const StopSignals signals;
    const Activation activation(client, processor);
    for (const Connection& connection : connections) {
        client.connect(connection.source, connection.destination);
        out << "connected " << connection.source << " -> " << connection.destination << std::endl;
    }
    for (const std::string& note : notes)
        out << note << std::endl;
    out << (editor ? "close the window or press Ctrl-C to stop" : "press Ctrl-C to stop") << std::endl;

    const Clock::time_point start = Clock::now();
    const auto end = line.seconds
        ? start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(*line.seconds))
        : Clock::time_point::max();
    Clock::time_point nextStatus = start;
    int32_t shownPeriod = period;
    while (!signals.raised() && !client.serverGone() && Clock::now() < end) {
        if (editor && !editor->idle())
            break;
        LiveChange change;
        while (processor.nextChange(change))
            status.print(describeChange(plugin, change));
        if (processor.blockSize() != shownPeriod) {
            shownPeriod = processor.blockSize();
            status.print("JACK's period is now " + std::to_string(shownPeriod) + " frames");
        }
        if (Clock::now() >= nextStatus) {
            const LiveProcessor::Peaks peaks = processor.takeRecentPeaks();
            status.show(formatStatus({peaks.input, peaks.output, client.cpuLoad(), client.xruns()}));
            nextStatus = std::max(nextStatus + kStatusInterval, Clock::now());
        }
        std::this_thread::sleep_until(std::min(Clock::now() + kLoopInterval, end));
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    status.clear();

    // Deactivate (which disconnects), close the editor, suspend; the plug-in closes on return.
    // A server that went away may have left the process thread in a block: wait for its end.
    const bool serverGone = client.serverGone();
    client.deactivate();
    processor.shutOut();
    editor.reset();
    plugin.suspend();
    const LiveProcessor::Peaks peaks = processor.peaksSinceStart();
    out << formatSummary(seconds, peaks.input, peaks.output, client.xruns()) << std::endl;
    if (serverGone) {
        const std::string reason = client.shutdownReason();
        throw HostError("the JACK server went away" + (reason.empty() ? std::string() : " (" + reason + ")")
            + "; grimbolt-host stopped");
    }
}
