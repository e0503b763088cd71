#include "tools/grimbolt-host/OfflineRender.h"

#include "tools/grimbolt-host/PluginNames.h"

AudioClip renderThroughPlugin(const PluginLibrary& library, HostCallback& host, const AudioClip& input,
    const RenderSettings& settings, const BlockRenderer::ProgressReport& progress)
{
    PluginInstance instance(library, host);
    return renderThroughInstance(instance, input, settings, progress);
}

void prepareInstance(PluginInstance& instance, const RenderSettings& settings)
{
    instance.configure(settings.sampleRate, settings.blockSize);
    PluginNames::applyProgramAndSettings(instance, settings.program, settings.settings);
}

AudioClip renderThroughInstance(PluginInstance& instance, const AudioClip& input,
    const RenderSettings& settings, const BlockRenderer::ProgressReport& progress)
{
    prepareInstance(instance, settings);
    BlockRenderer renderer(instance, settings.blockSize);
    instance.resume();
    AudioClip output = renderer.render(input, progress);
    instance.suspend();
    output.sampleRate = settings.sampleRate;
    return output;
}
