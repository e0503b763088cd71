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

void AmpChain::apply(const AmpSettings& design)
{
    inputGain = design.inputGain;
    master = design.master;
    cabinetActive = design.cabinetActive;
    channelFilter = design.channelFilter.withStateOf(channelFilter);
    preamp = design.preamp.withStateOf(preamp);
    toneStack = design.toneStack.withStateOf(toneStack);
    powerAmp = design.powerAmp.withStateOf(powerAmp);
}

// Sums every recursive state: an infinity or a NaN in any of them shows in the sum. The
// resampling and delay histories are fed from these states, so they go bad only with them.
bool AmpChain::statesAreFinite() const
{
    const float sum = preamp.stateSum() + channelFilter.stateSum() + toneStack.stateSum()
        + powerAmp.stateSum() + cabinet.stateSum();
    return std::isfinite(sum);
}

void AmpChain::clearStates()
{
    channelFilter = channelFilter.withStateOf(Biquad{});
    preamp = preamp.withStateOf(Preamp{});
    toneStack = toneStack.withStateOf(ToneStack{});
    powerAmp = powerAmp.withStateOf(PowerAmp{});
    cabinet.clearState();
    upsampler.clearHistory();
    decimator.clearHistory();
}
