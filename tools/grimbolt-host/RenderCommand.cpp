#include "tools/grimbolt-host/RenderCommand.h"

#include "tools/grimbolt-host/OfflineRender.h"
#include "tools/grimbolt-host/ProgressBar.h"
#include "tools/grimbolt-host/SignalLevels.h"
#include "tools/grimbolt-host/WavFile.h"

#include <iomanip>

void runRenderCommand(const CommandLine& line, std::ostream& out)
{
    // The plug-in is loaded first so that a wrong plug-in path is reported before file errors.
    PluginLibrary library(line.pluginPath);
    const AudioClip input = WavFile::read(line.inputPath);
    const RenderSettings settings{
        line.sampleRate.value_or(input.sampleRate), line.blockSize, line.program, line.settings};
    HostCallback host;
    AudioClip output;
    {
        ProgressBar progress;
        output = renderThroughPlugin(
            library, host, input, settings, [&progress](double fraction) { progress.update(fraction); });
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
