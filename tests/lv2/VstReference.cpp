#include "tests/lv2/VstReference.h"

#include "tools/hostkit/BlockRenderer.h"

VstReference::VstReference(double sampleRate, int32_t blockSize)
    : library_(GRIMBOLT_PLUGIN)
    , instance_(library_, host_)
    , sampleRate_(sampleRate)
    , blockSize_(blockSize)
{
    instance_.configure(sampleRate, blockSize);
}

std::vector<float> VstReference::render(const std::vector<float>& input)
{
    instance_.resume();
    AudioClip clip;
    clip.sampleRate = static_cast<int>(sampleRate_);
    clip.channels = {input};
    BlockRenderer renderer(instance_, blockSize_);
    return renderer.render(clip).channels.front();
}
