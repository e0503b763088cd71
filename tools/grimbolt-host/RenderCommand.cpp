#include "tools/grimbolt-host/RenderCommand.h"

#include "tools/grimbolt-host/InputChannels.h"
#include "tools/grimbolt-host/OfflineRender.h"
#include "tools/grimbolt-host/ProgressBar.h"
#include "tools/grimbolt-host/SignalLevels.h"
#include "tools/grimbolt-host/WavFile.h"
#include "tools/hostkit/HostError.h"

#include <iomanip>

void runRenderCommand(const CommandLine& line, std::ostream& out)
{
    // The plug-in is loaded first so that a wrong plug-in path is reported before file errors.
    PluginLibrary library(line.pluginPath);
    AudioClip input = WavFile::read(line.inputPath);
    HostCallback host;
    PluginInstance instance(library, host);
    // Only a plug-in with one input gets a file's channels folded into it; any other keeps
    // the renderer's own check that the file has as many channels as it has inputs.
    if (instance.numInputs() == 1) {
        const std::string note = InputChannels::describe(line.inputPath, input.channels.size(), line.channel);
        input = InputChannels::toMono(input, line.channel, line.inputPath);
        if (!note.empty())
            out << note << '\n';
    } else if (line.channel) {
        throw HostError("--channel is for plug-ins with one input; " + line.pluginPath + " has "
            + std::to_string(instance.numInputs()) + " inputs");
    }
    const RenderSettings settings{
        line.sampleRate.value_or(input.sampleRate), line.blockSize, line.program, line.settings};
    AudioClip output;
    {
        ProgressBar progress;
        output = renderThroughInstance(
            instance, input, settings, [&progress](double fraction) { progress.update(fraction); });
    }
    WavFile::write(line.outputPath, output);

    const SignalLevels levels = SignalLevels::measure(output);
    out << std::fixed << std::setprecision(1) << "wrote " << line.outputPath << ": " << output.channels.size()
        << " channels, " << output.frames() << " frames at " << output.sampleRate << " Hz, peak "
        << levels.peakDbfs << " dBFS, RMS " << levels.rmsDbfs << " dBFS\n";
    for (const AutomationEvent& event : host.automation()) {
        out << "automation from the plug-in: parameter " << event.index << " = " << event.value << '\n';
    }
}
