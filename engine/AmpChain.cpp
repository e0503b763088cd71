#include "AmpChain.h"

#include "dsp/OversamplingKernels.h"

void AmpChain::setRate(float rate)
{
    const ResamplingKernels* kernels = findResamplingKernels(rate);
    if (kernels == nullptr && !upsampler.isConfigured())
        kernels = &nearestResamplingKernels(rate);
    if (kernels != nullptr) {
        if (upsampler.configure(kOversampling, kernels->upsamplerKernel, kernels->upsamplerTaps))
            decimator.configure(kernels->decimatorKernel, kernels->decimatorTaps);
    }
    cabinet.configure(rate);
}

// Sums every recursive state: an infinity or a NaN in any of them shows in the sum. The
// resampling and delay histories are fed from these states, so they go bad only with them.
bool AmpChain::statesAreFinite() const
{
    const float sum
        = preamp.sum() + channelFilter.sum() + toneStack.sum() + powerAmp.sum() + cabinet.stateSum();
    return std::isfinite(sum);
}

void AmpChain::clearStates()
{
    channelFilter = {};
    preamp = {};
    toneStack = {};
    powerAmp = {};
    cabinet.clearState();
    upsampler.clearHistory();
    decimator.clearHistory();
}
