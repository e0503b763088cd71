#include "ChainPipeline.h"

namespace {

template <class Cabinet>
void runWith(const AmpSettings& design, AmpChain& chain, const float* input, int32_t frames,
    double firstOffset, float* output)
{
    ChainPipeline<Cabinet>(design, chain).run(input, frames, firstOffset, output);
}

}  // namespace

// One form of the cabinet per configuration of the supported rates: at 44100 and 48000 Hz the
// high pair runs two loop passes, at 88200 and 96000 Hz every filter runs one. A rate whose
// filters suit neither (below 80168 Hz, outside 40084 to 68021 Hz) takes the form for any.
void runChainPipeline(const AmpSettings& design, AmpChain& chain, const float* input, int32_t frames,
    double firstOffset, float* output)
{
    using OnePass = CabinetLanes<1, 1>;
    using TwoPassHighs = CabinetLanes<1, 2>;
    using AnyPasses
        = CabinetLanes<StateVariableFilterLanes::kAnyPasses, StateVariableFilterLanes::kAnyPasses>;
    if (!design.cabinetActive)
        runWith<BypassedCabinet>(design, chain, input, frames, firstOffset, output);
    else if (TwoPassHighs::suits(chain.cabinet))
        runWith<TwoPassHighs>(design, chain, input, frames, firstOffset, output);
    else if (OnePass::suits(chain.cabinet))
        runWith<OnePass>(design, chain, input, frames, firstOffset, output);
    else
        runWith<AnyPasses>(design, chain, input, frames, firstOffset, output);
}
